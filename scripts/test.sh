#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the plain build (Valgrind's memcheck on the
# core layers included), the Debian package installed and run, the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
ctest --preset default -j "$(nproc)"
scripts/package-test.sh
scripts/build.sh asan
ctest --preset asan -j "$(nproc)"
scripts/fuzz.sh 30
