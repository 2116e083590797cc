"""A private desktop for one run of the program: X server, D-Bus session, accessibility bus
and registry, each started and stopped by its own process id."""

import os
import select
import signal
import subprocess
import tempfile
import time

LIBEXEC_DIRS = ("/usr/libexec", "/usr/lib/at-spi2-core", "/usr/lib/x86_64-linux-gnu/at-spi2-core")


def find_libexec(name):
    for folder in LIBEXEC_DIRS:
        path = os.path.join(folder, name)
        if os.access(path, os.X_OK):
            return path
    raise RuntimeError(f"{name} not found in {LIBEXEC_DIRS}")


def read_line(name, stream, timeout):
    """One line from a child's pipe, or an error naming the child after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    data = b""
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([stream], [], [], left)[0]:
            raise RuntimeError(f"no answer from {name} in {timeout} s")
        chunk = os.read(stream.fileno(), 1)
        if not chunk:
            raise RuntimeError(f"{name} ended before it answered: {data.decode()!r}")
        data += chunk
    return data.decode().strip()


class Session:
    def __init__(self):
        self.procs = []
        self.env = dict(os.environ)
        self.runtime = tempfile.TemporaryDirectory(prefix="zerkan-a11y-")
        self.env["XDG_RUNTIME_DIR"] = self.runtime.name
        for key in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "AT_SPI_BUS_ADDRESS",
                    "DBUS_SESSION_BUS_ADDRESS"):
            self.env.pop(key, None)

    def start(self, argv, **kwargs):
        # Each helper leads its own process group, so whatever it spawns ends with it.
        kwargs.setdefault("env", self.env)
        proc = subprocess.Popen(argv, start_new_session=True,
                                stdin=subprocess.DEVNULL, **kwargs)
        self.procs.append(proc)
        return proc

    def __enter__(self):
        try:
            # What the server says is kept for when it fails to start.
            xvfb_log = open(os.path.join(self.runtime.name, "xvfb.log"), "w+")
            xvfb = self.start(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], stdout=subprocess.PIPE, stderr=xvfb_log)
            try:
                self.env["DISPLAY"] = ":" + read_line("Xvfb", xvfb.stdout, 20)
            except RuntimeError as error:
                xvfb_log.seek(0)
                raise RuntimeError(f"{error}\n{xvfb_log.read()[-2000:]}") from None
            finally:
                xvfb_log.close()
            bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address"],
                             stdout=subprocess.PIPE)
            self.env["DBUS_SESSION_BUS_ADDRESS"] = read_line("dbus-daemon", bus.stdout, 20)
            # Without a display the launcher leaves the X root window alone: Qt 6.4 misses a
            # bus address found there and would then never register with the registry.
            display = self.env.pop("DISPLAY")
            self.start([find_libexec("at-spi-bus-launcher"), "--launch-immediately", "--a11y=1"])
            self.env["DISPLAY"] = display
            # Only the registry and the client are told the address; Qt asks the session bus.
            self.a11y_bus = self.a11y_address(20)
            self.start([find_libexec("at-spi2-registryd")],
                       env=dict(self.env, AT_SPI_BUS_ADDRESS=self.a11y_bus))
            self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
            self.env["QT_QPA_PLATFORM"] = "xcb"
        except BaseException:
            self.stop()
            raise
        return self

    def a11y_address(self, timeout):
        deadline = time.monotonic() + timeout
        # Asked only once our launcher owns the name: an earlier question would have the
        # session bus start a launcher of its own.
        while time.monotonic() < deadline:
            if "true" in self.call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"):
                return self.call("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress")
            time.sleep(0.05)
        raise RuntimeError("the accessibility bus did not start")

    def call(self, dest, path, method, *args):
        answer = subprocess.run(["dbus-send", "--session", "--print-reply=literal",
                                 "--dest=" + dest, path, method, *args],
                                env=self.env, capture_output=True, text=True, timeout=10)
        return answer.stdout.strip() if answer.returncode == 0 else ""

    def __exit__(self, *exc):
        self.stop()

    def stop(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                try:
                    os.killpg(proc.pid, signal.SIGTERM)
                    proc.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    os.killpg(proc.pid, signal.SIGKILL)
                    proc.wait(timeout=5)
                except ProcessLookupError:
                    pass
            else:
                # The leader is gone; its group may not be.
                try:
                    os.killpg(proc.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
        self.procs.clear()
        self.runtime.cleanup()
