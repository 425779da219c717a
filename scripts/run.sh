#!/usr/bin/env bash
# Sets up, builds and starts the program on the embedded SQLite database.
# Extra arguments go to the program (for example --folder DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target mingzetong
exec build/src/app/mingzetong "$@"
