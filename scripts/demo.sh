#!/usr/bin/env bash
# Builds the demo, regenerates the README's pictures (scripts/screenshots.sh)
# and runs the demo under Wine. With no X display it runs on a private X
# server by itself (/auto) and saves a screenshot to build/<arch>/demo.png.
# The demo is the 32-bit build (TQ_ARCH=x86_64 for the 64-bit one); on a
# machine that cannot run 32-bit x86 programs it is the 64-bit build.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
if [ -z "${TQ_ARCH:-}" ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    "$here/setup.sh"
    if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "demo: this machine cannot run 32-bit x86 programs; running the 64-bit build"
        export TQ_ARCH=x86_64
    fi
fi
source "$here/common.sh"
configure

cmake --build "$build" -j"$(nproc)" --target TqDemo
"$root/scripts/wine-prefix.sh" "$build/tq-wine"
"$root/scripts/screenshots.sh"
if [ -n "${DISPLAY:-}" ]; then
    exec "$build/tq-wine" "$build/bin/TqDemo.exe"
fi
with_display bash -c '
    "$1/tq-wine" "$1/bin/TqDemo.exe" /auto &
    demo=$!
    sleep 2.5
    import -window root "$1/demo.png" 2>/dev/null || true
    wait $demo' _ "$build"
echo "demo: finished; screenshot in $build/demo.png"
