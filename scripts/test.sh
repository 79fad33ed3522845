#!/usr/bin/env bash
# Builds everything and runs every test under Wine, on a private X server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

cmake --build "$build" -j"$(nproc)"
status=0
xvfb-run -a -s '-screen 0 1280x1024x24' \
    ctest --test-dir "$build" --output-on-failure "$@" || status=$?
WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
exit $status
