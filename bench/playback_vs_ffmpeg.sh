#!/usr/bin/env bash
# bench/playback_vs_ffmpeg.sh BUILD_DIR [SECONDS] [PACED_SECONDS] [PACED_PICTURES]: playback of a
# generated 1920x1080 card measured against FFmpeg in the same run and printed side by side:
# - decoding: `korvex-cli play --unpaced --sound null` against `ffmpeg -threads 1 -an -f null`
#   on a 30 fps recording of SECONDS seconds (20): pictures per second of wall-clock and of CPU
#   time, peak memory (resident set), and the ratios;
# - demultiplexing: the channel's reader alone (`korvex-cli track --follow`: every packet read
#   and handed out, nothing decoded) against `ffmpeg -c copy -f null` on that recording read
#   KORVEX_BENCH_COPIES times (20), one file after the other: MB per second and the ratios;
# - pacing: `korvex-cli play --sound null --pictures PACED_PICTURES` (300) on a 60 fps recording
#   of PACED_SECONDS seconds (10), at 1x and at speed-slider position 5 (2x): pictures per second
#   and late pictures.
# Decoding and demultiplexing keep the best of KORVEX_BENCH_ROUNDS interleaved rounds (3). The
# machine may be shared: the CPU-time rates are the steadier numbers.
set -euo pipefail
export LC_ALL=C
build=$(cd "$1" && pwd)
seconds=${2:-20}
paced_seconds=${3:-10}
paced_pictures=${4:-300}
rounds=${KORVEX_BENCH_ROUNDS:-3}
copies=${KORVEX_BENCH_COPIES:-20}
size=1920x1080
cli=$build/bin/korvex-cli
mkcard=$(find "$build/tools" -name korvex-mkcard -type f | head -n 1)
fail() {
    echo "playback_vs_ffmpeg.sh: $*" >&2
    exit 1
}
[[ -x /usr/bin/time ]] || fail "peak memory needs /usr/bin/time (Debian package time)"
# The rate is measured past the first second, so there must be pictures after it.
((paced_pictures > 61 && paced_pictures < paced_seconds * 60)) ||
    fail "PACED_PICTURES must lie between 62 and $((paced_seconds * 60 - 1))"
# The reader never shows the very last picture of a card.
pictures=$((seconds * 30 - 1))

work=$(mktemp -d "${TMPDIR:-/tmp}/korvex-bench-playback-XXXXXX")
trap 'rm -rf "$work"' EXIT

"$mkcard" --quiet --size "$size" --fps 30 --seconds "$seconds" "$work/card30"
"$mkcard" --quiet --size "$size" --fps 60 --seconds "$paced_seconds" "$work/card60"
recording=$work/card30/DCIM/100MEDIA/REC_0001.ts
paced_recording=$work/card60/DCIM/100MEDIA/REC_0001.ts
recording_bytes=$(stat -c %s "$recording")

# The copies are links to one file, numbered from 1001: names of one width, as a camera writes.
mkdir "$work/copies"
concat=concat:
for ((i = 1; i <= copies; i++)); do
    ln "$recording" "$work/copies/REC_$((1000 + i)).ts"
    concat+=$work/copies/REC_$((1000 + i)).ts
    ((i == copies)) || concat+="|"
done
copies_bytes=$((recording_bytes * copies))
# Warm the page cache, so that every run measures the work, not the disk.
cat "$recording" "$paced_recording" >/dev/null

calc() { awk "BEGIN { printf \"%.${2:-3}f\", $1 }"; }
least() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }
most() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b > a) ? b : a }'; }
field() { sed -n "s/.*$1=\([^[:space:]]*\).*/\1/p"; }

declare -A wall cpu peak
# measure NAME COMMAND...: runs COMMAND with its output in $work/NAME.out and keeps, over the
# rounds, its least wall and CPU time (seconds) and its highest peak resident set (KiB).
measure() {
    local name=$1 times real user system
    shift
    local TIMEFORMAT='%3R %3U %3S'
    times=$({ time /usr/bin/time -f %M -o "$work/$name.peak" "$@" >"$work/$name.out" \
        2>"$work/$name.err"; } 2>&1) || {
        cat "$work/$name.err" >&2
        fail "failed: $*"
    }
    read -r real user system <<<"$times"
    wall[$name]=$(least "${wall[$name]:-}" "$real")
    cpu[$name]=$(least "${cpu[$name]:-}" "$(calc "$user + $system")")
    peak[$name]=$(most "${peak[$name]:-}" "$(tail -n 1 "$work/$name.peak")")
}

