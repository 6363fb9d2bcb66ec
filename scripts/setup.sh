#!/usr/bin/env bash
# Installs the Debian packages that Korvex needs to build, run and test. Quiet and quick when
# everything is already there.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ clang pkg-config git ccache
    # decoding and conversion
    libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
    # windows, drawing, the map page
    qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins qt6-webengine-dev libjs-leaflet libgl-dev libxkbcommon-dev
    fonts-dejavu-core
    # Chinese, Japanese and Korean glyphs for the translated texts
    fonts-noto-cjk
    # the skin pictures, drawn at build time from the theme's symbolic icons
    qt6-svg-dev adwaita-icon-theme
    # sound and system volume
    libpulse-dev pulseaudio
    # snapshots, and the time and place they carry
    libturbojpeg0-dev libexif-dev
    # tests: sources of GoogleTest, sanitizer and fuzzer runtimes, outside judges, a screen
    googletest libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev ffmpeg xvfb xauth
    libimage-exiftool-perl
    # a private D-Bus daemon with fake services (UDisks2), and dbus-monitor listening on it
    dbus-daemon dbus-bin python3-dbusmock
    # the validators of the installed desktop entry and AppStream metadata; the MIME database
    desktop-file-utils appstream shared-mime-info
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
