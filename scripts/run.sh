#!/usr/bin/env bash
# Installs what is missing, builds Korvex and starts it on the bundled demo card.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
scripts/build.sh build
# A demo card, made once and kept in the build tree: three one-minute recordings at 1280x720.
demo=build/demo-card
if [[ ! -d $demo ]]; then
    echo "Writing the demo card (once)..."
    rm -rf "$demo.partial"
    build/tools/mkcard/korvex-mkcard --quiet --count 3 --seconds 60 --size 1280x720 "$demo.partial"
    mv "$demo.partial" "$demo"
fi
echo "Demo card: $root/$demo/DCIM/100MEDIA"
# The viewer window is not built yet: until it is, show what the core reads and plays.
echo "Korvex $(build/bin/korvex-cli version): the viewer window is not built yet; the core's view of this machine:"
build/bin/korvex-cli info
echo "The demo card's recordings:"
build/bin/korvex-cli list "$demo/DCIM/100MEDIA"
echo "Playing the first 10 seconds with sound, without a window..."
build/bin/korvex-cli play "$demo/DCIM/100MEDIA/REC_0001.ts" --pictures 300 | grep -v '^PICTURE'
