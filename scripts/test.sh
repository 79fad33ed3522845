#!/usr/bin/env bash
# Builds everything and runs every test under Wine on a private X server, for
# 32-bit (i686) and 64-bit (x86_64) Windows, each in its own build folder and
# Wine prefix. Extra arguments go to ctest (for example -R strings).
# TQ_ARCHS picks the architectures (default: "i686 x86_64").
set -euo pipefail
status=0
for arch in ${TQ_ARCHS:-i686 x86_64}; do
    (
        TQ_ARCH=$arch
        source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
        configure
        echo "== $arch: building in $build"
        cmake --build "$build" -j"$(nproc)"
        if [ "$arch" = i686 ] && ! host_runs_i686; then
            echo "== i686: this machine cannot run 32-bit x86 programs (32-bit Wine);"
            echo "== i686: built and checked the export table only"
            ctest --test-dir "$build" --output-on-failure -L static "$@"
            exit $?
        fi
        echo "== $arch: testing"
        with_display ctest --test-dir "$build" --output-on-failure "$@"
    ) || status=1
done
exit $status
