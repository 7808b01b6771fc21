#!/usr/bin/env bash
# make-cleaner-links.sh SANDBOX: the symbolic links of the cleaner tests. Windows
# programs under Wine cannot make them, so they are made here from the Linux side,
# inside the sandbox prefix's drive C: and nowhere else.
set -euo pipefail
source "$(dirname "$0")/../support/fixture-sandbox.sh"

# C:\quillmere-link-test\purged holds a plain file and "link", a link to the folder
# "target" beside it, whose canary files must survive any purge of "purged".
base="$WINEPREFIX/drive_c/quillmere-link-test"
rm -rf "$base"
mkdir -p "$base/target/inner" "$base/purged"
echo canary >"$base/target/canary1.txt"
echo canary >"$base/target/inner/canary2.txt"
echo plain >"$base/purged/plain.txt"
ln -s ../target "$base/purged/link"

# C:\quillmere-run-test\History, the History folder of the clean-up run test, holds
# "link", a link to the folder "Outside" beside it, whose canary must survive.
run="$WINEPREFIX/drive_c/quillmere-run-test"
rm -rf "$run"
mkdir -p "$run/History" "$run/Outside"
echo canary >"$run/Outside/canary.txt"
ln -s ../Outside "$run/History/link"

# The console program's test purges the user's own History folder: it holds
# "quillmere-cli-link", a link to C:\quillmere-cli-test\Outside, whose canary must
# survive.
cli="$WINEPREFIX/drive_c/quillmere-cli-test"
history="$WINEPREFIX/drive_c/users/$USER/AppData/Local/Microsoft/Windows/History"
rm -rf "$cli" "$history/quillmere-cli-link"
mkdir -p "$cli/Outside" "$history"
echo canary >"$cli/Outside/canary.txt"
ln -s "$(realpath --relative-to="$history" "$cli/Outside")" "$history/quillmere-cli-link"
