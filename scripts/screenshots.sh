#!/usr/bin/env bash
# Pictures for the user guide, drawn under Xvfb on a laptop's 1366 x 768 screen with the sample program
# folder: every window of the desktop program, and the questions and messages a person meets in the two
# flat data file commands: docs/skjermbilder/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

home=$(mktemp -d)
# The encrypted files of the pictured run; their folder's name shows in the guidance window.
out=$(mktemp -d "${TMPDIR:-/tmp}/Dokumenter.XXXXXX")
trap 'rm -rf "$home" "$out"' EXIT
scripts/sample-program-folder.sh "$home"
TELVAINN_HOME=$home QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1366x768x24" \
    env HOME=/home/bruker build/default/bin/telvainn-skjermbilder docs/skjermbilder \
    "$PWD/samples/datafil-eksempel.txt" "$out"
