#!/usr/bin/env bash
# Installs what is needed, builds, and shows the program's main job on the sample flat data file:
# one encrypted file per company and report, then one of them decrypted back; then the spreadsheet
# check and the recording of the sample templates' versions.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

cli=$PWD/build/default/bin/telvainn-cli
sample=$PWD/samples/datafil-eksempel.txt
demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT

# A program folder of its own, configured for the data centre of the sample file.
export TELVAINN_HOME=$demo
printf '[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n' >"$demo/telvainn.ini"
mkdir "$demo/ut"

echo "== telvainn-cli krypter-datafil $(basename "$sample")"
"$cli" krypter-datafil "$sample" --ut "$demo/ut/Filnavn" | tee "$demo/filer.txt"

first=$(head -n 1 "$demo/filer.txt")
echo
echo "== Kryptert fil: $(basename "$first")"
cat "$first"
echo
echo "== telvainn-cli dekrypter $(basename "$first")"
"$cli" dekrypter "$first" --ut "$demo/rapport.xml"
echo
iconv -f WINDOWS-1252 -t UTF-8 "$demo/rapport.xml"
echo

echo
echo "== telvainn-cli test-excel"
"$cli" test-excel
echo
echo "== telvainn-cli versjoner (the sample templates the build made, in LibreOffice Calc)"
cp -r build/default/bin/maler "$demo/"
"$cli" versjoner
