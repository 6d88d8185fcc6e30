#!/usr/bin/env bash
# Installs what the build needs (Debian packages), builds, then runs the program or the tests.
# Usage: scripts/setup.sh [run|test|build] [program arguments...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
action="${1:-build}"
[ $# -gt 0 ] && shift

packages=(g++ cmake ninja-build pkg-config sqlite3 libsqlite3-dev unixodbc unixodbc-dev odbcinst
          libsqliteodbc libzip-dev libxlsxwriter-dev qt6-base-dev qt6-translations-l10n libgtest-dev googletest xvfb xauth
          poppler-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The SQLite ODBC driver under the name the connection settings may use ("Driver={SQLite3}").
if ! odbcinst -q -d -n SQLite3 >/dev/null 2>&1; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    printf '[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so\nSetup=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so\n' \
        > /tmp/pagocentral-odbcinst.ini
    $sudo_cmd odbcinst -i -d -f /tmp/pagocentral-odbcinst.ini >/dev/null
fi

# The T-SQL grammar that checks the SQL Server scripts (npm registry).
if ! command -v node >/dev/null 2>&1; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq nodejs npm >/dev/null
fi
if [ ! -d "$here/tests/tsql/node_modules/node-sql-parser" ]; then
    npm install --prefix "$here/tests/tsql" --no-audit --no-fund --silent >/dev/null
fi

build="$here/build"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

case "$action" in
    run)
        exec "$build/pagocentral" "$@"
        ;;
    test)
        cd "$build"
        # Once on the SQLite backend, once through the ODBC backend over the SQLite ODBC driver.
        echo "== tests on the SQLite backend"
        PAGOCENTRAL_BACKEND=sqlite ctest --output-on-failure -j"$(nproc)" "$@"
        echo "== tests on the ODBC backend"
        PAGOCENTRAL_BACKEND=odbc ctest --output-on-failure -j"$(nproc)" "$@"
        ;;
    build) ;;
    *) echo "unknown action: $action (run, test or build)" >&2; exit 2 ;;
esac
