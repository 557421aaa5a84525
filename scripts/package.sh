#!/usr/bin/env bash
# Builds the Debian package of Nomira and prints its path.
#
#   scripts/package.sh          install what is missing and build build/ (scripts/setup.sh), set
#                               its install prefix to /usr and run cpack -G DEB there
#
# Install the result with   sudo apt install ./build/nomira_*.deb
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

case "${1:-}" in
"") ;;
-h | --help)
    sed -n '2,7s/^# \{0,1\}//p' "$0"
    exit 0
    ;;
*)
    echo "package.sh: unknown option '$1' (try --help)" >&2
    exit 2
    ;;
esac

scripts/setup.sh
# The package installs into /usr, its libraries into the Debian multiarch folder. Only install
# paths change, so nothing is compiled again.
cmake -S . -B build -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_INSTALL_LIBDIR="lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)" >/dev/null
cmake --build build -j"$(nproc)"
rm -f build/nomira_*.deb
(cd build && cpack -G DEB)
ls build/nomira_*.deb
