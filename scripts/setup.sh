#!/usr/bin/env bash
# Installs what the build needs (Debian packages), builds, then runs the program or the tests.
# Usage: scripts/setup.sh [run|test|build|sanitize|fuzz] [program arguments...]
#   sanitize: a second build with clang under AddressSanitizer and UndefinedBehaviorSanitizer in
#   build-asan/, with the import fuzzers; runs the whole suite once there and each fuzzer briefly.
#   fuzz [SECONDS [FORMAT...]]: the same build; runs each import fuzzer (formato1, formato2,
#   impuestos) for SECONDS (default 600), keeping what it finds in build-asan/fuzz-corpus/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
action="${1:-build}"
[ $# -gt 0 ] && shift

packages=(g++ cmake ninja-build pkg-config sqlite3 libsqlite3-dev unixodbc unixodbc-dev odbcinst
          libsqliteodbc libzip-dev libxlsxwriter-dev qt6-base-dev qt6-translations-l10n libgtest-dev googletest xvfb xauth
          poppler-utils)
# The sanitizer build and the fuzzers need clang and its runtimes (libFuzzer among them).
case "$action" in sanitize|fuzz) packages+=(clang libclang-rt-dev) ;; esac
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

if [ "$action" = sanitize ] || [ "$action" = fuzz ]; then
    build="$here/build-asan"
    # -O1 keeps the instrumented suite quick enough; line tables are all the reports need.
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DPC_FUZZ=ON >/dev/null
    cmake --build "$build" -j"$(nproc)" --target pc_tests pagocentral VRNXComprasPagoCentral \
        fuzz_formato1 fuzz_formato2 fuzz_impuestos
    cd "$build"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
    export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    if [ "$action" = fuzz ]; then
        seconds="${1:-600}"
        [ $# -gt 0 ] && shift
        formats=("$@")
        [ ${#formats[@]} -eq 0 ] && formats=(formato1 formato2 impuestos)
        for f in "${formats[@]}"; do
            echo "== fuzz_$f for $seconds s"
            "./fuzz_$f" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
                "fuzz-corpus/$f"
        done
        exit 0
    fi
    echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer (SQLite backend), fuzzers included"
    PAGOCENTRAL_BACKEND=sqlite ctest --output-on-failure -j"$(nproc)" "$@"
    exit 0
fi

build="$here/build"
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
    *) echo "unknown action: $action (run, test, build or sanitize)" >&2; exit 2 ;;
esac
