#!/usr/bin/env bash
# The README's screenshots: runs the real programs on the demo installation on a virtual
# screen with a small window manager, drives them with the keyboard as a person would and
# saves the three windows as docs/capturas/*.png:
#   control_de_acceso.png  the login, servers from the demo's list, user and password typed
#   envio.png              the sender after the sign-in, companies 001 and 003 chosen
#   recepcion.png          the receiver after the sign-in, company 003 on both sides
#   envio_corriendo.png    the sender during a send: the busy panel, its bar and count
#   envio_concluido.png    the closing message of that send, with its counts
#
#   bash scripts/capturas.sh                 packages, build, installation, screenshots
#   bash scripts/capturas.sh --sin-compilar  the same without the build (build/ exists)
#
# The demo installation goes to a folder of its own, /tmp/velmora, so that the server entry
# in the pictures is the same wherever the repository lies.
set -euo pipefail
shopt -s inherit_errexit
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

case "${1:-}" in
    "") opciones=() ;;
    --sin-compilar) opciones=(--sin-compilar) ;;
    *) echo "Usage: bash scripts/capturas.sh [--sin-compilar]" >&2; exit 2 ;;
esac

# The screen, the window manager, the keys and the screenshots.
bash scripts/instalar_paquetes.sh xvfb xdotool imagemagick openbox

carpeta=/tmp/velmora
bash scripts/demo_instalacion.sh "${opciones[@]}" --carpeta "$carpeta"
# For the pictures only: a journal long enough that the send is on the screen for a while,
# 30000 more articles created in 001.
isql-fb -q -bail -user SYSDBA -ch NONE "$carpeta/instalacion/datos/001/velmora.fdb" <<'SQL'
SET TERM ^ ;
EXECUTE BLOCK AS
DECLARE i INTEGER = 1;
BEGIN
    WHILE (i <= 30000) DO
    BEGIN
        INSERT INTO ARTICULO (ARTI_COD, ARTI_NOMBRE, ARTI_PRECIO)
        VALUES ('P' || LPAD(:i, 5, '0'), 'PRODUCTO ' || :i, 1000 + :i);
        INSERT INTO AUDITORIA (AUDI_ID, AUDI_USUARIO, AUDI_FECHA, AUDI_HORA, TIDO_COD,
                               AUDI_IDDOC, AUDI_OPER, AUDI_COD, AUDI_ENVIO)
        VALUES (100000 + :i, 'DEMO', '2026-02-08', '09:00:00', 101, 0, 'I',
                'P' || LPAD(:i, 5, '0'), 'N');
        i = i + 1;
    END
END^
SET TERM ; ^
COMMIT;
SQL
salida=$raiz/docs/capturas
mkdir -p "$salida"

trabajo=$(mktemp -d)
pids=()
# Ends what this script started, the latest first. A program with an open embedded
# database may outlive a plain kill (the engine takes the signal for its own shutdown).
terminar() {
    local i p
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        p=${pids[i]}
        kill "$p" 2>/dev/null || continue
        for _ in $(seq 30); do
            kill -0 "$p" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$p" 2>/dev/null || true
        wait "$p" 2>/dev/null || true
    done
    rm -rf "$trabajo"
}
trap terminar EXIT

