#!/usr/bin/env bash
# scripts/build.sh DIR [cmake options...]: configures a build tree (once) and builds it.
set -euo pipefail
dir=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ ! -f $dir/build.ninja ]]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
cmake --build "$dir" -- --quiet
