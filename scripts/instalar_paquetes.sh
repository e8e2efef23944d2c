#!/usr/bin/env bash
# Installs, from Debian's archive, everything the build, the tests and the demo need, and
# the further packages named as arguments; only those missing.
set -euo pipefail
paquetes=(cmake g++ make qt6-base-dev libgtest-dev
          firebird3.0-server firebird3.0-utils firebird-dev "$@")
faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi
