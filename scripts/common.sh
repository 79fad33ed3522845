# Shared by the demo and test commands: install what is missing, then
# configure and build the tree in $build (default: build/ beside the sources).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TQ_BUILD_DIR:-$root/build}

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686-posix.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTQ_WARNINGS_AS_ERRORS=ON >/dev/null
