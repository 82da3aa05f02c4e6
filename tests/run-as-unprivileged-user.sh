#!/usr/bin/env bash
# Runs a test binary's tests that need folder permissions to hold as an unprivileged user: as root,
# a read-only folder stops no write, so those tests skip themselves in the ordinary run.
# Usage: run-as-unprivileged-user.sh GTEST_FILTER BINARY...
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    exit 77  # the ordinary run already ran them with working permissions
fi
filter=$1
shift
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
chmod 755 "$dir"
for binary in "$@"; do
    cp "$binary" "$dir/"
    output=$(cd "$dir" && setpriv --reuid=65534 --regid=65534 --clear-groups \
        env TMPDIR=/tmp "./$(basename "$binary")" --gtest_filter="$filter" 2>&1) || {
        echo "$output"
        exit 1
    }
    echo "$output" | tail -n 3
    # A filter that matches nothing would pass without testing anything.
    if ! echo "$output" | grep -q '^\[  PASSED  \] [1-9]'; then
        echo "no test ran in $(basename "$binary") for $filter"
        exit 1
    fi
    if echo "$output" | grep -q 'SKIPPED'; then
        echo "tests skipped as an unprivileged user"
        exit 1
    fi
done
