#!/usr/bin/env bash
# Regenerates ../data/*.tsv from oracle.pas with Free Pascal (needs fpc; CI does not run this).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fpc -v0 -O1 -FE"$work" -o"$work/oracle" "$here/oracle.pas" >"$work/fpc.log" || { cat "$work/fpc.log"; exit 1; }
LANG=C LC_ALL=C "$work/oracle" "$here/../data"
echo "tables written to $here/../data"
