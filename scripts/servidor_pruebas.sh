#!/usr/bin/env bash
# Runs a command beside a Firebird 3 server of its own, and exits with the command's status:
#
#   bash scripts/servidor_pruebas.sh COMMAND [ARGUMENTS...]
#
# The server is the packaged binary started on a free local port from a temporary root
# folder: its own firebird.conf, security database (SYSDBA and the tests' users), lock and
# temporary folders. The command finds it in VELMORA_PRUEBAS_SERVIDOR (localhost/PORT); a
# location through it reads localhost/PORT:/path. The server is stopped by its pid when the
# command ends, whatever its outcome. The machine's own Firebird service, its security
# database and its users are not touched.
#
# VELMORA_PRUEBAS_PAGINAS_CACHE=N gives the root's engines (the server's and the command's
# embedded one) a page cache of N pages per database, so that a memory benchmark can compare
# sizes of databases that all fill it.
set -euo pipefail

if [ $# -eq 0 ]; then
    echo "usage: servidor_pruebas.sh COMMAND [ARGUMENTS...]" >&2
    exit 2
fi

programa=/usr/sbin/firebird
paquete=
for d in /usr/lib/*/firebird/3.0 /usr/lib/firebird/3.0; do
    if [ -f "$d/firebird.msg" ]; then paquete=$d; break; fi
done
if [ ! -x "$programa" ] || [ -z "$paquete" ]; then
    echo "The Firebird 3 server package is not installed ($programa, firebird.msg)" >&2
    exit 2
fi

raiz=$(mktemp -d "${TMPDIR:-/tmp}/velmora-servidor-XXXXXX")
pid=

parar() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        # This server often leaves its SIGTERM handler waiting for good once it has served
        # databases; what it holds is thrown away with the root, so after a short wait it
        # gets SIGKILL, as the package's init script gives a server that does not stop.
        kill -TERM "$pid" 2>/dev/null || true
        for _ in $(seq 1 25); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$raiz"
}
trap parar EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A port that nobody listens on, among the dynamic ones.
puerto=
for _ in $(seq 1 50); do
    p=$((20000 + RANDOM % 40000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then puerto=$p; break; fi
done
if [ -z "$puerto" ]; then
    echo "No free local port for the test server" >&2
    exit 2
fi

# The root holds what the server reads: its configuration, its security database, links to
# the package's messages and plugins, and the character sets' module, which the server loads
# from the root's intl folder and refuses through a link.
for f in firebird.msg plugins plugins.conf; do ln -s "$paquete/$f" "$raiz/$f"; done
mkdir "$raiz/intl" "$raiz/lock" "$raiz/tmp"
cp "$paquete/intl/libfbintl.so" "$raiz/intl/"
cat >"$raiz/firebird.conf" <<CONF
RemoteServicePort = $puerto
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $raiz/security3.fdb
UdfAccess = None
CONF
if [ -n "${VELMORA_PRUEBAS_PAGINAS_CACHE:-}" ]; then
    echo "DefaultDbCachePages = $VELMORA_PRUEBAS_PAGINAS_CACHE" >>"$raiz/firebird.conf"
fi
: >"$raiz/databases.conf"
export FIREBIRD="$raiz" FIREBIRD_LOCK="$raiz/lock" FIREBIRD_TMP="$raiz/tmp"

# The security database, made by the embedded engine, which reads the root's configuration
# above: it is its own security database. UTF-8, as the client sends passwords: ACENTO's
# password has a letter outside ASCII.
echo "CREATE DATABASE '$raiz/security3.fdb';" | isql-fb -q -bail -user SYSDBA
isql-fb -q -bail -ch UTF8 -user SYSDBA "$raiz/security3.fdb" <<'SQL'
CREATE OR ALTER USER SYSDBA PASSWORD 'masterkey';
CREATE OR ALTER USER PRUEBA PASSWORD 'clave1';
CREATE OR ALTER USER OTRO PASSWORD 'otra2';
CREATE OR ALTER USER ACENTO PASSWORD 'contraseña';
COMMIT;
SQL

# As root, the server runs as the package's user, as the service does: the tests' files
# must be open to it.
chmod 755 "$raiz"
mkdir "$raiz/log"
como=()
if [ "$(id -u)" -eq 0 ] && id firebird >/dev/null 2>&1; then
    chown -R firebird:firebird "$raiz/lock" "$raiz/tmp" "$raiz/log" "$raiz/security3.fdb"
    como=(setpriv --reuid firebird --regid firebird --init-groups)
fi
# The packaged server writes its log into the package's folder whatever its root; as root it
# gets a mount namespace of its own where that folder is the root's log folder, so the
# machine's log stays as it was.
bitacora=/var/log/firebird
if [ "$(id -u)" -eq 0 ] && [ -d "$bitacora" ] &&
    unshare --mount --propagation private true 2>/dev/null; then
    como=(unshare --mount --propagation private
          sh -c 'mount --bind "$1" "$2" && shift 2 && exec "$@"' sh "$raiz/log" "$bitacora"
          "${como[@]}")
fi
# The port comes from firebird.conf: with -p the server would listen on every interface.
"${como[@]}" "$programa" </dev/null >"$raiz/servidor.log" 2>&1 &
pid=$!
unset FIREBIRD FIREBIRD_LOCK FIREBIRD_TMP

servidor="localhost/$puerto"
listo=
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    if (exec 3<>"/dev/tcp/127.0.0.1/$puerto") 2>/dev/null; then listo=1; break; fi
    sleep 0.2
done
# The server that answers is ours: its process id, as the server reports it to SYSDBA.
if [ -n "$listo" ]; then
    respuesta=$(echo "SELECT 'PID=' || MON\$SERVER_PID FROM MON\$ATTACHMENTS
                      WHERE MON\$ATTACHMENT_ID = CURRENT_CONNECTION;" |
                isql-fb -q -user SYSDBA -password masterkey "$servidor:$raiz/security3.fdb" 2>&1) ||
        true
    grep -q "PID=$pid\b" <<<"$respuesta" || listo=
fi
if [ -z "$listo" ]; then
    echo "The test server did not start on $servidor" >&2
    cat "$raiz/servidor.log" "$raiz"/log/* >&2 2>/dev/null || true
    echo "${respuesta:-}" >&2
    exit 2
fi
echo "Test server: Firebird pid $pid on $servidor (root $raiz)"

export VELMORA_PRUEBAS_SERVIDOR="$servidor"
# The command's Firebird client reads this root's configuration too: where a location without
# a host cannot be opened in-process, the client tries the server on its default port, which
# is then this server and not the machine's service. Its embedded engine keeps its lock files
# here as well. (Programs that a test starts with an empty environment use the package's.)
export FIREBIRD="$raiz" FIREBIRD_LOCK="$raiz/lock" FIREBIRD_TMP="$raiz/tmp"
estado=0
"$@" || estado=$?
exit "$estado"
