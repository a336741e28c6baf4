#!/usr/bin/env bash
# Configures and builds one build folder.
#   scripts/build.sh <folder> <build type> [extra CMake arguments...] [-- build targets...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1 type=$2
shift 2
cmake_args=() targets=()
while [ $# -gt 0 ]; do
    if [ "$1" = "--" ]; then shift; targets=("$@"); break; fi
    cmake_args+=("$1"); shift
done
launcher=()
# Paths relative to the checkout let clones in other folders share the compiler cache.
export CCACHE_BASEDIR="$root"
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$root/$dir" -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" "${cmake_args[@]}" >/dev/null
target_args=()
[ ${#targets[@]} -eq 0 ] || target_args=(--target "${targets[@]}")
log="$root/$dir/build.log"
if ! cmake --build "$root/$dir" --parallel "$(nproc)" "${target_args[@]}" >"$log" 2>&1; then
    grep -E -A5 "error|Error" "$log" | head -80
    echo "build of $dir failed; full log: $log" >&2
    exit 1
fi
# Warnings from the project's own code (the framework's are not ours to fix).
grep -E "^$root/(source|tests|tools|bench)/.*warning:" "$log" | sort -u || true
