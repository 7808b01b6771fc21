# Sourced by the fixture scripts, which make what the tests need from the Linux side:
# prepares the sandbox given as their first argument, and stops them unless its
# prefix is the build tree's sandbox prefix. Everything they make goes below
# "$WINEPREFIX/drive_c".
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/sandbox.sh"
sandbox_prepare "$1"
case "$WINEPREFIX" in
  */sandbox/prefix) ;;
  *) echo "$(basename "$0"): $WINEPREFIX is not a sandbox prefix" >&2; exit 1 ;;
esac
