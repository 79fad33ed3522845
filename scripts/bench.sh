#!/usr/bin/env bash
# Builds and runs every benchmark under Wine on a private X server. Each one
# prints its ratios against a baseline measured in the same run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

names=()
for source in "$root"/bench/*.cpp; do
    names+=("$(basename "$source" .cpp)")
done
cmake --build "$build" -j"$(nproc)" --target "${names[@]}"
"$root/scripts/wine-prefix.sh" "$build/tq-wine"
status=0
for name in "${names[@]}"; do
    echo "== $name"
    xvfb-run -a -s '-screen 0 1280x1024x24' "$build/tq-wine" "$build/bin/$name.exe" || status=1
done
WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
exit $status
