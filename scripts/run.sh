#!/usr/bin/env bash
# Installs what is needed, builds, and starts the desktop program with a ready sample program folder
# (build/eksempel). On a machine without a display it says so and shows the command-line tool instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Ingen skjerm her (verken DISPLAY eller WAYLAND_DISPLAY er satt), så skrivebordsprogrammet kan"
    echo "ikke vises. Viser kommandolinjeverktøyet telvainn-cli i stedet."
    echo
    exec scripts/cli-demo.sh
fi

scripts/sample-program-folder.sh build/eksempel
echo "Starter telvainn med programmappen build/eksempel"
TELVAINN_HOME=$PWD/build/eksempel exec build/default/bin/telvainn "$@"