play_steady=
for ((round = 1; round <= rounds; round++)); do
    measure play "$cli" play "$recording" --unpaced --sound null
    measure decode ffmpeg -nostdin -v error -nostats -progress "$work/decode.progress" \
        -threads 1 -an -i "$recording" -f null -
    measure track "$cli" track "$work/copies/REC_1001.ts" --follow
    measure copy ffmpeg -nostdin -v error -i "$concat" -c copy -f null -

    summary=$(grep '^SUMMARY' "$work/play.out")
    play_pictures=$(field pictures <<<"$summary")
    # The run must end at the card's last picture, not 2 s after it.
    [[ $(field end <<<"$summary") == card && $play_pictures == "$pictures" ]] ||
        fail "korvex-cli play did not end at the card's last picture: $summary"
    play_steady=$(most "$play_steady" "$(field pictures_per_second <<<"$summary")")
    decode_pictures=$(awk -F= '$1 == "frame" { n = $2 } END { print n }' "$work/decode.progress")
    # One GPS text a second: fewer lines mean that the reader stopped before the last copy.
    texts=$(wc -l <"$work/track.out")
    ((texts >= copies * (seconds - 1))) ||
        fail "korvex-cli track gave $texts GPS texts for $copies copies of $seconds s"
done
play_time=${wall[play]}
# track ends once the reader, waiting at the end of the last copy, has been quiet for 0.5 s.
track_quiet=0.5
track_time=$(calc "${wall[track]} - $track_quiet")

