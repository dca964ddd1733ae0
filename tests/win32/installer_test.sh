#!/bin/sh
# Installs the program with its installer, silently, into the wine prefix WINEPREFIX names,
# starts it from where it was installed, and uninstalls it silently: every file, the
# Start-menu shortcut and the registry key must come and go. Needs an X server.
#
#     installer_test.sh SETUP.exe
#
# takes SETUP.exe from the Windows build's folder, PATTERN_WINDOWS_BUILD, unless its path is
# absolute.
set -eu
case $1 in
/*) setup=$1 ;;
*) setup=$PATTERN_WINDOWS_BUILD/$1 ;;
esac
drive="$WINEPREFIX/drive_c"
folder="$drive/Program Files/Pattern Generator"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Pattern Generator.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\PatternGenerator'

fail() {
    echo "installer_test: $*" >&2
    exit 1
}
# Waits up to 30 s for a shell condition.
wait_for() {
    tries=0
    until eval "$1"; do
        tries=$((tries + 1))
        [ $tries -lt 300 ] || return 1
        sleep 0.1
    done
}
registered() {
    wine reg query "$key" /v "$1" 2>/dev/null | grep -F "$2" >/dev/null
}

[ -f "$setup" ] || fail "no installer $setup: build it with 'cmake --workflow --preset windows'"
wine "$setup" /S 2>/dev/null || fail "the installer failed"
wineserver -w
for file in pattern-generator.exe LICENSE.txt uninstall.exe; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
registered DisplayName "Pattern Generator" || fail "not in the list of programs"
registered UninstallString 'C:\Program Files\Pattern Generator\uninstall.exe' ||
    fail "no uninstaller registered"
registered QuietUninstallString '\uninstall.exe" /S' || fail "no quiet uninstaller registered"
echo "installed into $folder"

# The installed program starts and shows its window; then it is asked to close.
wine "C:\\Program Files\\Pattern Generator\\pattern-generator.exe" 2>/dev/null &
program=$!
wait_for 'xwininfo -root -tree 2>/dev/null | grep -F "\"Form1\"" >/dev/null' ||
    fail "the installed program showed no window"
wine taskkill /im pattern-generator.exe >/dev/null 2>&1 || true
wait $program || fail "the installed program did not end cleanly when closed"
echo "the installed program started and closed"

# The uninstaller copies itself away to run and returns at once.
wine "C:\\Program Files\\Pattern Generator\\uninstall.exe" /S 2>/dev/null ||
    fail "the uninstaller failed"
wait_for '! [ -e "$folder" ]' || fail "left behind: $(ls "$folder")"
wineserver -w
[ ! -e "$shortcut" ] || fail "the shortcut was left behind"
if wine reg query "$key" >/dev/null 2>&1; then
    fail "the registry key was left behind"
fi
echo "uninstalled: no file, shortcut or registry key left"
