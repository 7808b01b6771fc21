#!/usr/bin/env bash
# make-large-folder.sh SANDBOX: C:\AOL60\CACHE of the large-store test, holding
# QUILLMERE_LARGE_COUNT empty files (10000 unless it is set), made from the Linux
# side inside the sandbox prefix's drive C:, where a program under Wine would take
# a couple of milliseconds a file.
set -euo pipefail
source "$(dirname "$0")/../support/fixture-sandbox.sh"

count=${QUILLMERE_LARGE_COUNT:-10000}
folder="$WINEPREFIX/drive_c/AOL60/CACHE"
rm -rf "$WINEPREFIX/drive_c/AOL60"
mkdir -p "$folder"
cd "$folder"
seq -f 'page%.0f.htm' 0 $((count - 1)) | xargs touch
