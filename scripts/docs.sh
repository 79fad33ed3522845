#!/usr/bin/env bash
# Builds the HTML reference of the public headers with Doxygen into
# build/docs/html (TQ_DOCS_DIR picks another folder than build/docs). Fails on
# any Doxygen warning, an undocumented public member included. Needs neither
# the cross compiler nor Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

"$root/scripts/setup.sh"

# docs/Doxyfile reads the output folder from the environment.
export TQ_DOCS_OUTPUT=${TQ_DOCS_DIR:-$root/build/docs}
mkdir -p "$TQ_DOCS_OUTPUT"
log=$TQ_DOCS_OUTPUT/warnings.log
rm -rf "$TQ_DOCS_OUTPUT/html" "$log"

cd "$root"
status=0
doxygen docs/Doxyfile || status=$?
# Doxygen writes its warnings to the log; any line there fails the build,
# whatever Doxygen's own exit status says.
if [ -s "$log" ]; then
    cat "$log" >&2
    echo "docs: $(wc -l <"$log") Doxygen warning line(s), see $log" >&2
    exit 1
fi
if [ "$status" -ne 0 ]; then
    echo "docs: doxygen failed with status $status" >&2
    exit "$status"
fi
echo "docs: reference in $TQ_DOCS_OUTPUT/html/index.html"
