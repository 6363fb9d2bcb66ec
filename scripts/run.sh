#!/usr/bin/env bash
# Installs what is missing, builds Korvex and starts it on the bundled demo card.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
scripts/build.sh build
# The viewer window is not built yet: until it is, show what the core reads.
echo "Korvex $(build/src/cli/korvex-cli version): the viewer window is not built yet; the core's view of this machine:"
build/src/cli/korvex-cli info
