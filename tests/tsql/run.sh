#!/usr/bin/env bash
# Writes the SQL Server scripts with the program and parses every batch with a T-SQL grammar.
set -euo pipefail
program="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
"$program" sqlserver-scripts "$out" --demo >/dev/null
node "$here/check.js" "$out"/*.sql
