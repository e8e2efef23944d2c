#!/usr/bin/env bash
# Builds the programs, lays out a demo installation with two companies on the embedded
# engine and starts the sender on it. Safe to run again: the installation is recreated.
#
#   bash scripts/demo.sh                 packages, build, installation, sender
#   bash scripts/demo.sh --sin-compilar  installation and sender only (build/ must exist)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

if [ "${1:-}" != "--sin-compilar" ]; then
    bash scripts/instalar_paquetes.sh
    cmake -S . -B build && cmake --build build -j"$(nproc)"
fi

bases=$raiz/build/bases
inst=$raiz/demo/instalacion
xdg=$raiz/demo/xdg
for base in general soporte plantilla_envio compania; do
    if [ ! -f "$bases/$base.fdb" ]; then
        echo "Missing $bases/$base.fdb: build the project first." >&2
        exit 1
    fi
done

# Embedded engine: no server and no password involved.
isql() { isql-fb -q -bail -user SYSDBA -ch NONE "$@"; }

rm -rf "$inst"
mkdir -p "$inst/datos/001" "$inst/datos/002" "$inst/sop"
cp "$bases/general.fdb" "$inst/datos/general.fdb"
cp "$bases/soporte.fdb" "$inst/sop/velmora.fdb"
cp "$bases/plantilla_envio.fdb" "$inst/sop/envio.fdb"
cp "$bases/compania.fdb" "$inst/datos/001/velmora.fdb"
cp "$bases/compania.fdb" "$inst/datos/002/velmora.fdb"

isql "$inst/datos/general.fdb" <<'SQL'
INSERT INTO usuario (usua_cod, usua_nombre) VALUES ('SYSDBA', 'ADMINISTRADOR');
INSERT INTO usuario (usua_cod, usua_nombre) VALUES ('DEMO', 'USUARIO DE DEMOSTRACION');
INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE, COMP_NIT, COMP_DIR, COMP_TELS, COMP_ENCABEZADO)
VALUES ('001', 'Comercial Demo Origen', '800100200-1', 'Calle 1 # 2-3', '601 555 0001',
        'COMERCIAL DEMO ORIGEN - NIT 800100200-1');
INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE, COMP_NIT, COMP_DIR, COMP_TELS, COMP_ENCABEZADO)
VALUES ('002', 'Comercial Demo Destino', '800300400-2', 'Carrera 4 # 5-6', '601 555 0002',
        'COMERCIAL DEMO DESTINO - NIT 800300400-2');
COMMIT;
SQL
isql "$inst/datos/001/velmora.fdb" -i "$raiz/scripts/demo_datos.sql"

# So that a local server can open the same files as well.
chmod -R a+rwX "$inst"

# One server entry, the root itself: no host means the embedded engine.
printf '%s\r\n' "$inst" > "$inst/SERVIDORES.cfg"

mkdir -p "$xdg/Zorvik"
printf '[General]\nDirectorio=%s\n' "$inst" > "$xdg/Zorvik/Velmora2009.conf"

echo "Demo installation ready in $inst"
echo "  companies 001 (origin, 7 unsent journal rows) and 002 (destination, empty)"
echo "  sign in with user SYSDBA (or DEMO) and any password, server: $inst"

export XDG_CONFIG_DIRS=$xdg
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display available. To start the sender on a desktop session:"
    echo "  XDG_CONFIG_DIRS=$xdg $raiz/build/envio"
    echo "and the receiver:"
    echo "  XDG_CONFIG_DIRS=$xdg $raiz/build/recepcion"
    exit 0
fi
exec "$raiz/build/envio"
