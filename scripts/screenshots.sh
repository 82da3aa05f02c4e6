#!/usr/bin/env bash
# Pictures of the main window, the new-report dialog, the configuration dialog and the guidance window
# for the user guide, drawn under Xvfb with the sample program folder: docs/skjermbilder/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if ! command -v xvfb-run >/dev/null; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends xvfb xauth >/dev/null
fi
scripts/build.sh default

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
scripts/sample-program-folder.sh "$home"
TELVAINN_HOME=$home QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x900x24" \
    env HOME=/home/bruker build/default/bin/telvainn-skjermbilder docs/skjermbilder
