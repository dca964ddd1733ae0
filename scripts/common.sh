# What the project's scripts share; sourced by them, not run. Running as root or through
# sudo, Debian packages, the stages of the test command, and the X server the suites and
# soaks give a program.

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)

# Whether a Debian package is installed: for this machine's architecture, or for the one
# named after a colon.
installed() {
    local name=${1%%:*} architecture
    architecture=$(dpkg --print-architecture)
    [[ $1 != *:* ]] || architecture=${1#*:}
    dpkg-query -W -f='${Architecture} ${Status}\n' "$name" 2>/dev/null |
        grep -qE "^($architecture|all) install ok installed$"
}

install_packages() {
    echo "Installing: $*"
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq \
        --no-install-recommends "$@"
}

# Whether the Windows program can be built and tested here: its build runs tools of its own
# under wine.
windows_tools_installed() {
    command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null &&
        command -v makensis >/dev/null && command -v zip >/dev/null
}

# The stages of scripts/test, in the order it runs them.
test_stages=(default arm64 windows static sanitize tsan reproducible)

# Exits with the usage line unless every argument names a stage.
check_stages() {
    local stage
    for stage in "$@"; do
        if [[ " ${test_stages[*]} " != *" $stage "* ]]; then
            (
                IFS='|'
                echo "usage: $usage_words [${test_stages[*]} ...]" >&2
            )
            exit 2
        fi
    done
}

# An X server of a program's own, as the test suites start one: xvfb-run "${x_server[@]}" ...
# Without -noreset the server resets whenever its last client leaves, and refuses the next
# connection while it does.
x_server=(--auto-servernum "--server-args=-screen 0 1024x768x24 -noreset")

# Installs what is needed and builds targets in build/run, where a newer compiler's or
# toolkit's warning does not stop the build; the test command builds in build/default.
build_for_running() {
    scripts/setup
    cmake --preset run >/dev/null
    cmake --build --preset run --target "$@"
}
