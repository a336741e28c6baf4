#!/usr/bin/env bash
# Installs what is missing, builds Tarvolt and runs every test suite: the stages in
# scripts/test.d run in order and the first failure stops the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh linux
for stage in scripts/test.d/*.sh; do
    echo "== $(basename "$stage" .sh)"
    start=$SECONDS
    bash "$stage"
    echo "== $(basename "$stage" .sh): passed in $((SECONDS - start)) s"
done
echo "All tests passed."
