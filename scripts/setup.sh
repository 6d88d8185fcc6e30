#!/usr/bin/env bash
# Installs what the build needs (Debian packages), builds, then runs the program or the tests.
# Usage: scripts/setup.sh [run|test|build] [program arguments...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
action="${1:-build}"
[ $# -gt 0 ] && shift

packages=(g++ cmake ninja-build pkg-config sqlite3 libsqlite3-dev unixodbc unixodbc-dev odbcinst
          libsqliteodbc libzip-dev libxlsxwriter-dev qt6-base-dev libgtest-dev googletest xvfb xauth)
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

build="$here/build"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

case "$action" in
    run)
        exec "$build/pagocentral" "$@"
        ;;
    test)
        cd "$build"
        ctest --output-on-failure -j"$(nproc)" "$@"
        ;;
    build) ;;
    *) echo "unknown action: $action (run, test or build)" >&2; exit 2 ;;
esac
