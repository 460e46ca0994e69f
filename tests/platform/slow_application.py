#!/usr/bin/python3
# An application started by the session bus on its first activation, slowly, as a large one
# is: it owns its name only a second after it was started, then writes "activated" to the
# file named by TB_ACTIVATED when it is activated, and quits.
import os
import sys
import time

from gi.repository import Gio, GLib

INTERFACE = """
<node>
  <interface name="org.freedesktop.Application">
    <method name="Activate"><arg name="platform_data" type="a{sv}" direction="in"/></method>
  </interface>
</node>"""

time.sleep(1.0)
loop = GLib.MainLoop()


def called(connection, sender, path, interface, method, parameters, invocation):
    with open(os.environ["TB_ACTIVATED"], "w") as marker:
        marker.write("activated")
    invocation.return_value(None)
    GLib.timeout_add(100, loop.quit)


def acquired(connection, name):
    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)
    connection.register_object("/" + sys.argv[1].replace(".", "/"), node.interfaces[0], called)


Gio.bus_own_name(Gio.BusType.SESSION, sys.argv[1], Gio.BusNameOwnerFlags.NONE, acquired)
GLib.timeout_add_seconds(30, loop.quit)
loop.run()
