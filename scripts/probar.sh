#!/usr/bin/env bash
# The whole test command: packages, a build with warnings as errors, and every test beside a
# Firebird server of the tests' own (scripts/servidor_pruebas.sh), stopped at the end. The
# exit status is the tests'.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
bash "$raiz/scripts/instalar_paquetes.sh"
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON >/dev/null
cmake --build "$raiz/build" -j"$(nproc)"
cd "$raiz/build"
exec bash "$raiz/scripts/servidor_pruebas.sh" ctest --output-on-failure -j2
