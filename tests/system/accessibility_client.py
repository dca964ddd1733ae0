"""An assistive technology's view of a running program, through AT-SPI.

    accessibility_client.py PID describe          prints the program's accessible tree as JSON
    accessibility_client.py PID act NAME ACTION   invokes the action ACTION of the accessible NAME

Run by /usr/bin/python3, which sees Debian's pyatspi, inside the session's D-Bus.
"""

import json
import sys
import time

import pyatspi


def application(pid, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            candidate = desktop.getChildAtIndex(index)
            if candidate is not None and candidate.get_process_id() == pid:
                return candidate
        time.sleep(0.1)
    sys.exit(f"no accessible application with process id {pid}")


def nodes(accessible):
    yield accessible
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield from nodes(child)


def actions(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(index) for index in range(action.nActions)]


# Roles by their enumerated value: the names libatspi gives them change between releases
# (2.56 calls a push button "button").
ROLE_NAMES = {
    pyatspi.ROLE_FRAME: "frame",
    pyatspi.ROLE_IMAGE: "image",
    pyatspi.ROLE_PUSH_BUTTON: "push button",
    pyatspi.ROLE_FILLER: "filler",
}


def role(accessible):
    value = accessible.getRole()
    return ROLE_NAMES.get(value, f"role {int(value)}")


def describe(accessible):
    states = accessible.getState()
    return {
        "role": role(accessible),
        "name": accessible.name,
        "description": accessible.description,
        "active": states.contains(pyatspi.STATE_ACTIVE),
        "focused": states.contains(pyatspi.STATE_FOCUSED),
        "actions": actions(accessible),
    }


def act(app, name, action_name):
    for accessible in nodes(app):
        if accessible.name == name:
            action = accessible.queryAction()
            for index in range(action.nActions):
                if action.getName(index) == action_name:
                    return action.doAction(index)
    sys.exit(f"no accessible {name!r} with an action {action_name!r}")


def main():
    pid, command = int(sys.argv[1]), sys.argv[2]
    app = application(pid)
    if command == "describe":
        print(json.dumps([describe(accessible) for accessible in nodes(app)]))
    elif command == "act":
        if not act(app, sys.argv[3], sys.argv[4]):
            sys.exit(f"the {sys.argv[4]} action failed")
    else:
        sys.exit(f"unknown command {command}")


if __name__ == "__main__":
    main()
