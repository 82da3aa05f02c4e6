#!/usr/bin/env bash
# Shows the program's main jobs with the command-line tool of a finished build (scripts/run.sh builds):
# the sample flat data file as one encrypted file per company and report, one of them decrypted back;
# the spreadsheet check and the recording of the sample templates' versions; an Excel report made,
# validated, written as a data file and encrypted.
set -euo pipefail
cd "$(dirname "$0")/.."

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

# An Excel report from the sample template for report 10, its data file and its encrypted file.
echo
echo "== telvainn-cli ny --rapport 10 --periode 200812 R10-200812"
"$cli" ny --rapport 10 --periode 200812 "$demo/R10-200812"
echo
echo "== telvainn-cli valider R10-200812.xls (a new report has no rows yet)"
"$cli" valider "$demo/R10-200812.xls" || true
echo
echo "== telvainn-cli valider $(basename build/default/testdata/korreksjon-r11.xls) (a filled correction form)"
"$cli" valider build/default/testdata/korreksjon-r11.xls
echo
echo "== telvainn-cli lag-datafil korreksjon-r11.xls"
"$cli" lag-datafil build/default/testdata/korreksjon-r11.xls --ut "$demo/k11-data.txt"
cat "$demo/k11-data.txt"
echo "== telvainn-cli krypter korreksjon-r11.xls, and back"
"$cli" krypter build/default/testdata/korreksjon-r11.xls --ut "$demo/k11-kryptert.txt"
"$cli" dekrypter "$demo/k11-kryptert.txt" --ut "$demo/k11.xml"
iconv -f WINDOWS-1252 -t UTF-8 "$demo/k11.xml"
echo
