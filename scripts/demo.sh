#!/usr/bin/env bash
# The main job on a demo installation: builds the programs, lays out an installation with
# three companies on the embedded engine (001 with documents, master data and unsent journal
# rows; 002 and 003 empty) and starts the sender on it. Without a display it does the same
# work unattended: an online send from 001 to 002, an offline send of the same journal for
# 003 and its reception into 003, and prints what arrived in each destination.
# Safe to run again: the installation is recreated.
#
#   bash scripts/demo.sh                 packages, build, installation, sender (or the
#                                        unattended work without a display)
#   bash scripts/demo.sh --sin-compilar  the same without packages and build (build/ exists)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

if [ "${1:-}" != "--sin-compilar" ]; then
    bash scripts/instalar_paquetes.sh
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$(nproc)" --target envio recepcion bases
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
isql "$inst/datos/001/velmora.fdb" -i "$raiz/scripts/demo_datos.sql"

# So that a local server can open the same files as well.
chmod -R a+rwX "$inst"

# One server entry, the root itself: no host means the embedded engine.
printf '%s\r\n' "$inst" > "$inst/SERVIDORES.cfg"

mkdir -p "$xdg/Zorvik"
printf '[General]\nDirectorio=%s\n' "$inst" > "$xdg/Zorvik/Velmora2009.conf"
export XDG_CONFIG_DIRS=$xdg

echo "Demo installation ready in $inst"
echo "  001 Comercial Demo Origen: 12 unsent journal rows (articles, a customer, invoices,"
echo "      an inventory entry, a debit note, a voucher, a cash receipt, a cheque, an annulment)"
echo "  002 Comercial Demo Destino and 003 Sucursal Demo: empty"
echo "  sign in with user SYSDBA (or DEMO) and any password; server: $inst"
echo

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "Starting the sender. The receiver: XDG_CONFIG_DIRS=$xdg $raiz/build/recepcion"
    exec "$raiz/build/envio"
fi

# No display: the same work without windows.
export ISC_USER=SYSDBA ISC_PASSWORD=demo
resumen() { # resumen COMPANY
    isql-fb -q -user SYSDBA -ch UTF8 "$inst/datos/$1/velmora.fdb" -i "$raiz/scripts/demo_resumen.sql"
}
echo "No display: the sender and the receiver run unattended."
echo
echo "== envio --desatendido --en-linea: the journal of 001 straight into 002"
"$raiz/build/envio" --desatendido --en-linea "$inst" 001 "$inst" 002
echo
echo "== envio --desatendido --fuera-de-linea: the same journal (by its dates, as it is sent"
echo "   already) into the transfer file for 003, $inst/datos/003/envio.fdb"
"$raiz/build/envio" --desatendido --fuera-de-linea --desde 2026-01-01 --hasta 2026-12-31 \
    "$inst" 001 "$inst" 003
echo
echo "== recepcion --desatendido: the transfer file of 003 received into 003"
"$raiz/build/recepcion" --desatendido "$inst" 003 "$inst" 003
echo
echo "== What arrived in 002 (online send)"
resumen 002
echo
echo "== What arrived in 003 (offline send, then reception)"
resumen 003
echo
echo "The trail of the sends is $inst/ENVIO.TXT. On a desktop, the windows:"
echo "  XDG_CONFIG_DIRS=$xdg $raiz/build/envio"
echo "  XDG_CONFIG_DIRS=$xdg $raiz/build/recepcion"
