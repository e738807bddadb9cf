#!/usr/bin/env bash
# Builds a small program against the report engine of a build folder, opens the preview "Náhled"
# under Xvfb on a sample layout and saves screenshots to screenshots/out/ (the window's own
# grab and the whole X screen).
# Usage: scripts/screenshot-report.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=$PWD/screenshots/out
mkdir -p "$out"
cmake --build "$build" --target velorin_report_ui velorin_report velorin_common_ui velorin_common >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -fPIC -Isrc -I"$build/src/report/velorin_report_ui_autogen/include" scripts/screenshot-report.cpp \
    "$build/src/report/libvelorin_report_ui.a" "$build/src/report/libvelorin_report.a" \
    "$build/src/common/libvelorin_common_ui.a" \
    "$build/src/common/libvelorin_common.a" \
    $(pkg-config --cflags --libs Qt6Widgets Qt6PrintSupport) -o "$work/shot"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
    '$work/shot' '$out/report-preview.png' &
    pid=\$!
    sleep 2
    import -window root '$out/report-preview-screen.png'
    wait \$pid"
echo "wrote $out/report-preview.png and $out/report-preview-screen.png"
# The manual shows some of these pictures: keep its copies up to date.
bash scripts/manual-images.sh
