#!/usr/bin/env bash
# Writes both order forms of a sample order as PDF, renders their pages with pdftoppm and takes a
# screenshot of each form's preview under Xvfb, all into screenshots/out/.
# Usage: scripts/print-forms.sh [build-folder] [display-number]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
display=${2:-11}
out=$PWD/screenshots/out
mkdir -p "$out"
cmake --build "$build" --target velorin_print velorin_report_ui >/dev/null
work=$(mktemp -d)
source scripts/lib/desktop.sh
start_desktop ":$display"
libs=("$build"/src/print/libvelorin_print.a "$build"/src/report/libvelorin_report_ui.a "$build"/src/report/libvelorin_report.a
    "$build"/src/order/libvelorin_order.a "$build"/src/common/libvelorin_common_ui.a "$build"/src/common/libvelorin_common.a)
g++ -std=c++20 -fPIC -Isrc scripts/print-forms.cpp "${libs[@]}" \
    $(pkg-config --cflags --libs Qt6Widgets Qt6PrintSupport) -o "$work/forms"
DISPLAY=":$display" "$work/forms" "$out"
for f in print-single print-collective; do
    pdftoppm -png -r 100 -singlefile "$out/$f.pdf" "$out/$f-page"
done
ls -1 "$out"/print-*
# The manual shows some of these pictures: keep its copies up to date.
bash scripts/manual-images.sh
