#!/usr/bin/env bash
# Checks what a desktop sees of the program: its desktop entry and metainfo, an
# installation into a staging folder, and the Debian package, which is built, checked
# with lintian, unpacked and started.
#
#     package_test.sh desktop-files|staged-install|debian-package SOURCE BUILD [END_TO_END]
set -euo pipefail
check=$1 source_dir=$2 build_dir=$3
id=org.patterngenerator.PatternGenerator
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# AppStream 1.x warns that the metainfo names no homepage. The project has no web site, and
# an invented address would be worse than none, so that warning counts as information here.
# AppStream 0.16 does not know the tag and refuses to override it.
appstream_options=(--no-net)
if [[ $(appstreamcli --version) =~ version:\ ([0-9]+) ]] && ((BASH_REMATCH[1] >= 1)); then
    appstream_options+=(--override=url-homepage-missing=info)
fi

# The value of KEY in a desktop entry.
entry_value() {
    sed -n "s/^$2=//p" "$1" | head -n 1
}

case $check in
desktop-files)
    desktop-file-validate "$source_dir/packaging/$id.desktop"
    appstreamcli validate "${appstream_options[@]}" "$source_dir/packaging/$id.metainfo.xml"
    ;;

staged-install)
    DESTDIR="$work/stage" cmake --install "$build_dir" --prefix /usr >/dev/null
    appstreamcli validate-tree "${appstream_options[@]}" "$work/stage"
    [[ -x "$work/stage/usr/bin/pattern-generator" ]] || fail "no program in bin"
    ;;

debian-package)
    end_to_end=$4
    cpack --config "$build_dir/CPackConfig.cmake" -B "$work/package" >/dev/null
    packages=("$work"/package/*.deb)
    [[ ${#packages[@]} -eq 1 ]] || fail "expected one package, found ${#packages[@]}"
    package=${packages[0]}
    [[ $(basename "$package") == pattern-generator_*_amd64.deb ]] || fail "named $package"
    # Built without Debian's hardening flags, which scripts/package adds.
    "$source_dir/scripts/check-lintian" "$package"
    [[ $(dpkg-deb -f "$package" Recommends) == *qt6-wayland* ]] || fail "qt6-wayland not recommended"
    [[ $(dpkg-deb -f "$package" Depends) == *libqt6widgets6* ]] || fail "no dependency on Qt"

    root="$work/unpacked"
    dpkg-deb -x "$package" "$root"
    entry="$root/usr/share/applications/$id.desktop"
    [[ -f "$entry" ]] || fail "no desktop entry"
    program=$(entry_value "$entry" Exec)
    [[ -x "$root/usr/bin/$program" ]] || fail "the entry starts $program, which is not in usr/bin"
    icon=$(entry_value "$entry" Icon)
    for size in 16 32 48 64 128 256 512; do
        png="$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png"
        [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] || fail "no $size px icon $icon"
    done
    metainfo="$root/usr/share/metainfo/$id.metainfo.xml"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $id.desktop"
    [[ -f "$root/usr/share/man/man1/pattern-generator.1.gz" ]] || fail "no manual page"
    [[ -f "$root/usr/share/doc/pattern-generator/copyright" ]] || fail "no copyright file"

    # The unpacked program, started as a user would, draws its pattern in a window.
    PATTERN_GENERATOR_UNDER_TEST="$root/usr/bin/$program" \
        xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -noreset" \
        "$end_to_end" --gtest_filter='EndToEnd.ShowsAPattern*'
    ;;

*)
    fail "unknown check $check"
    ;;
esac
echo "$check: passed"
