"""The driver of the window tests: the real program in a real window, seen
through the accessibility bus as a player's assistive tools would see it,
with the close box, the picture on the screen and the desktop's opener
within reach of a test.

The tests are in the test_*.py files beside it, a few groups to a file.
Run one under Xvfb, with a D-Bus session of its own inside (the
accessibility bus is started from that session on demand):

    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \\
        dbus-run-session -- /usr/bin/python3 -B tests/window/test_layout.py \\
        build/game/thornvale [unittest arguments, e.g. Layout]

Without a window manager GTK's window is its client area: extents in window
coordinates are client-area coordinates, and nothing draws a close box. The
close box is therefore pressed the way a window manager presses it, by
sending the window a WM_DELETE_WINDOW message (through libX11 by ctypes).
"""
import ctypes
import ctypes.util
import os
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse
import warnings

import gi
import pyatspi

gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf, GLib  # noqa: E402  (after their versions are chosen)

PROGRAM = None  # set from the command line
TITLE = "Thornvale, v1.2.3"
STORY_START = "Thornvale, v1.2.3\n\nGAME INTRODUCTION\n\n  "
START_TIMEOUT = 30
EXIT_TIMEOUT = 20


class GameEnded(AssertionError):
    """The game is gone: waiting any longer for it could only time out."""


def wait_for(what, predicate, timeout=START_TIMEOUT):
    """Polls until predicate() returns something true, and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = predicate()
        except GameEnded:
            raise
        except Exception:  # the tree changes under our feet while it settles
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)


def descendants(acc):
    for child in acc:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def extents(acc):
    e = acc.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    return (e.x, e.y, e.width, e.height)


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


class Game:
    """One run of the program, seen through the accessibility bus."""

    def __init__(self, env=None, program=None, cwd=None):
        """`program` is the program's path, or a command that becomes it."""
        self.log = tempfile.TemporaryFile()
        command = program if isinstance(program, list) else [program or PROGRAM]
        self.proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=self.log, env=env, cwd=cwd)
        try:
            self.frame = wait_for("the game's window on the accessibility bus", self._running(self._find_frame))
            # Built and shown: the story is there and the buttons are laid out.
            wait_for("the story text", self._running(lambda: self.story().queryText().characterCount > 0))
            wait_for("the buttons to be shown", self._running(lambda: showing(self.button("Show Stats"))))
        except AssertionError as e:
            said = self.stderr()
            self.close()
            raise AssertionError("%s (the game said: %r)" % (e, said[-2000:])) from None
        except BaseException:
            self.close()
            raise

    def _running(self, predicate):
        """predicate, failing at once if the game has ended."""
        def asked():
            status = self.proc.poll()
            if status is not None:
                raise GameEnded("the game ended while starting, with exit status %d" % status)
            return predicate()
        return asked

    def _find_frame(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.proc.pid:
                for child in app:
                    if child is not None and child.getRole() == pyatspi.ROLE_FRAME and showing(child):
                        return child
        return None

    def stderr(self):
        self.log.seek(0)
        return self.log.read().decode(errors="replace")

    def application(self):
        return self.frame.get_application()

    def buttons(self):
        return [a for a in descendants(self.frame) if a.getRole() == pyatspi.ROLE_PUSH_BUTTON]

    def button(self, name):
        found = [b for b in self.buttons() if b.name == name]
        if len(found) != 1:
            raise AssertionError("%d buttons labelled %r" % (len(found), name))
        return found[0]

    def story(self):
        texts = [a for a in descendants(self.frame) if a.getRole() == pyatspi.ROLE_TEXT]
        if len(texts) != 1:
            raise AssertionError("%d text areas in the window" % len(texts))
        return texts[0]

    def press(self, name):
        button = self.button(name)
        action = button.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if not action.doAction(names.index("click")):
            raise AssertionError("the button %r refused the click" % name)

    def wait_exit(self):
        try:
            return self.proc.wait(timeout=EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise AssertionError("the game did not end")

    def close(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        self.log.close()


# ---- the close box, pressed as a window manager presses it ----------------

class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def press_close_box(pid, title):
    """Sends WM_DELETE_WINDOW to the top-level window titled `title` that
    belongs to process `pid`; returns whether it was found."""
    x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                             ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                             ctypes.POINTER(ctypes.c_uint)]
    x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
    x.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
                                     ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                     ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
                                     ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(XEvent)]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]

    display = x.XOpenDisplay(None)
    if not display:
        raise AssertionError("cannot open the X display")
    try:
        net_wm_pid = x.XInternAtom(display, b"_NET_WM_PID", False)
        protocols = x.XInternAtom(display, b"WM_PROTOCOLS", False)
        delete = x.XInternAtom(display, b"WM_DELETE_WINDOW", False)
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        x.XQueryTree(display, x.XDefaultRootWindow(display), ctypes.byref(root), ctypes.byref(parent),
                     ctypes.byref(children), ctypes.byref(count))
        windows = [children[i] for i in range(count.value)]
        if children:
            x.XFree(children)
        for window in windows:
            name = ctypes.c_char_p()
            if not x.XFetchName(display, window, ctypes.byref(name)) or name.value is None:
                continue
            named = name.value.decode(errors="replace")
            x.XFree(name)
            if named != title:
                continue
            kind, fmt, items, rest = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong()
            data = ctypes.c_void_p()
            x.XGetWindowProperty(display, window, net_wm_pid, 0, 1, False, 6,  # XA_CARDINAL
                                 ctypes.byref(kind), ctypes.byref(fmt), ctypes.byref(items), ctypes.byref(rest),
                                 ctypes.byref(data))
            owner = ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0] if data and items.value else None
            if data:
                x.XFree(data)
            if owner != pid:
                continue
            event = XEvent()
            event.xclient.type = 33  # ClientMessage
            event.xclient.window = window
            event.xclient.message_type = protocols
            event.xclient.format = 32
            event.xclient.data[0] = delete
            event.xclient.data[1] = 0  # CurrentTime
            x.XSendEvent(display, window, False, 0, ctypes.byref(event))
            x.XFlush(display)
            return True
        return False
    finally:
        x.XCloseDisplay(display)


