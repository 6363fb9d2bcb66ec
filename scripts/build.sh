#!/usr/bin/env bash
# scripts/build.sh DIR [cmake options...]: configures a build tree (once) and builds it.
# ccache, when installed, keeps rebuilds of the several test trees short.
set -euo pipefail
dir=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ ! -f $dir/build.ninja ]]; then
    launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
fi
# Objects are shared between clones and trees of the same sources.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=1
cmake --build "$dir" -- --quiet