fallar() {
    echo "capturas: $*" >&2
    local registro
    for registro in "$trabajo"/*.log; do
        [ -s "$registro" ] && { echo "--- $(basename "$registro")" >&2; cat "$registro" >&2; }
    done
    if [ -n "${DISPLAY:-}" ]; then
        import -window root "$trabajo/pantalla.png" 2>/dev/null &&
            cp "$trabajo/pantalla.png" /tmp/capturas_fallo.png &&
            echo "The screen at that moment: /tmp/capturas_fallo.png" >&2
    fi
    exit 1
}

# A virtual screen on a free display; Xvfb writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$trabajo/pantalla" \
    >"$trabajo/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$trabajo/pantalla" ] && break
    sleep 0.1
done
[ -s "$trabajo/pantalla" ] || fallar "the virtual screen did not start"
DISPLAY=":$(head -n1 "$trabajo/pantalla")"
export DISPLAY

# The keys go to the active window, and only a window manager activates windows.
openbox --sm-disable --startup "touch $trabajo/openbox.listo" >"$trabajo/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [ -e "$trabajo/openbox.listo" ] && break
    sleep 0.1
done
[ -e "$trabajo/openbox.listo" ] || fallar "the window manager did not start"

# The programs see a plain desktop: no style or scale settings of whoever runs this.
mkdir -m 0700 "$trabajo/xdg-runtime"
programa() { # programa NAME: starts build/NAME on the demo; its pid in $pid
    env -i PATH=/usr/bin:/bin HOME="$trabajo" LANG=C.UTF-8 DISPLAY="$DISPLAY" \
        XDG_CONFIG_DIRS="$carpeta/xdg" XDG_RUNTIME_DIR="$trabajo/xdg-runtime" \
        "$raiz/build/$1" >"$trabajo/$1.log" 2>&1 &
    pid=$!
    pids+=("$pid")
}

# esperar_ventana PID TITLE_REGEX: the id of the program's visible window of that title,
# once it is the active one.
esperar_ventana() {
    local ventana
    for _ in $(seq 300); do
        kill -0 "$1" 2>/dev/null || fallar "the program ended before showing \"$2\""
        if ventana=$(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n1) &&
            [ -n "$ventana" ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$ventana" ]; then
            echo "$ventana"
            return
        fi
        sleep 0.1
    done
    fallar "no active window \"$2\""
}

# A message of the program here means the demo did not work as the pictures need: errors,
# questions and plain messages (titled as their window: a second window of the same title).
sin_mensajes() { # sin_mensajes PID
    if xdotool search --all --onlyvisible --pid "$1" \
        --name '^(Error|Confirmaci.+n)$' >/dev/null 2>&1; then
        fallar "the program shows a message"
    fi
    local titulo
    for titulo in '^Control de acceso$' '^Env.+o de informaci.+n$' '^Recepci.+n de informaci.+n$'; do
        if [ "$(xdotool search --all --onlyvisible --pid "$1" --name "$titulo" 2>/dev/null |
            wc -l)" -gt 1 ]; then
            fallar "the program shows a message"
        fi
    done
}

# otra_ventana PID WINDOW TITLE_REGEX: the id of a visible window of the program with that
# title other than WINDOW (a message box over it), once there is one.
otra_ventana() {
    local ventana
    for _ in $(seq 1200); do
        kill -0 "$1" 2>/dev/null || fallar "the program ended before its message"
        ventana=$(xdotool search --all --onlyvisible --pid "$1" --name "$3" 2>/dev/null |
            grep -vx "$2" | head -n1 || true)
        if [ -n "$ventana" ]; then
            echo "$ventana"
            return
        fi
        sleep 0.1
    done
    fallar "no message \"$3\""
}

teclas() { xdotool key --delay 120 "$@"; }
escribir() { xdotool type --delay 120 "$1"; }

capturar() { # capturar WINDOW FILE: the window with its frame, as on the screen
    sleep 1
    import -frame -window "$1" "$trabajo/captura.png"
    # Without time stamps, so that an unchanged window gives an unchanged file.
    convert "$trabajo/captura.png" -strip "$trabajo/$2"
}

terminar_programa() { # terminar_programa PID WINDOW: closes the window as a person would
    xdotool windowactivate --sync "$2" >/dev/null 2>&1 || true
    teclas alt+F4
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || { wait "$1" 2>/dev/null || true; return; }
        sleep 0.1
    done
    fallar "the program did not end when its main window was closed"
}

# The sign-in: user SYSDBA with the demo's password on the origin; leaving the origin
# password connects the origin; leaving the destination server, the same entry, fills the
# destination user and password with the origin's.
iniciar_sesion() { # iniciar_sesion PID
    local acceso
    acceso=$(esperar_ventana "$1" '^Control de acceso$')
    escribir SYSDBA
    teclas Return
    escribir demo
    teclas Return
    sleep 1
    sin_mensajes "$1"
    teclas Return End
    echo "$acceso"
}

entrar() { # entrar PID: F2, and the login gives way to the main window
    teclas F2
    for _ in $(seq 300); do
        xdotool search --all --onlyvisible --pid "$1" --name '^Control de acceso$' >/dev/null 2>&1 ||
            break
        sleep 0.1
    done
    sleep 1
    sin_mensajes "$1"
}


programa envio
acceso=$(iniciar_sesion "$pid")
capturar "$acceso" control_de_acceso.png
entrar "$pid"
principal=$(esperar_ventana "$pid" '^Env.+o de informaci.+n$')
# From the send type, the first stop, to the origin company: the date range and the
# existing documents are disabled, so "Todo lo no enviado" and the prefix come between.
teclas Tab Tab Tab F4 Return # 001
teclas Tab F4 Down Down Return # 003
sin_mensajes "$pid"
capturar "$principal" envio.png

# "Enviar" with the mouse, 001 to 003 offline: the window during the send, then its
# closing message; OK ends the program.
xdotool windowactivate --sync "$principal" >/dev/null 2>&1 || true
xdotool mousemove --window "$principal" 48 452 click 1
xdotool mousemove 1000 750 # out of the way of the next pictures
sleep 2
capturar "$principal" envio_corriendo.png
mensaje=$(otra_ventana "$pid" "$principal" '^Env.+o de informaci.+n$')
capturar "$mensaje" envio_concluido.png
xdotool windowactivate --sync "$mensaje" >/dev/null 2>&1 || true
teclas Return
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fallar "the sender did not end after its closing message"

programa recepcion
acceso=$(iniciar_sesion "$pid")
entrar "$pid"
principal=$(esperar_ventana "$pid" '^Recepci.+n de informaci.+n$')
# From the first date box back round the order to the destination company, then the origin.
teclas shift+Tab F4 Down Down Return # 003
teclas shift+Tab F4 Down Down Return # 003
sin_mensajes "$pid"
capturar "$principal" recepcion.png
terminar_programa "$pid" "$principal"

# All or none: a failed run leaves the pictures as they were.
echo "Screenshots:"
for captura in control_de_acceso.png envio.png envio_corriendo.png envio_concluido.png \
    recepcion.png; do
    cp "$trabajo/$captura" "$salida/$captura"
    echo "  $salida/$captura"
done
