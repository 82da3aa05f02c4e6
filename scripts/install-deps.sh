#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds, runs and tests with. Does nothing when they are
# all there already; otherwise one quiet apt-get update and install.
set -euo pipefail

packages=(
    build-essential cmake ninja-build clang-format
    qt6-base-dev
    # lrelease at build time: the program's bokmål of Qt's own texts is compiled from its .ts source.
    qt6-tools-dev qt6-l10n-tools
    # The button pictures the program carries are SVG.
    libqt6svg6
    # The history of sent reports is an SQLite file, read through Qt's SQLite driver plugin.
    libqt6sql6-sqlite
    libssl-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # Mail and the internet test through libcurl; the mail tests' own peers: an SMTP server, a
    # sendmail-compatible client, and openssl for a throw-away certificate.
    libcurl4-openssl-dev python3 python3-aiosmtpd msmtp openssl
    # LibreOffice Calc and its UNO SDK; the GUI core, which also runs headless (the -nogui one
    # cannot show a window at all).
    libreoffice-calc libreoffice-dev libreoffice-dev-common
    # A person filling a report by hand is played under a virtual screen: keystrokes into the Calc window.
    xvfb xauth xdotool
    # pdftotext and pdfinfo: the printed log is checked in the PDF it makes.
    poppler-utils
    # The fuzzers: clang with libFuzzer and the sanitizer runtimes (only recommended by clang, so named
    # here), and llvm-symbolizer for readable stack traces in their reports.
    clang libclang-rt-14-dev llvm
    # The package's desktop entry and software-centre description are checked by their validators;
    # the core tests also run under Valgrind.
    appstream desktop-file-utils valgrind
    # The desktop program's office shows its windows on a display of the tests' own; xwininfo tells
    # when that display answers.
    xvfb x11-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installerer pakker: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
