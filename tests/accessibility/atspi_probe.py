# SPDX-FileCopyrightText: 2026 vestibule developers
# SPDX-License-Identifier: LGPL-2.1-or-later
"""Reads an application through AT-SPI the way a screen reader does, one JSON line per answer.

    atspi_probe.py tree APP              every object that is showing, with its depth
    atspi_probe.py focused APP           the object that has the keyboard focus
    atspi_probe.py events APP SECONDS    the events a screen reader speaks from, while they come

The bus is the one in AT_SPI_BUS_ADDRESS (libatspi reads it before anything else).
Run it with Debian's /usr/bin/python3, which has python3-pyatspi.
"""
import json
import sys

import pyatspi
from gi.repository import GLib

# What a screen reader reads out of the states.
STATES = {
    pyatspi.STATE_CHECKED: "checked",
    pyatspi.STATE_FOCUSED: "focused",
    pyatspi.STATE_FOCUSABLE: "focusable",
    pyatspi.STATE_SENSITIVE: "sensitive",
    pyatspi.STATE_SHOWING: "showing",
    pyatspi.STATE_SELECTED: "selected",
    pyatspi.STATE_EDITABLE: "editable",
    pyatspi.STATE_MODAL: "modal",
    pyatspi.STATE_EXPANDED: "expanded",
}


def describe(obj, depth=0):
    states = obj.getState()
    return {
        "depth": depth,
        "role": obj.getRoleName(),
        "name": obj.name or "",
        "description": obj.description or "",
        "states": [text for state, text in STATES.items() if states.contains(state)],
    }


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == name:
            return app
    return None


def walk(obj, depth, visit, parent=None):
    visit(obj, depth, parent)
    for child in obj:
        if child is None:
            continue
        if child.getState().contains(pyatspi.STATE_SHOWING):
            walk(child, depth + 1, visit, obj)


def tree(app):
    walk(app, 0, lambda obj, depth, parent: print(json.dumps(describe(obj, depth))))


def focused(app):
    found = []

    def visit(obj, depth, parent):
        if obj.getState().contains(pyatspi.STATE_FOCUSED):
            found.append((obj.getRole(), describe(obj, depth)))

    walk(app, 0, visit)
    # Containers that pass the focus on to a field call themselves focused too, and Qt calls a
    # view's current cell focused even while the view is not: the control itself comes first,
    # a cell only when no other control has the focus.
    containers = (pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL, pyatspi.ROLE_LAYERED_PANE, pyatspi.ROLE_FRAME)
    for wanted in (lambda role: role not in containers and role != pyatspi.ROLE_TABLE_CELL,
                   lambda role: role == pyatspi.ROLE_TABLE_CELL,
                   lambda role: True):
        matching = [entry for role, entry in found if wanted(role)]
        if matching:
            print(json.dumps(max(matching, key=lambda entry: entry["depth"])))
            return
    print(json.dumps({}))


def events(app_name, seconds):
    def report(event):
        source = event.source
        try:
            if source is None or source.getApplication().name != app_name:
                return
            entry = describe(source)
        except Exception:  # the object went away before it could be read
            return
        entry.update({"event": event.type, "detail1": event.detail1})
        print(json.dumps(entry), flush=True)

    kinds = [
        "object:state-changed:showing",
        "object:state-changed:focused",
        "object:property-change:accessible-name",
        "object:property-change:accessible-description",
        "object:announcement",
        "window:activate",
        "window:create",
    ]
    pyatspi.Registry.registerEventListener(report, *kinds)
    GLib.timeout_add(int(seconds * 1000), pyatspi.Registry.stop)
    print(json.dumps({"listening": True}), flush=True)
    pyatspi.Registry.start()


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    command, name = argv[1], argv[2]
    if command == "events":
        events(name, float(argv[3]))
        return 0
    app = application(name)
    if app is None:
        print(json.dumps({"error": "no application named " + name}))
        return 1
    if command == "tree":
        tree(app)
    elif command == "focused":
        focused(app)
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
