#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the plain build, then the unit tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
ctest --preset default -j "$(nproc)"
scripts/build.sh asan
ctest --preset asan -j "$(nproc)"
