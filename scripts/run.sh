#!/usr/bin/env bash
# Installs what is missing, builds Korvex and starts it on the bundled demo card.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
scripts/build.sh build
# A demo card, made once and kept in the build tree: three one-minute recordings at 1280x720 as
# a camera writes them (date, time and speed burned in, a drive through town). A card of an
# older generator is written again.
demo=build/demo-card
demo_kind="camera-look 3x60s 1280x720"
if [[ ! -d $demo || $(cat "$demo.kind" 2>/dev/null) != "$demo_kind" ]]; then
    echo "Writing the demo card (once)..."
    rm -rf "$demo" "$demo.partial"
    build/tools/mkcard/korvex-mkcard --quiet --camera-look --count 3 --seconds 60 \
        --size 1280x720 "$demo.partial"
    mv "$demo.partial" "$demo"
    echo "$demo_kind" >"$demo.kind"
fi
first=$demo/DCIM/100MEDIA/REC_0001.ts
echo "Demo card: $root/$demo/DCIM/100MEDIA"
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    exec build/bin/korvex "$first"
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): playing the demo card without a window."
build/bin/korvex-cli info
echo "The demo card's recordings:"
build/bin/korvex-cli list "$demo/DCIM/100MEDIA"
echo "Playing the first 10 seconds with sound..."
build/bin/korvex-cli play "$first" --pictures 300 | grep -v '^PICTURE'
