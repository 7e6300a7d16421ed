#!/usr/bin/python3
"""Finds a part of a process's windows on the accessibility bus by the name
it gives screen readers, as a screen reader user would, and prints where it
is on the screen:

    <x> <y> <width> <height>

Usage: atspi-where.py PID NAME. Ends with 1, printing nothing, when no
showing part of that process has that name."""
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

pid = int(sys.argv[1])
name = sys.argv[2]


def find(node, depth=0):
    if node is None or depth > 12:
        return None
    try:
        if node.get_name() == name and node.get_state_set().contains(Atspi.StateType.SHOWING):
            return node
        # A list's rows are not looked through: the texts are many.
        if node.get_role() in (Atspi.Role.LIST, Atspi.Role.TABLE, Atspi.Role.LIST_BOX):
            return None
        for i in range(min(node.get_child_count(), 200)):
            found = find(node.get_child_at_index(i), depth + 1)
            if found is not None:
                return found
    except gi.repository.GLib.Error:
        return None
    return None


desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    app = desktop.get_child_at_index(i)
    if app is None or app.get_process_id() != pid:
        continue
    part = find(app)
    if part is not None:
        r = part.get_extents(Atspi.CoordType.SCREEN)
        print(r.x, r.y, r.width, r.height)
        sys.exit(0)
sys.exit(1)
