#!/bin/sh
# The Windows build's program under wine, started as the Linux suites start the program they
# test (they take it from PATTERN_GENERATOR_UNDER_TEST): PATTERN_WINDOWS_BUILD names the
# build folder, WINEPREFIX the prefix.
program=${PATTERN_WINDOWS_BUILD:?names no Windows build}/win32/pattern-generator.exe
if [ ! -f "$program" ]; then
    echo "run_windows_program: no $program: build it with 'cmake --workflow --preset windows'" >&2
    exit 127
fi
exec wine "$program" "$@"