# ---- what every test file shares ------------------------------------------

def setUpModule():
    # pyatspi calls libatspi's deprecated names itself; that is not ours to fix.
    warnings.filterwarnings("ignore", category=DeprecationWarning, module="pyatspi")


def assert_quiet(log):
    # GLib's warnings and criticals read "(thornvale:123): Gtk-CRITICAL **: ..."
    noise = [line for line in log.splitlines() if " **: " in line]
    if noise:
        raise AssertionError("the game complained:\n" + "\n".join(noise))


# ---- what the player reads and sees ---------------------------------------

PROMPT = "WHAT DO YOU WANT TO DO? "
FIRST_SCREEN_END = "  There is a Sword on the ground. \n\n" + PROMPT
FIRST_CHOICES = ["Go East", "Examine Sword", "Take Sword"]
GO_EAST = "You decide to go east.\n\n  You are in the Hallway entrance to the castle."
STATS = ("Get stats\n\nYour wound level is not wounded. You have 0 treasure. Your provisions sack holds 10 units of "
         "food. Your primary weapon is %s. Your armor is none.\n\n" + PROMPT)
INVENTORY = "Show Inventory\n\nItems in Inventory for Player:\n  10 Food\n%s\n" + PROMPT
SOFTWARE_PAGE = "http://www.thornvale-adventures.example/index.php/software/"
README = "Thornvale_Readme.pdf"
PICTURES = os.path.join("data", "media", "img")
# Always there while playing (the Visit button too); the rest are the room's choices.
COMMANDS = ("Get Instructions", "Consume", "Show Stats", "Show Inventory", "Restart Game")
# Mean difference per colour channel, out of 255: the same picture shown
# unscaled differs by nothing, two rooms' pictures by 25 or more.
CLOSE = 2.0
FAR = 10.0


def game_folder():
    # Where the game finds its files: /proc/self/exe has symlinks resolved.
    return os.path.dirname(os.path.realpath(PROGRAM))


def picture(name):
    return os.path.join(game_folder(), PICTURES, name)


