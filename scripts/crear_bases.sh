#!/usr/bin/env bash
# Creates the empty databases of an installation from the schema files, on the
# embedded engine: company database, transfer template, general and support databases.
# Usage: crear_bases.sh OUTPUT_DIR
set -euo pipefail
salida=$1
esquema=$(cd "$(dirname "$0")/../schema" && pwd)
mkdir -p "$salida"
tmp=$(mktemp -d "$salida/.crear.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

crear() { # crear NAME FILE.sql...
    local nombre=$1; shift
    local archivo="$tmp/$nombre.fdb"
    {
        echo "SET SQL DIALECT 3;"
        echo "CREATE DATABASE '$archivo' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252;"
        for sql in "$@"; do cat "$sql"; echo; done
        echo "COMMIT;"
    } | isql-fb -q -bail -user SYSDBA -ch NONE
}

crear compania "$esquema/compania.sql"
crear plantilla_envio "$esquema/compania.sql"
crear general "$esquema/general.sql"
crear soporte "$esquema/soporte.sql"
chmod 0666 "$tmp"/*.fdb
mv -f "$tmp"/*.fdb "$salida"/