# paced ARGS...: plays (with $paced_program when set, else korvex-cli) PACED_PICTURES pictures of the 60 fps recording with ARGS and writes the
# time each picture line arrives (line-buffered for this), then the summary, to $work/paced.out.
paced() {
    stdbuf -oL /usr/bin/time -f %M -o "$work/paced.peak" \
        "${paced_program:-$cli}" play "$paced_recording" --sound null --pictures "$paced_pictures" \
        "$@" 2>"$work/paced.err" |
        while IFS= read -r line; do
            if [[ $line == PICTURE$'\t'* ]]; then
                line=${line#PICTURE$'\t'}
                echo "${line%%$'\t'*} $EPOCHREALTIME"
            elif [[ $line == SUMMARY$'\t'* ]]; then
                echo "$line"
            fi
        done >"$work/paced.out"
}

# paced_row LABEL EXPECTED ARGS...
paced_row() {
    local label=$1 expected=$2 summary after
    shift 2
    paced "$@"
    summary=$(grep '^SUMMARY' "$work/paced.out")
    after=$(awk -v last="$(field pictures <<<"$summary")" \
        '$1 == 61 { a = $2 } $1 == last { b = $2 } END { printf "%.1f", (last - 61) / (b - a) }' \
        "$work/paced.out")
    printf "%-42s %8d %10d %14s %14s %6d %9.1f\n" "$label" "$(field pictures <<<"$summary")" \
        "$expected" "$(field pictures_per_second <<<"$summary")" "$after" \
        "$(field late <<<"$summary")" "$(calc "$(tail -n 1 "$work/paced.peak") / 1024" 1)"
}

mib() { calc "$1 / 1024" 1; }
row() { printf "%-42s %8s %8.3f %8.3f %12.1f %14.1f %9.1f\n" "$@"; }
ratio_row() { printf "%-42s %8s %8s %8s %12.2f %14.2f %9.2f\n" "ratio korvex-cli / ffmpeg" "" "" "" "$@"; }

echo "Playback of a generated $size card against FFmpeg, best of $rounds rounds"
echo "(the machine may be shared with other work: the CPU-time rates are the steadier numbers)"

echo
echo "Decoding: 30 fps recording of $seconds s, $(calc "$recording_bytes / 1e6" 1) MB"
printf "%-42s %8s %8s %8s %12s %14s %9s\n" "" pictures "wall s" "cpu s" pictures/s \
    pictures/cpu-s "peak MiB"
play_rate=$(calc "$play_pictures / $play_time" 1)
play_cpu_rate=$(calc "$play_pictures / ${cpu[play]}" 1)
decode_rate=$(calc "$decode_pictures / ${wall[decode]}" 1)
decode_cpu_rate=$(calc "$decode_pictures / ${cpu[decode]}" 1)
row "korvex-cli play --unpaced --sound null" "$play_pictures" "$play_time" "${cpu[play]}" \
    "$play_rate" "$play_cpu_rate" "$(mib "${peak[play]}")"
row "ffmpeg -threads 1 -an -f null" "$decode_pictures" "${wall[decode]}" "${cpu[decode]}" \
    "$decode_rate" "$decode_cpu_rate" "$(mib "${peak[decode]}")"
ratio_row "$(calc "$play_rate / $decode_rate")" "$(calc "$play_cpu_rate / $decode_cpu_rate")" \
    "$(calc "${peak[play]} / ${peak[decode]}")"
echo "  korvex-cli: whole runs, each ended by the card's end at its last picture."
echo "  korvex-cli between its first and last picture (its summary): $play_steady pictures/s."

echo
echo "Demultiplexing: the same recording read $copies times, $(calc "$copies_bytes / 1e6" 1) MB"
printf "%-42s %8s %8s %8s %12s %14s %9s\n" "" "" "wall s" "cpu s" MB/s MB/cpu-s "peak MiB"
track_rate=$(calc "$copies_bytes / 1e6 / $track_time" 1)
track_cpu_rate=$(calc "$copies_bytes / 1e6 / ${cpu[track]}" 1)
copy_rate=$(calc "$copies_bytes / 1e6 / ${wall[copy]}" 1)
copy_cpu_rate=$(calc "$copies_bytes / 1e6 / ${cpu[copy]}" 1)
row "korvex-cli track --follow (the reader)" "" "$track_time" "${cpu[track]}" "$track_rate" \
    "$track_cpu_rate" "$(mib "${peak[track]}")"
row "ffmpeg -c copy -f null (concat: protocol)" "" "${wall[copy]}" "${cpu[copy]}" \
    "$copy_rate" "$copy_cpu_rate" "$(mib "${peak[copy]}")"
ratio_row "$(calc "$track_rate / $copy_rate")" "$(calc "$track_cpu_rate / $copy_cpu_rate")" \
    "$(calc "${peak[track]} / ${peak[copy]}")"
echo "  korvex-cli track: wall time less its ${track_quiet} s quiet end. Its wall time is also bound"
echo "  by its own packet loop (it sleeps 1 ms whenever both buffers are empty, and the reader"
echo "  fills the audio buffer's 15 packets in less): the CPU-time rate measures the reader."

echo
echo "Pacing: 60 fps recording of $paced_seconds s, $paced_pictures pictures, --sound null"
printf "%-42s %8s %10s %14s %14s %6s %9s\n" "" pictures expected/s pictures/s "after 1st s/s" \
    late "peak MiB"
paced_row "korvex-cli play (1x)" 60
paced_row "korvex-cli play --speed-slider 5 (2x)" 120 --speed-slider 5
# Continuous shooting: a program folder of its own, whose settings ask for 10 shots.
mkdir "$work/bin" "$work/pictures"
cp "$cli" "$work/bin/korvex-cli"
printf '[Config]\nm_contishoot=10\n' >"$work/bin/Config.ini"
paced_program=$work/bin/korvex-cli XDG_PICTURES_DIR=$work/pictures \
    paced_row "korvex-cli play --snapshot (1x, 10 shots)" 60 --snapshot
shots=$(find "$work/pictures" -name '*.bmp' | wc -l)
((shots == 10)) || fail "the snapshot run wrote $shots shots, not 10"
echo "  pictures/s and late: the summary (first to last picture); after 1st s/s: from picture 61"
echo "  on. The packets carry 30 pictures/s until the reader has measured the frame rate over the"
echo "  first 31 pictures, so the whole-run rate is below the expected one. The snapshot row writes"
echo "  10 BMP shots of 1920x1080 one after the other while it plays."
