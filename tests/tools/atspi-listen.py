#!/usr/bin/python3
"""Listens on the accessibility bus as a screen reader would and prints one
line for every notification or alert that a process shows:

    <process id>\t<role>\t<name>\t<text of the labels inside it>

Usage: atspi-listen.py SECONDS. Prints "ready" once listening and ends
after SECONDS at the latest."""
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

seconds = int(sys.argv[1])
ANNOUNCED = {Atspi.Role.NOTIFICATION: "notification", Atspi.Role.ALERT: "alert"}


def labels(node, depth=0):
    """The text of the labels under node that show any (not the pictures),
    in the tree's order."""
    found = []
    if depth > 4:
        return found
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        if child.get_role() in (Atspi.Role.LABEL, Atspi.Role.STATIC) and child.get_name():
            found.append(child.get_name())
        found.extend(labels(child, depth + 1))
    return found


def on_event(event):
    try:
        if event.detail1 != 1:
            return
        source = event.source
        role = ANNOUNCED.get(source.get_role())
        if role is None:
            return
        print(f"{source.get_process_id()}\t{role}\t{source.get_name()}\t{' '.join(labels(source))}", flush=True)
    except GLib.Error as error:
        print(f"error\t{error.message}", file=sys.stderr, flush=True)


listener = Atspi.EventListener.new(on_event)
listener.register("object:state-changed:showing")
GLib.timeout_add_seconds(seconds, lambda: Atspi.event_quit() or False)
print("ready", flush=True)
Atspi.event_main()
