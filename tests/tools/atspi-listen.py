#!/usr/bin/python3
"""Listens on the accessibility bus as a screen reader would and prints one
line for every notification or alert that a process shows:

    <process id>\t<role>\t<name>\t<text of the labels inside it>

With --checked it also prints one line for every check box (a list's row
included) whose state changes:

    <process id>\tchecked\t<name>\t<1 when checked, 0 when not>

Usage: atspi-listen.py SECONDS [--checked]. Prints "ready" once listening
and ends after SECONDS at the latest."""
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

seconds = int(sys.argv[1])
checked = "--checked" in sys.argv[2:]
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


def on_checked(event):
    try:
        source = event.source
        print(f"{source.get_process_id()}\tchecked\t{source.get_name()}\t{event.detail1}", flush=True)
    except GLib.Error as error:
        print(f"error\t{error.message}", file=sys.stderr, flush=True)


listener = Atspi.EventListener.new(on_event)
listener.register("object:state-changed:showing")
if checked:
    checked_listener = Atspi.EventListener.new(on_checked)
    checked_listener.register("object:state-changed:checked")
GLib.timeout_add_seconds(seconds, lambda: Atspi.event_quit() or False)
print("ready", flush=True)
Atspi.event_main()
