#!/usr/bin/env bash
# scripts/build.sh DIR [cmake options...]: configures a build tree (once, and again when it was
# configured without warnings as errors) and builds it with warnings as errors. ccache, when
# installed, keeps rebuilds of the several test trees and of clean clones short.
set -euo pipefail
dir=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ ! -f $dir/build.ninja ]] || ! grep -q '^KORVEX_WARNINGS_AS_ERRORS:BOOL=ON$' "$dir/CMakeCache.txt"; then
    launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKORVEX_WARNINGS_AS_ERRORS=ON "${launcher[@]}" "$@" >/dev/null
fi
# Objects are shared between clones and trees of the same sources.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=1
cmake --build "$dir" -- --quiet
