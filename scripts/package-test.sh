#!/usr/bin/env bash
# Builds the Debian package (or takes the one named) and runs the command-line tool from the installed files: unpacked into a
# clean root, and, when run as root on a machine without the package, installed for real through apt
# (which also proves that its dependencies resolve) and removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(scripts/package.sh | tail -n 1)}
deb=$(readlink -f "$deb")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "package-test: $*" >&2
    exit 1
}

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libreoffice-calc libqt6widgets6 libqt6sql6-sqlite libcurl4 libuno-cppu3; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

# Runs the installed programs under bin/ FOLDER (and their private folder beside it) as a new user.
check_installed() {
    local bin=$1 docs=$2 name=$3
    local home=$work/$name-home
    mkdir -p "$home"
    ldd "$(dirname "$bin")/libexec/telvainn/telvainn" | grep -q 'not found' && fail "$name: the desktop program lacks libraries"

    # The launcher makes the user's own program folder, with the sample templates, on first start.
    HOME=$home XDG_DATA_HOME='' TELVAINN_HOME='' "$bin/telvainn-cli" --help | grep -q krypter-datafil ||
        fail "$name: telvainn-cli --help"
    local folder=$home/.local/share/telvainn
    [ -f "$folder/maler/r10.xls" ] && [ -f "$folder/maler/r60.xls" ] || fail "$name: $folder/maler was not seeded"

    # A flat-file encryption, configured through the user's own telvainn.ini, decrypted back.
    printf '[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n' >"$folder/telvainn.ini"
    mkdir -p "$home/ut"
    HOME=$home XDG_DATA_HOME='' TELVAINN_HOME='' "$bin/telvainn-cli" krypter-datafil \
        "$docs/eksempler/datafil-eksempel.txt" --ut "$home/ut/Filnavn" >"$home/filer.txt" ||
        fail "$name: krypter-datafil"
    local count
    count=$(wc -l <"$home/filer.txt")
    [ "$count" -ge 2 ] || fail "$name: expected several encrypted files, got: $(cat "$home/filer.txt")"
    HOME=$home "$bin/telvainn-cli" dekrypter "$(head -n 1 "$home/filer.txt")" --ut "$home/rapport.xml" >/dev/null 2>&1 ||
        fail "$name: dekrypter"
    grep -q '<?xml' "$home/rapport.xml" || fail "$name: the decrypted report is not XML"

    # TELVAINN_HOME still names the program folder, and no per-user folder is made for it.
    local own=$work/$name-own
    mkdir -p "$own"
    HOME=$work/$name-other TELVAINN_HOME=$own "$bin/telvainn-cli" krypter-datafil \
        "$docs/eksempler/datafil-eksempel.txt" --ut "$own/Filnavn" >/dev/null 2>&1 &&
        fail "$name: krypter-datafil ran without the settings of TELVAINN_HOME"
    [ -e "$own/telvainn.ini" ] || fail "$name: TELVAINN_HOME was not used"
    [ ! -e "$work/$name-other" ] || fail "$name: a per-user folder was made although TELVAINN_HOME was set"
    echo "package-test: $name: $count encrypted files from the installed telvainn-cli"
}

root=$work/root
dpkg-deb -x "$deb" "$root"
check_installed "$root/usr/bin" "$root/usr/share/doc/telvainn" unpacked

if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W telvainn >/dev/null 2>&1; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install"; }
    check_installed /usr/bin /usr/share/doc/telvainn installed
    apt-get remove -y -qq telvainn >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get remove"; }
fi
