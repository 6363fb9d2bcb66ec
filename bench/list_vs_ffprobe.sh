#!/usr/bin/env bash
# bench/list_vs_ffprobe.sh BUILD_DIR [COUNT] [SECONDS]: lists a generated card of COUNT
# recordings (300) of SECONDS seconds (10) with `korvex-cli list`, and asks ffprobe for the
# duration of every file of the same card; prints both times and their ratio.
set -euo pipefail
build=$(cd "$1" && pwd)
count=${2:-300}
seconds=${3:-10}
cli=$build/bin/korvex-cli
mkcard=$(find "$build/tools" -name korvex-mkcard -type f | head -n 1)
card=$(mktemp -d "${TMPDIR:-/tmp}/korvex-bench-list-XXXXXX")
trap 'rm -rf "$card"' EXIT

"$mkcard" --quiet --count "$count" --seconds "$seconds" "$card"
folder=$card/DCIM/100MEDIA

now() { date +%s.%N; }
# Warm the page cache once, so that both measure the same thing: parsing, not the disk.
cat "$folder"/*.ts >/dev/null

start=$(now)
listed=$("$cli" list "$folder" | wc -l)
list_time=$(awk -v a="$(now)" -v b="$start" 'BEGIN { printf "%.3f", a - b }')

start=$(now)
probed=0
for file in "$folder"/*.ts; do
    ffprobe -v error -show_entries format=duration -of csv=p=0 "$file" >/dev/null
    probed=$((probed + 1))
done
probe_time=$(awk -v a="$(now)" -v b="$start" 'BEGIN { printf "%.3f", a - b }')

echo "recordings: $listed listed, $probed probed ($seconds s each)"
echo "korvex-cli list: ${list_time} s"
echo "ffprobe, one file at a time: ${probe_time} s"
awk -v p="$probe_time" -v l="$list_time" 'BEGIN { printf "ratio ffprobe / korvex-cli list: %.1f\n", p / l }'
