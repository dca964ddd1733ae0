#!/bin/sh
# The Windows build's program under wine, started as the Linux suites start the program they
# test (they take it from PATTERN_GENERATOR_UNDER_TEST): PATTERN_WINDOWS_BUILD names the
# build folder, WINEPREFIX the prefix.
exec wine "$PATTERN_WINDOWS_BUILD/win32/pattern-generator.exe" "$@"
