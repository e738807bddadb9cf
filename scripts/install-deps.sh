#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need; only those missing.
# "install-deps.sh sanitizers" adds what the fuzz targets and the sanitizer build need.
set -euo pipefail

packages=(
    g++ cmake make clang-format
    qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-translations-l10n qt6-qpa-plugins
    libgl-dev fonts-liberation fonts-dejavu-core
    poppler-utils xvfb xauth xdotool imagemagick openbox
    libqrencode-dev zbar-tools
    libxml2-dev libxml2-utils
    desktop-file-utils appstream
    dpkg-dev lintian
    cups printer-driver-cups-pdf
    libpoppler-qt6-dev libzxing-dev libminizip-dev
)
if [ "${1:-}" = sanitizers ]; then
    # clang with libFuzzer and its sanitizer runtimes; gcc's own runtimes for the sanitizer build.
    packages+=(clang libclang-rt-14-dev libasan8 libubsan1)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "Missing packages and no sudo here. Run this as root, then run make again:" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
