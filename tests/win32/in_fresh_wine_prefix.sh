#!/bin/sh
# Runs a command with a wine prefix of its own, made for it and removed after it, so that no
# test sees another's registry, clipboard or programs:
#
#     in_fresh_wine_prefix.sh [--dpi DOTS_PER_INCH] COMMAND [ARGUMENT...]
#
# With --dpi, Windows programs in the prefix see displays of that many dots per inch (96 is
# 100 %), as a user's display scaling sets it.
set -eu
dpi=
if [ "${1:-}" = --dpi ]; then
    dpi=$2
    shift 2
fi
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/wine-prefix.XXXXXX")
WINEDEBUG=-all
# No menu entries or file associations in the user's desktop for the test programs.
WINEDLLOVERRIDES=winemenubuilder.exe=d
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
finish() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap finish EXIT
if ! wine wineboot -i >/dev/null 2>&1; then
    echo "in_fresh_wine_prefix: wine could not make a prefix in $WINEPREFIX" >&2
    exit 1
fi
wineserver -w
if [ -n "$dpi" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1
    wineserver -w
fi
status=0
"$@" || status=$?
exit $status
