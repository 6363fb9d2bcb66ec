#!/usr/bin/env bash
# bench/list_vs_ffprobe.sh BUILD_DIR [COUNT] [SECONDS]: lists a generated card of COUNT
# recordings (300) of SECONDS seconds (10) with `korvex-cli list`, and asks ffprobe for the
# duration of every file of the same card; prints both times, their ratio and the system calls
# the list makes per recording. Then exports a transport-stream clip across the whole card
# against `cat` of its files and `sync`.
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

# What the list costs the system per recording: the calls that open, measure and read files.
if command -v strace >/dev/null; then
    strace -f -qq -c -o "$card/calls.txt" \
        -e trace=openat,read,pread64,fstat,newfstatat,statx,lseek "$cli" list "$folder" >/dev/null
    echo "system calls of korvex-cli list, per recording (the program's start-up included):"
    awk -v n="$listed" '$NF ~ /^(openat|read|pread64|fstat|newfstatat|statx|lseek)$/ {
        printf "  %-10s %6.2f\n", $NF, $4 / n }' "$card/calls.txt"
else
    echo "(strace not found: the system calls per recording are not counted)"
fi

# The export across the whole card: a transport-stream clip from the first recording to the
# end of the last, against `cat` of the same files into one and `sync` of it (as the export
# syncs its clip). Best of three each.
files=("$folder"/*.ts)
best() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }
export_time=
cat_time=
for _ in 1 2 3; do
    rm -f "$card/clip.ts" "$card/cat.ts"
    start=$(now)
    "$cli" export --in "${files[0]}" --out "${files[-1]}" "$card/clip.ts" >/dev/null
    export_time=$(best "$export_time" "$(awk -v a="$(now)" -v b="$start" 'BEGIN { print a - b }')")
    start=$(now)
    cat "${files[@]}" >"$card/cat.ts" && sync "$card/cat.ts"
    cat_time=$(best "$cat_time" "$(awk -v a="$(now)" -v b="$start" 'BEGIN { print a - b }')")
done
clip_bytes=$(stat -c %s "$card/clip.ts")
cat_bytes=$(stat -c %s "$card/cat.ts")
echo
echo "transport-stream clip across all $listed recordings: $((clip_bytes / 1000000)) MB" \
    "(cat of the files: $((cat_bytes / 1000000)) MB)"
printf "korvex-cli export: %.3f s\n" "$export_time"
printf "cat of the files into one, then sync: %.3f s\n" "$cat_time"
awk -v c="$cat_time" -v e="$export_time" \
    'BEGIN { printf "ratio (cat + sync) / korvex-cli export: %.2f\n", c / e }'
