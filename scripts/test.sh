#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite on SQLite and on a throwaway
# PostgreSQL 15 cluster, which is stopped again however the tests end.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
scripts/packages.sh --tests
JOBS=$(nproc)

# The core libraries and their tests alone, without optimisation (it only has to
# compile): a Widgets include in a core fails here. The full build below runs the tests.
cmake -S . -B build-core -G Ninja -DMZT_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS=-O0 >/dev/null
cmake --build build-core -j "$JOBS"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$JOBS"

PGBIN=/usr/lib/postgresql/15/bin
PGDIR=$(mktemp -d /tmp/mzt-pg.XXXXXX)
PGPORT=${MZT_PG_PORT:-55432}
while (echo > /dev/tcp/127.0.0.1/$PGPORT) 2>/dev/null; do PGPORT=$((PGPORT + 1)); done
as_pg() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
stop_pg() {
  as_pg "$PGBIN/pg_ctl" -D "$PGDIR/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$PGDIR"
}
trap stop_pg EXIT
if [ "$(id -u)" -eq 0 ]; then chown postgres "$PGDIR"; fi
as_pg "$PGBIN/initdb" -D "$PGDIR/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >/dev/null
as_pg "$PGBIN/pg_ctl" -D "$PGDIR/data" -l "$PGDIR/server.log" -w \
  -o "-p $PGPORT -k $PGDIR -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" start >/dev/null
export MZT_TEST_PG="postgresql://postgres@127.0.0.1:$PGPORT/postgres"
echo "PostgreSQL test cluster on port $PGPORT"

status=0
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS") || status=1
exit $status