def steady(query, timeout=10):
    """query()'s answer, asked again while the tree changes under it."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            return query()
        except GLib.Error:  # an object went away while it was being read
            if time.monotonic() > deadline:
                raise
            time.sleep(0.05)


def choices(game):
    """The labels of the shown choice buttons, top to bottom."""
    def read():
        shown = [(extents(b)[1], b.name) for b in game.buttons()
                 if showing(b) and b.name not in COMMANDS and not b.name.startswith("Visit ")]
        return [name for _, name in sorted(shown)]
    return steady(read)


def settled_choices(game, expected, timeout=10):
    # Buttons reach the accessibility bus by events, a little after the text.
    try:
        wait_for("the choices %r" % (expected,), lambda: choices(game) == expected, timeout)
    except AssertionError:
        pass
    return choices(game)


def visit_button(game):
    return [b.name for b in game.buttons() if b.name.startswith("Visit ")][0]


def answer(game, name):
    """Presses `name` and returns what the story gained, once it is whole."""
    text = game.story().queryText()
    before = text.characterCount
    steady(lambda: game.press(name))
    wait_for("the answer to %r" % name,
             lambda: text.characterCount > before and text.getText(before, -1).endswith(PROMPT))
    return text.getText(before, -1)


def story_text(game):
    return game.story().queryText().getText(0, -1)


def assert_first_screen(case, game, reference=None):
    text = story_text(game)
    case.assertTrue(text.startswith(STORY_START), text[:200])
    case.assertTrue(text.endswith(FIRST_SCREEN_END), text[-200:])
    if reference is not None:
        case.assertEqual(text, reference)
    case.assertEqual(settled_choices(game, FIRST_CHOICES), FIRST_CHOICES)


def assert_no_criticals(case, game):
    criticals = [line for line in game.stderr().splitlines() if "CRITICAL" in line]
    case.assertEqual(criticals, [])


# ---- the picture panel, as it appears on the screen -----------------------

# In a process of its own, so that this one never holds the display.
SCREENSHOT = r"""
import sys
import gi
gi.require_version("Gdk", "3.0")
from gi.repository import Gdk
x, y, w, h = map(int, sys.argv[2:6])
shot = Gdk.pixbuf_get_from_window(Gdk.get_default_root_window(), x, y, w, h)
if shot is None:
    sys.exit("nothing to take a picture of")
