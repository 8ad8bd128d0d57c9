#!/usr/bin/env python3
"""Bridged USB printers for Wine tests: each device is a pseudo-terminal that Wine opens through the prefix's
dosdevices folder as the device path of a USB printer-class interface (registered by the tests through SetupAPI);
what the program writes goes to the printer simulator over its link, what the simulator's printer answers comes
back on the terminal.

  usb_bridge.py --prefix WINEPREFIX --sim HOST:PORT --control DIR INSTANCE=PORT[:SIMPORT][,silent] ...

INSTANCE is the device instance's last part ("0001" for ROOT\\LXTEST\\0001), PORT the interface's reference string
("USB001"), SIMPORT the simulator's printer behind it (PORT when not given). Faults, by files in the control folder, each taken once it is seen:
  INSTANCE.unplug   holds milliseconds: the device goes away (terminal closed, path removed) for that long; the
                    file becomes INSTANCE.away once the device is gone, and that file goes once it is back
  INSTANCE.silent   while it exists the device takes what it is sent and never answers
"""
import argparse
import os
import select
import socket
import struct
import sys
import threading
import time
import tty

GUID = "{28d78fad-5a12-11d1-ae5b-0000f803a8c2}"
QUIET_AFTER_WRITE = 2.5   # seconds the simulator is asked for answers after the last write
POLL_WAIT_MS = 100


def exchange(address, op, port, count, wait_ms, data=b""):
    """One request on the simulator link; the bytes moved (read) or their count (write); None on failure."""
    name = port.encode()
    request = bytes([op, len(name)]) + name + struct.pack("<II", count, wait_ms) + data
    try:
        with socket.create_connection(address, timeout=5 + wait_ms / 1000) as s:
            s.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            s.sendall(request)
            answer = b""
            while len(answer) < 4:
                chunk = s.recv(4 - len(answer))
                if not chunk:
                    return None
                answer += chunk
            moved = struct.unpack("<I", answer)[0]
            if op == ord("W"):
                return moved
            body = b""
            while len(body) < moved:
                chunk = s.recv(moved - len(body))
                if not chunk:
                    return None
                body += chunk
            return body
    except OSError:
        return None


class Device(threading.Thread):
    def __init__(self, args, instance, port, sim_port, silent):
        super().__init__(daemon=True)
        self.args, self.instance, self.port, self.sim_port, self.always_silent = args, instance, port, sim_port, silent
        folder = os.path.join(args.prefix, "dosdevices", f"root#lxtest#{instance}#{GUID}")
        os.makedirs(folder, exist_ok=True)
        self.link = os.path.join(folder, port.lower())
        self.master = self.slave = None
        self.plugged = threading.Lock()

    def plug(self):
        self.master, self.slave = os.openpty()
        tty.setraw(self.slave)
        tty.setraw(self.master)
        target = os.ttyname(self.slave)
        temp = self.link + ".new"
        if os.path.lexists(temp):
            os.remove(temp)
        os.symlink(target, temp)
        os.replace(temp, self.link)

    def unplug(self):
        if os.path.lexists(self.link):
            os.remove(self.link)
        for fd in (self.master, self.slave):
            if fd is not None:
                os.close(fd)
        self.master = self.slave = None

    def control(self, name):
        path = os.path.join(self.args.control, f"{self.instance}.{name}")
        return path if os.path.exists(path) else None

    def run(self):
        # What the program writes is forwarded at once, from this thread; answers are fetched by another, so that
        # a wait for an answer never holds back the next command (the printer would see them closer together
        # than the program sent them).
        self.plug()
        self.last_write = 0.0
        threading.Thread(target=self.fetch_answers, daemon=True).start()
        while True:
            unplug = self.control("unplug")
            if unplug:
                with open(unplug) as f:
                    away = int(f.read().strip() or "1000")
                marker = os.path.join(self.args.control, f"{self.instance}.away")
                with self.plugged:
                    self.unplug()
                    os.replace(unplug, marker)
                    time.sleep(away / 1000)
                    self.plug()
                os.remove(marker)
            master = self.master
            ready, _, _ = select.select([master], [], [], 0.02)
            if not ready:
                continue
            try:
                data = os.read(master, 4096)
            except OSError:
                data = b""
            if data and not self.silent():
                exchange(self.args.address, ord("W"), self.sim_port, len(data), 500, data)
                self.last_write = time.monotonic()

    def silent(self):
        return self.always_silent or self.control("silent") is not None

    def fetch_answers(self):
        while True:
            if self.silent() or time.monotonic() - self.last_write >= QUIET_AFTER_WRITE:
                time.sleep(0.01)
                continue
            answer = exchange(self.args.address, ord("R"), self.sim_port, 4096, POLL_WAIT_MS)
            if answer:
                with self.plugged:
                    try:
                        os.write(self.master, answer)
                    except OSError:
                        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--sim", required=True)
    parser.add_argument("--control", required=True)
    parser.add_argument("devices", nargs="+")
    args = parser.parse_args()
    host, port = args.sim.rsplit(":", 1)
    args.address = (host, int(port))
    os.makedirs(args.control, exist_ok=True)
    devices = []
    for device in args.devices:
        instance, rest = device.split("=", 1)
        parts = rest.split(",")
        port, _, sim_port = parts[0].partition(":")
        devices.append(Device(args, instance, port, sim_port or port, "silent" in parts[1:]))
    with open(os.path.join(args.control, "devices"), "w") as f:
        for d in devices:
            f.write(f"{d.instance}={d.port}\n")
    for d in devices:
        d.start()
    with open(os.path.join(args.control, "ready"), "w") as f:
        f.write(str(os.getpid()))
    while True:
        time.sleep(3600)


if __name__ == "__main__":
    sys.exit(main())
