#!/usr/bin/env bash
# Builds the Debian package build/default/telvainn_<version>_<arch>.deb: installs what the build needs,
# builds the default preset (the desktop program and the sample templates with it), and packs what
# `cmake --install` would install.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
(cd build/default && cpack -G DEB >/dev/null)
ls build/default/telvainn_*.deb
