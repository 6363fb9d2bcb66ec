#!/usr/bin/env bash
# Starts the services the tests use, unless they already run: a PulseAudio server with a null
# sink (its monitor records what was played). Prints the environment the tests need.
set -euo pipefail
runtime=${KORVEX_TEST_RUNTIME:-/tmp/korvex-test-runtime}
mkdir -p "$runtime/pulse"
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
export PULSE_RUNTIME_PATH=$runtime/pulse
if ! pactl info >/dev/null 2>&1; then
    # As root the daemon warns that it is meant for a user session; it still serves us.
    pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit --use-pid-file=yes \
        --system=no -n --load="module-native-protocol-unix" \
        --load="module-null-sink sink_name=korvex_test" \
        --load="module-always-sink" >/dev/null 2>&1 || true
    for _ in $(seq 50); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    pactl info >/dev/null 2>&1 || { echo "test-services: PulseAudio did not start" >&2; exit 1; }
    pactl set-default-sink korvex_test
fi
echo "export XDG_RUNTIME_DIR=$runtime PULSE_RUNTIME_PATH=$runtime/pulse"
echo "export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1"
