#!/usr/bin/env bash
# Prepares the local Firebird 3 server for the tests: defines the test users in the
# security database through the embedded engine (with the server stopped), then starts
# the server and waits until it accepts connections on localhost.
set -euo pipefail
servicio=/etc/init.d/firebird3.0
seguridad=/var/lib/firebird/3.0/system/security3.fdb

"$servicio" stop >/dev/null 2>&1 || true
pkill -x fbguard 2>/dev/null || true
for _ in $(seq 1 50); do pgrep -x firebird >/dev/null || break; sleep 0.2; done

# UTF-8, as the client sends passwords: ACENTO's password has a letter outside ASCII.
isql-fb -q -bail -ch UTF8 -user SYSDBA "$seguridad" <<'SQL'
CREATE OR ALTER USER SYSDBA PASSWORD 'masterkey';
CREATE OR ALTER USER PRUEBA PASSWORD 'clave1';
CREATE OR ALTER USER OTRO PASSWORD 'otra2';
CREATE OR ALTER USER ACENTO PASSWORD 'contraseña';
COMMIT;
SQL
chown firebird:firebird "$seguridad"

"$servicio" start >/dev/null
for _ in $(seq 1 100); do
    if (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; then exit 0; fi
    sleep 0.2
done
echo "The Firebird server did not start on localhost:3050" >&2
exit 1
