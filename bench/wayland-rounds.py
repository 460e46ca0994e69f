#!/usr/bin/python3
# The rounds of bench/wayland.sh, run as the desktop's user under sway with the launcher
# hidden: (a) Logo+Space (bound to the summon command) pressed by wtype, to the launcher's
# window having the focus; (b) the summon command's own run time against the running
# launcher; (c) letters typed N ms after the shortcut, read back off the input line through
# AT-SPI; (d) the desktop's press of the launcher's hotkey through the GlobalShortcuts portal
# (the stand-in portal's Activated), to the focus. Usage: wayland-rounds.py FOLDER
# LAUNCHER-PID ROUNDS
import json
import os
import queue
import socket
import statistics
import struct
import subprocess
import sys
import threading
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

FOLDER, PID, ROUNDS = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
SUMMON = os.path.join(FOLDER, "tblaunch-summon")
SHORTCUT = ["wtype", "-M", "logo", "-k", "space", "-m", "logo"]
GET_TREE, SUBSCRIBE = 4, 2


class Ipc:
    """One connection to sway's IPC socket."""

    def __init__(self):
        self.sock = socket.socket(socket.AF_UNIX)
        self.sock.connect(os.environ["SWAYSOCK"])

    def send(self, kind, payload=b""):
        self.sock.sendall(b"i3-ipc" + struct.pack("=II", len(payload), kind) + payload)

    def receive(self):
        header = self._exactly(14)
        length, kind = struct.unpack("=II", header[6:])
        return kind, json.loads(self._exactly(length))

    def _exactly(self, n):
        data = b""
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise EOFError("sway closed its IPC socket")
            data += chunk
        return data

    def ask(self, kind):
        self.send(kind)
        return self.receive()[1]


tree_ipc = Ipc()
events = queue.Queue()


def listen():
    ipc = Ipc()
    ipc.send(SUBSCRIBE, b'["window", "binding"]')
    ipc.receive()
    while True:
        kind, body = ipc.receive()
        events.put((time.monotonic(), kind & 0x7FFFFFFF, body))


threading.Thread(target=listen, daemon=True).start()


def state():
    """'focused', 'unfocused' or 'absent': the launcher's window in sway's tree."""
    stack = [tree_ipc.ask(GET_TREE)]
    while stack:
        node = stack.pop()
        if node.get("pid") == PID and node.get("visible"):
            return "focused" if node["focused"] else "unfocused"
        stack += node.get("nodes", []) + node.get("floating_nodes", [])
    return "absent"


def wait_for(wanted, seconds=5):
    deadline = time.monotonic() + seconds
    while state() != wanted:
        if time.monotonic() > deadline:
            sys.exit(f"the launcher did not become {wanted}")
        time.sleep(0.002)


def run_summon(option):
    start = time.perf_counter()
    child = os.posix_spawn(SUMMON, [SUMMON, option], os.environ)
    _, status = os.waitpid(child, 0)
    elapsed = (time.perf_counter() - start) * 1000
    if status != 0:
        sys.exit(f"tblaunch-summon {option} ended with status {status}")
    return elapsed


def hide():
    if state() != "absent":
        run_summon("--hide")
        wait_for("absent")
    while not events.empty():
        events.get_nowait()


def next_event(kind, test, seconds=2):
    deadline = time.monotonic() + seconds
    while True:
        try:
            stamp, got, body = events.get(timeout=max(0, deadline - time.monotonic()))
        except queue.Empty:
            return None
        if got == kind and test(body):
            return stamp


def shortcut_to_focus():
    hide()
    spawned = time.monotonic()
    wtype = subprocess.Popen(SHORTCUT)
    pressed = next_event(5, lambda body: "tblaunch-summon" in body["binding"]["command"])
    focused = pressed and next_event(
        3, lambda body: body["change"] == "focus" and body["container"].get("pid") == PID)
    wtype.wait()
    if not focused:
        return None
    return (focused - pressed) * 1000, (focused - spawned) * 1000


def portal_press_to_focus(bus):
    hide()
    pressed = time.monotonic()
    bus.call_sync("org.freedesktop.portal.Desktop", "/control", "test.MockPortal", "Activate",
                  GLib.Variant("(ss)", ("summon", "")), None, Gio.DBusCallFlags.NONE, -1, None)
    focused = next_event(
        3, lambda body: body["change"] == "focus" and body["container"].get("pid") == PID)
    return focused and (focused - pressed) * 1000


def input_line():
    """The launcher's input line as an AT-SPI text object."""
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        application = desktop.get_child_at_index(index)
        if application is None or application.get_process_id() != PID:
            continue
        stack = [application]
        while stack:
            node = stack.pop()
            if node.get_role_name() == "text" and node.get_state_set().contains(
                    Atspi.StateType.EDITABLE):
                return node
            stack += [node.get_child_at_index(i) for i in range(node.get_child_count())]
    sys.exit("no input line found through AT-SPI")


def text_of(line):
    return Atspi.Text.get_text(line, 0, -1)


def keys_lost(line, delay):
    hide()
    pause = ["-s", str(delay)] if delay else []  # wtype takes no pause of 0
    subprocess.run(SHORTCUT + pause + ["abc"], check=True)
    deadline = time.monotonic() + 0.3
    text = text_of(line)
    while text != "abc" and time.monotonic() < deadline:
        time.sleep(0.005)
        text = text_of(line)
    return 3 - len(text) if "abc".endswith(text) else 3, text


def summary(values):
    return f"{statistics.median(values):8.2f} {max(values):8.2f}"


# (a) The shortcut to the focus.
press, spawn, missed = [], [], 0
for _ in range(ROUNDS):
    result = shortcut_to_focus()
    if result is None:
        missed += 1
    else:
        press.append(result[0])
        spawn.append(result[1])

# (b) The summon command against the running launcher, hidden before each run.
summon = []
for _ in range(ROUNDS):
    hide()
    summon.append(run_summon("--show"))
    wait_for("focused")
hide()

# (d) The portal's press to the focus.
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
portal, portal_missed = [], 0
for _ in range(ROUNDS):
    result = portal_press_to_focus(bus)
    if result:
        portal.append(result)
    else:
        portal_missed += 1
hide()

# (c) Letters typed N ms after the shortcut.
run_summon("--show")
wait_for("focused")
line = input_line()
losses = {}
for delay in (0, 5, 10, 20, 30):
    lost_keys, lossy, odd = 0, 0, []
    for _ in range(ROUNDS):
        lost, text = keys_lost(line, delay)
        lost_keys += lost
        lossy += lost > 0
        if not "abc".endswith(text):
            odd.append(text)
    losses[delay] = (lost_keys, lossy, odd)
hide()

print(f"{ROUNDS} rounds each                                   median    worst (ms)")
print(f"shortcut press (sway's binding event) to focus      {summary(press)}"
      + (f"   ({missed} rounds without focus)" if missed else ""))
print(f"wtype started to focus                              {summary(spawn)}")
print(f"tblaunch-summon --show, exec to exit                {summary(summon)}")
print(f"portal's Activated (hotkey press) to focus          {summary(portal)}"
      + (f"   ({portal_missed} rounds without focus)" if portal_missed else ""))
print()
print("letters 'abc' typed N ms after the shortcut: keys lost of all typed, rounds with a loss")
for delay, (lost_keys, lossy, odd) in losses.items():
    print(f"  {delay:2d} ms: {lost_keys:4d} of {3 * ROUNDS} keys lost, {lossy:3d} of {ROUNDS} rounds"
          + (f", other texts: {sorted(set(odd))}" if odd else ""))
