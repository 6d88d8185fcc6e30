#!/usr/bin/env bash
# Builds the benchmarks and prints their ratios against the references measured in the same run.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" build
for b in "$here"/build/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b" "$@"
done
