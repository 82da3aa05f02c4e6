#!/usr/bin/env bash
# Makes FOLDER a ready program folder for trying the program: the sample templates of the build and a
# telvainn.ini for the data centre and company of the sample flat data file. An existing telvainn.ini
# is kept, so what the user configured stays.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:?usage: scripts/sample-program-folder.sh FOLDER}
mkdir -p "$folder/maler"
cp build/default/bin/maler/r*.xls "$folder/maler/"
if [ ! -e "$folder/telvainn.ini" ]; then
    printf '[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n' >"$folder/telvainn.ini"
fi
