#!/usr/bin/python3
# Prints what a program's windows show to assistive technology, one line per element:
# "<window title>\t<role>\t<name>". Usage: accessible.py PID
# The program must run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 in the same D-Bus session.
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def walk(node, window, depth=0):
    if node is None or depth > 40:
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        title = window if window is not None else child.get_name()
        print(f"{title}\t{child.get_role_name()}\t{child.get_name()}")
        walk(child, title, depth + 1)


pid = int(sys.argv[1])
desktop = Atspi.get_desktop(0)
for index in range(desktop.get_child_count()):
    application = desktop.get_child_at_index(index)
    if application is not None and application.get_process_id() == pid:
        walk(application, None)
