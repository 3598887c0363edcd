#!/bin/sh
# Regenerates the reference files in ../data with Free Pascal's Classes unit (needs fpc; CI does not).
# Usage: make-fixtures.sh <path to test_platform_classes>
set -eu
here=$(cd "$(dirname "$0")" && pwd)
data="$here/../data"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fpc -O1 -FE"$work" "$here/oracle.pas" >/dev/null
TV_ORACLE_INPUTS="$data" "$1" --gtest_filter=Oracle.WriteInputs >/dev/null
"$work/oracle" totext "$data/sample.bin" "$data/sample.fpc.txt"
"$work/oracle" tobinary "$data/sample.txt" "$data/sample.fpc.bin"
echo "fixtures written to $data"