shot.savev(sys.argv[1], "png", [], [])
"""


def rgb(pixbuf):
    """The pixels as packed RGB rows, without row padding or alpha."""
    width, height, channels, stride = (pixbuf.get_width(), pixbuf.get_height(), pixbuf.get_n_channels(),
                                       pixbuf.get_rowstride())
    data = pixbuf.get_pixels()
    out = bytearray()
    for row in range(height):
        line = bytearray(data[row * stride:row * stride + width * channels])
        if channels == 4:
            del line[3::4]
        out += line
    return bytes(out)


def screenshot(x, y, width, height):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "shot.png")
        subprocess.run([sys.executable, "-c", SCREENSHOT, path, str(x), str(y), str(width), str(height)],
                       check=True, timeout=EXIT_TIMEOUT)
        return GdkPixbuf.Pixbuf.new_from_file(path)


def panel(game):
    panels = [a for a in descendants(game.frame) if a.getRole() == pyatspi.ROLE_DRAWING_AREA]
    if len(panels) != 1:
        raise AssertionError("%d picture panels in the window" % len(panels))
    return panels[0]


def picture_difference(game, bmp):
    """How far the panel on the screen is from the picture in the file `bmp`."""
    want = GdkPixbuf.Pixbuf.new_from_file(bmp)
    e = panel(game).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if (e.width, e.height) != (want.get_width(), want.get_height()):
        raise AssertionError("a %dx%d panel for a %dx%d picture" % (e.width, e.height, want.get_width(),
                                                                    want.get_height()))
    shown, wanted = rgb(screenshot(e.x, e.y, e.width, e.height)), rgb(want)
    return sum(abs(a - b) for a, b in zip(shown, wanted)) / len(wanted)


def shown_difference(game, bmp, timeout=10):
    """The panel's difference from `bmp` once it is drawn, or the last one
    seen if it never comes close."""
    last = [None]

    def close():
        last[0] = picture_difference(game, bmp)
        return last[0] < CLOSE
    try:
        wait_for("the picture %s" % os.path.basename(bmp), close, timeout)
    except AssertionError:
        pass
    return last[0] if last[0] is not None else picture_difference(game, bmp)


# ---- a stand-in for the desktop's opener ----------------------------------

class Opener:
    """Registered as the desktop's default for PDFs and web pages, it writes
    down what it is handed instead of opening it, so no test ever starts a
    browser. `behaviour` is shell run after the writing (e.g. "exit 3")."""

    def __init__(self, folder, behaviour="", registered=True):
        self.folder = folder
        self.data = os.path.join(folder, "data")
        self.config = os.path.join(folder, "config")
        self.record = os.path.join(folder, "record")
        self.pids = os.path.join(folder, "pids")
        applications = os.path.join(self.data, "applications")
        os.makedirs(applications)
        os.makedirs(self.config)
        if not registered:
            return
        # The desktop's type database tells a PDF from other files; the
        # desktop's own openers stay out of sight.
        if os.path.isdir("/usr/share/mime"):
            os.symlink("/usr/share/mime", os.path.join(self.data, "mime"))
        self.script = script = os.path.join(folder, "recorder.sh")
        with open(script, "w") as f:
            f.write("#!/bin/sh\necho $$ >> %s\nprintf '%%s\\n' \"$@\" >> %s\n%s\n"
                    % (shlex.quote(self.pids), shlex.quote(self.record), behaviour))
        os.chmod(script, 0o755)
        types = "application/pdf;x-scheme-handler/http;x-scheme-handler/https;"
        # X-GIO-NoFuse: GIO hands the address on as it was given, not a
        # local file's address turned back into a path.
        with open(os.path.join(applications, "thornvale-recorder.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Recorder\nExec=%s %%u\nMimeType=%s\n"
                    "NoDisplay=true\nX-GIO-NoFuse=true\n" % (script, types))
        with open(os.path.join(self.config, "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\n")
            for kind in types.split(";")[:-1]:
                f.write("%s=thornvale-recorder.desktop\n" % kind)

    def env(self, base=None):
        return dict(os.environ if base is None else base, XDG_DATA_HOME=self.data, XDG_DATA_DIRS=self.data,
                    XDG_CONFIG_HOME=self.config, XDG_CONFIG_DIRS=self.config)

    def records(self):
        try:
            with open(self.record) as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def wait_records(self, count):
        wait_for("the opener to be handed %d address(es)" % count, lambda: len(self.records()) >= count)
        return self.records()

    def started(self):
        try:
            with open(self.pids) as f:
                return [int(line) for line in f if line.strip()]
        except FileNotFoundError:
            return []

    def running(self):
        # The game reaps its finished children, or they linger as zombies:
        # either way they no longer run.
        alive = []
        for pid in self.started():
            try:
                with open("/proc/%d/stat" % pid) as f:
                    if f.read().rsplit(")", 1)[1].split()[0] != "Z":
                        alive.append(pid)
            except (FileNotFoundError, ProcessLookupError):  # gone, or going while we read
                pass
        return alive

    def stop(self):
        # An opener told to stay is still running: it is ours to end.
        for pid in self.running():
            try:
                os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass


# Characters that a URI's path may hold as they are (RFC 3986).
URI_PATH_CHARACTERS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~!$&'()*+,;=:@/%")


def assert_file_uri(case, uri, path):
    """`uri` names the file at the absolute `path`, correctly escaped."""
    case.assertTrue(uri.startswith("file:///"), uri)
    rest = uri[len("file://"):]
    case.assertEqual(set(rest) - URI_PATH_CHARACTERS, set(), uri)
    case.assertNotRegex(rest, r"%(?![0-9A-Fa-f]{2})", uri)
    case.assertEqual(urllib.parse.unquote_to_bytes(rest), os.fsencode(path), uri)


class GameCase(unittest.TestCase):
    """Every game a test starts is ended, and its complaints checked, when
    the test ends, however it ends."""

    def start(self, **kwargs):
        game = Game(**kwargs)
        self.addCleanup(self.finish, game)
        return game

    @staticmethod
    def finish(game):
        log = game.stderr()
        game.close()
        assert_quiet(log)

    def folder(self):
        top = tempfile.mkdtemp(prefix="thornvale-test-")
        self.addCleanup(shutil.rmtree, top, True)
        return top

    def opener(self, **kwargs):
        opener = Opener(os.path.join(self.folder(), "opener"), **kwargs)
        self.addCleanup(opener.stop)
        return opener


def main():
    """Runs the calling file's tests: PROGRAM [unittest arguments]."""
    global PROGRAM
    if len(sys.argv) < 2:
        sys.exit("usage: %s PROGRAM [unittest arguments]" % os.path.basename(sys.argv[0]))
    PROGRAM = os.path.abspath(sys.argv[1])
    unittest.main(module="__main__", argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
