#!/usr/bin/env bash
# The builds CI runs besides the ordinary ones (scripts/test.sh):
#   - undefined-behaviour checks in trap mode with the C++ library's
#     assertions (TQ_SANITIZE=undefined), tests run with Wine's heap checking;
#   - Clang for MinGW-w64 with the GCC runtime, warnings as errors, the whole
#     suite run against the Clang-built DLL.
# Each in its own build folder: build/<arch>-ubsan, build/<arch>-clang. Tests
# run for each architecture this machine can run (TQ_ARCHS, default
# "i686 x86_64"); on one it cannot, the Clang build is built and its export
# table checked, and the checked build, which only acts when run, is skipped.
set -euo pipefail
status=0
for arch in ${TQ_ARCHS:-i686 x86_64}; do
    for kind in ubsan clang; do
        (
            TQ_ARCH=$arch
            TQ_BUILD_DIR=${TQ_BUILD_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}/$arch-$kind
            source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
            if [ $kind = ubsan ] && [ "$arch" = i686 ] && ! host_runs_i686; then
                echo "== $arch-$kind: this machine cannot run 32-bit x86 programs; checks run only when run"
                exit 0
            fi
            if [ $kind = ubsan ]; then
                configure -DTQ_SANITIZE=undefined -DTQ_HEAP_CHECK=ON -DTQ_BUILD_BENCH=OFF
            else
                cmake -S "$root" -B "$build" \
                    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/clang-$arch-mingw.cmake" \
                    -DCMAKE_BUILD_TYPE=Release -DTQ_WARNINGS_AS_ERRORS=ON >/dev/null
            fi
            echo "== $arch-$kind: building in $build"
            cmake --build "$build" -j"$(nproc)"
            if [ "$arch" = i686 ] && ! host_runs_i686; then
                echo "== $arch-$kind: this machine cannot run 32-bit x86 programs; export table only"
                exec ctest --test-dir "$build" --output-on-failure -L static "$@"
            fi
            echo "== $arch-$kind: testing"
            with_display ctest --test-dir "$build" --output-on-failure "$@"
        ) || status=1
    done
done
exit $status
