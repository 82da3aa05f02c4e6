#!/usr/bin/env bash
# Pictures of the main window, the new-report dialog, the configuration dialog and the guidance window
# for the user guide, drawn under Xvfb with the sample program folder: docs/skjermbilder/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
scripts/sample-program-folder.sh "$home"
TELVAINN_HOME=$home QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x900x24" \
    env HOME=/home/bruker build/default/bin/telvainn-skjermbilder docs/skjermbilder
