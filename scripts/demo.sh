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

case "${1:-}" in
    "") opciones=() ;;
    --sin-compilar) opciones=(--sin-compilar) ;;
    *) echo "Usage: bash scripts/demo.sh [--sin-compilar]" >&2; exit 2 ;;
esac

# The installation (and, unless --sin-compilar, the packages and the build).
bash scripts/demo_instalacion.sh "${opciones[@]}"
inst=$raiz/demo/instalacion
xdg=$raiz/demo/xdg
export XDG_CONFIG_DIRS=$xdg
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
