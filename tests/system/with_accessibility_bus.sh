#!/bin/sh
# Runs a command in a D-Bus session of its own, with the accessibility bus that assistive
# technologies and programs meet on, as a desktop session has it.
exec dbus-run-session -- sh -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    tries=0
    until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || { echo "the accessibility bus did not start" >&2; exit 1; }
        sleep 0.1
    done
    "$@"
    status=$?
    kill "$launcher"
    exit "$status"' sh "$@"
