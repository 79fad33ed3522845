#!/usr/bin/env bash
# Builds the demo, regenerates the README's pictures (scripts/screenshots.sh)
# and runs the demo under Wine. With no X display it runs on a private X
# server by itself (/auto) and saves a screenshot to build/demo.png.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

cmake --build "$build" -j"$(nproc)" --target TqDemo
"$root/scripts/wine-prefix.sh" "$build/tq-wine"
"$root/scripts/screenshots.sh"
if [ -n "${DISPLAY:-}" ]; then
    exec "$build/tq-wine" "$build/bin/TqDemo.exe"
fi
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
    "$1/tq-wine" "$1/bin/TqDemo.exe" /auto &
    demo=$!
    sleep 2.5
    import -window root "$1/demo.png" 2>/dev/null || true
    wait $demo' _ "$build"
WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
echo "demo: finished; screenshot in $build/demo.png"
