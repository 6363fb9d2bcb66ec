#!/usr/bin/env bash
# scripts/build.sh DIR [cmake options...]: configures a build tree (once, and again when it was
# configured without warnings as errors) and builds it with warnings as errors.
set -euo pipefail
dir=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ ! -f $dir/build.ninja ]] || ! grep -q '^KORVEX_WARNINGS_AS_ERRORS:BOOL=ON$' "$dir/CMakeCache.txt"; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKORVEX_WARNINGS_AS_ERRORS=ON "$@" >/dev/null
fi
cmake --build "$dir" -- --quiet
