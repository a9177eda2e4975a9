#!/bin/sh
# tools/release.sh: installs what is missing, builds, and names the release archive and its digest.
# The archive, build/release/Brantovell-VERSION.zip, is built with everything else; this checks
# it against its digest and says where it is.
set -eu
. "$(dirname "$0")/lib/project.sh"
"$top/tools/setup.sh"
"$top/tools/build.sh"
cd "$build/release"
for digest in Brantovell-*.zip.sha256; do
    sha256sum -c "$digest"
    echo "The release: $build/release/${digest%.sha256}"
    echo "Its SHA-256, to publish beside it: $(cut -d' ' -f1 "$digest")"
done
