#!/usr/bin/env bash
# The whole test command: packages, build, Firebird server with its test users, every test.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
bash "$raiz/scripts/instalar_paquetes.sh"
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$raiz/build" -j"$(nproc)"
bash "$raiz/scripts/servidor_pruebas.sh"
cd "$raiz/build"
ctest --output-on-failure -j2
