#!/usr/bin/env bash
# Builds and runs every benchmark under Wine on a private X server, for each
# architecture this machine runs (TQ_ARCHS, default "i686 x86_64"). Each
# benchmark prints its ratios against a baseline measured in the same run.
set -euo pipefail
status=0
for arch in ${TQ_ARCHS:-i686 x86_64}; do
    (
        TQ_ARCH=$arch
        source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
        configure
        if [ "$arch" = i686 ] && ! host_runs_i686; then
            echo "== i686: this machine cannot run 32-bit x86 programs; skipped"
            exit 0
        fi
        names=()
        for source in "$root"/bench/*.cpp; do
            names+=("$(basename "$source" .cpp)")
        done
        cmake --build "$build" -j"$(nproc)" --target "${names[@]}"
        "$root/scripts/wine-prefix.sh" "$build/tq-wine"
        failed=0
        for name in "${names[@]}"; do
            echo "== $arch: $name"
            with_display "$build/tq-wine" "$build/bin/$name.exe" || failed=1
        done
        exit $failed
    ) || status=1
done
exit $status
