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

# The locks apt and dpkg hold while they run, as another package manager does: a new
# desktop's automatic updates often run in its first minutes.
apt_locks='^/var/(lib/dpkg/lock(-frontend)?|lib/apt/lists/lock|cache/apt/archives/lock)$'
apt_lock_wait=900 # seconds

# The programs that hold apt's locks now, as "NAME (process PID)", one a line.
apt_lock_holders() {
    "${as_root[@]}" lslocks --noheadings --raw --output COMMAND,PID,PATH 2>/dev/null |
        awk -v locks="$apt_locks" '$3 ~ locks { print $1 " (process " $2 ")" }' | sort -u
}

# Runs apt-get as root once no other package manager holds apt's locks, saying that it waits,
# for up to apt_lock_wait seconds. apt's own option covers a lock taken after the look, for
# the packages; apt-get update takes no heed of it, and is tried again after another wait.
apt_get() {
    local deadline=$((SECONDS + apt_lock_wait)) holders said='' status
    while true; do
        holders=$(apt_lock_holders | paste -sd ',' - | sed 's/,/, /g')
        if [[ -z $holders ]]; then
            status=0
            DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get \
                -o DPkg::Lock::Timeout=$((deadline > SECONDS ? deadline - SECONDS : 1)) "$@" ||
                status=$?
            if [[ $status -eq 0 || $SECONDS -ge $deadline || -z $(apt_lock_holders) ]]; then
                return $status
            fi
        elif [[ $SECONDS -ge $deadline ]]; then
            echo "${0##*/}: apt is still locked by $holders after $((apt_lock_wait / 60))" \
                "minutes; run this again once that has finished" >&2
            return 1
        elif [[ -z $said ]]; then
            echo "${0##*/}: waiting for $holders to finish with apt's lock" \
                "(up to $((apt_lock_wait / 60)) minutes)"
            said=yes
        fi
        sleep 2
    done
}

install_packages() {
    echo "Installing: $*"
    apt_get install -y -qq --no-install-recommends "$@"
}

# Whether the page can be built and tested here: Debian's emscripten, a node and npm, zip,
# and the two browsers.
web_tools_installed() {
    command -v emcc >/dev/null && command -v node >/dev/null && command -v npm >/dev/null &&
        command -v zip >/dev/null && command -v chromium >/dev/null &&
        command -v firefox-esr >/dev/null
}

# Whether the Windows program can be built and tested here: its build runs tools of its own
# under wine.
windows_tools_installed() {
    command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null &&
        command -v makensis >/dev/null && command -v zip >/dev/null
}

# The stages of scripts/test, in the order it runs them.
test_stages=(default arm64 windows web static sanitize tsan reproducible)

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
    scripts/setup desktop
    cmake --preset run >/dev/null
    cmake --build --preset run --target "$@"
}
