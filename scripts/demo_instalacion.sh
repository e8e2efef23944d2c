#!/usr/bin/env bash
# Lays out the demo installation that scripts/demo.sh and scripts/capturas.sh start the
# programs on: three companies on the embedded engine (001 with documents, master data and
# unsent journal rows; 002 and 003 empty), the server list and the setting that names the
# installation directory. Safe to run again: the installation is recreated.
#
#   bash scripts/demo_instalacion.sh [--sin-compilar] [--carpeta DIR]
#
# Without --sin-compilar it first installs the packages and builds the programs and the
# empty databases. The installation goes to DIR/instalacion and the setting to DIR/xdg
# (DIR: demo/ in the repository's folder); point XDG_CONFIG_DIRS at DIR/xdg to use it.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

compilar=1
carpeta=$raiz/demo
while [ $# -gt 0 ]; do
    case $1 in
        --sin-compilar) compilar=0 ;;
        --carpeta)
            [ $# -ge 2 ] || { echo "--carpeta needs a folder" >&2; exit 2; }
            carpeta=$2
            shift
            ;;
        *) echo "Unknown option: $1" >&2; exit 2 ;;
    esac
    shift
done

if [ "$compilar" = 1 ]; then
    bash scripts/instalar_paquetes.sh
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$(nproc)" --target envio recepcion bases
fi

bases=$raiz/build/bases
for base in general soporte plantilla_envio compania; do
    if [ ! -f "$bases/$base.fdb" ]; then
        echo "Missing $bases/$base.fdb: build the project first." >&2
        exit 1
    fi
done
for programa in envio recepcion; do
    if [ ! -x "$raiz/build/$programa" ]; then
        echo "Missing $raiz/build/$programa: build the project first." >&2
        exit 1
    fi
done

mkdir -p "$carpeta"
carpeta=$(cd "$carpeta" && pwd)
inst=$carpeta/instalacion
xdg=$carpeta/xdg

# Embedded engine: no server and no password involved.
isql() { isql-fb -q -bail -user SYSDBA -ch NONE "$@"; }

rm -rf "$inst" "$xdg"
mkdir -p "$inst/datos" "$inst/sop"
cp "$bases/general.fdb" "$inst/datos/general.fdb"
cp "$bases/soporte.fdb" "$inst/sop/velmora.fdb"
cp "$bases/plantilla_envio.fdb" "$inst/sop/envio.fdb"
for cia in 001 002 003; do
    mkdir -p "$inst/datos/$cia"
    cp "$bases/compania.fdb" "$inst/datos/$cia/velmora.fdb"
done

isql "$inst/datos/general.fdb" <<'SQL'
INSERT INTO usuario (usua_cod, usua_nombre) VALUES ('SYSDBA', 'ADMINISTRADOR');
INSERT INTO usuario (usua_cod, usua_nombre) VALUES ('DEMO', 'USUARIO DE DEMOSTRACION');
INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE, COMP_NIT, COMP_DIR, COMP_TELS, COMP_ENCABEZADO)
VALUES ('001', 'Comercial Demo Origen', '800100200-1', 'Calle 1 # 2-3', '601 555 0001',
        'COMERCIAL DEMO ORIGEN - NIT 800100200-1');
INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE, COMP_NIT, COMP_DIR, COMP_TELS, COMP_ENCABEZADO)
VALUES ('002', 'Comercial Demo Destino', '800300400-2', 'Carrera 4 # 5-6', '601 555 0002',
        'COMERCIAL DEMO DESTINO - NIT 800300400-2');
INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE, COMP_NIT, COMP_DIR, COMP_TELS, COMP_ENCABEZADO)
VALUES ('003', 'Sucursal Demo Bogot' || ASCII_CHAR(225), '800500600-3', 'Avenida 7 # 8-9',
        '601 555 0003', 'SUCURSAL DEMO - NIT 800500600-3');
COMMIT;
SQL
# The document type names as the application writes them, with their accents
# (Windows-1252 codes), so that the windows show them as a person reads them.
isql "$inst/sop/velmora.fdb" <<'SQL'
UPDATE TIPO_DOCUMENTO SET TIDO_NOMLARGO = CASE TIDO_COD
    WHEN 18 THEN ASCII_CHAR(211) || 'RDENES DE INVENTARIO'
    WHEN 23 THEN ASCII_CHAR(211) || 'RDENES DE COMPRA'
    WHEN 41 THEN 'NOTAS D' || ASCII_CHAR(201) || 'BITO DE CLIENTES'
    WHEN 42 THEN 'NOTAS CR' || ASCII_CHAR(201) || 'DITO DE CLIENTES'
    WHEN 51 THEN 'NOTAS D' || ASCII_CHAR(201) || 'BITO DE PROVEEDORES'
    WHEN 52 THEN 'NOTAS CR' || ASCII_CHAR(201) || 'DITO DE PROVEEDORES'
    WHEN 74 THEN 'NOTAS D' || ASCII_CHAR(201) || 'BITO BANCARIAS'
    WHEN 75 THEN 'NOTAS CR' || ASCII_CHAR(201) || 'DITO BANCARIAS'
    WHEN 77 THEN 'DEVOLUCI' || ASCII_CHAR(211) || 'N DE CHEQUES'
    WHEN 101 THEN 'ART' || ASCII_CHAR(205) || 'CULOS'
    WHEN 124 THEN 'UNIDADES DE ART' || ASCII_CHAR(205) || 'CULOS'
    WHEN 125 THEN 'C' || ASCII_CHAR(211) || 'DIGOS DE BARRAS'
    WHEN 126 THEN 'PRECIOS DE ART' || ASCII_CHAR(205) || 'CULOS'
    WHEN 127 THEN 'CONTABILIZACI' || ASCII_CHAR(211) || 'N DE ART' || ASCII_CHAR(205) || 'CULOS'
    WHEN 128 THEN 'COMPONENTES DE ART' || ASCII_CHAR(205) || 'CULOS'
    ELSE TIDO_NOMLARGO END;
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
echo "  001 Comercial Demo Origen: 12 unsent journal rows (articles, a customer, invoices,"
echo "      an inventory entry, a debit note, a voucher, a cash receipt, a cheque, an annulment)"
echo "  002 Comercial Demo Destino and 003 Sucursal Demo Bogotá: empty"
echo "  sign in with user SYSDBA (or DEMO) and any password; server: $inst"
