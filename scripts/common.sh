# Shared by the scripts: install what is missing, then configure the tree for
# one architecture in $build (default: build/<arch> beside the sources).
#   TQ_ARCH       i686 (32-bit, the default) or x86_64
#   TQ_BUILD_DIR  another build folder
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
arch=${TQ_ARCH:-i686}
case "$arch" in
    i686 | x86_64) ;;
    *) echo "TQ_ARCH must be i686 or x86_64, not '$arch'" >&2; exit 2 ;;
esac
build=${TQ_BUILD_DIR:-$root/build/$arch}

"$root/scripts/setup.sh"

configure() {
    cmake -S "$root" -B "$build" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch-posix.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DTQ_WARNINGS_AS_ERRORS=ON "$@" >/dev/null
}

# Whether this machine runs 32-bit x86 Linux programs, which 32-bit Wine is
# made of: some virtual machines run 64-bit programs only.
host_runs_i686() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Runs a command on a private X server and stops this build's Wine before the
# server goes, so that no Wine process is left to lose its X connection.
with_display() {
    xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
        prefix=$1; shift
        "$@"; status=$?
        WINEPREFIX="$prefix" wineserver -k 2>/dev/null
        WINEPREFIX="$prefix" wineserver -w 2>/dev/null
        exit $status' _ "$build/wineprefix" "$@"
}
