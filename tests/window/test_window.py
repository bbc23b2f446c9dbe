#!/usr/bin/python3
"""The real program in a real window, driven through the accessibility bus
as a player's assistive tools would drive it.

Run under Xvfb, with a D-Bus session of its own inside (the accessibility
bus is started from that session on demand):

    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \\
        dbus-run-session -- /usr/bin/python3 tests/window/test_window.py \\
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
import struct
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


# ---- the tests ------------------------------------------------------------

def setUpModule():
    # pyatspi calls libatspi's deprecated names itself; that is not ours to fix.
    warnings.filterwarnings("ignore", category=DeprecationWarning, module="pyatspi")


def assert_quiet(log):
    # GLib's warnings and criticals read "(thornvale:123): Gtk-CRITICAL **: ..."
    noise = [line for line in log.splitlines() if " **: " in line]
    if noise:
        raise AssertionError("the game complained:\n" + "\n".join(noise))


class Layout(unittest.TestCase):
    """The window as the game builds it, before anything is pressed."""

    @classmethod
    def setUpClass(cls):
        cls.game = Game()

    @classmethod
    def tearDownClass(cls):
        log = cls.game.stderr()
        cls.game.close()
        assert_quiet(log)

    def test_application_and_window(self):
        self.assertEqual(self.game.application().name, os.path.basename(PROGRAM))
        self.assertEqual(self.game.frame.name, TITLE)
        e = self.game.frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.assertEqual((e.width, e.height), (1024, 768))
        # The client area fills the window: no menu, no status bar.
        client = [c for c in self.game.frame if c is not None]
        self.assertEqual(len(client), 1)
        self.assertEqual(extents(client[0]), (0, 0, 1024, 768))

    def test_fixed_buttons(self):
        visit = [b for b in self.game.buttons() if b.name.startswith("Visit ")]
        self.assertEqual(len(visit), 1)
        self.assertGreater(len(visit[0].name), len("Visit "))
        cases = [
            (visit[0].name, (384, 740, 320, 28), True),
            ("Get Instructions", (704, 740, 320, 28), True),
            ("Consume", (384, 712, 213, 28), True),
            ("Show Stats", (597, 712, 213, 28), True),
            ("Show Inventory", (810, 712, 213, 28), True),
            ("Restart Game", None, False),
        ]
        for name, rect, shown in cases:
            with self.subTest(button=name):
                button = self.game.button(name)
                self.assertEqual(showing(button), shown)
                if rect:
                    self.assertEqual(extents(button), rect)

    def test_first_action_buttons(self):
        for name, y in [("Go East", 404), ("Examine Sword", 434), ("Take Sword", 464)]:
            with self.subTest(button=name):
                button = self.game.button(name)
                self.assertTrue(showing(button))
                self.assertEqual(extents(button), (384, y, 640, 28))

    def test_story_area(self):
        story = self.game.story()
        # The rectangle is the scrolled area around the text.
        self.assertEqual(story.parent.getRole(), pyatspi.ROLE_SCROLL_PANE)
        self.assertEqual(extents(story.parent), (4, 4, 380, 764))
        text = story.queryText()
        self.assertEqual(text.getText(0, len(STORY_START)), STORY_START)
        attributes = text.getDefaultAttributeSet()
        self.assertEqual(attributes.get("family-name"), "Noto Sans")
        self.assertFalse(story.getState().contains(pyatspi.STATE_EDITABLE))


def story_bar(story):
    bars = [c for c in story.parent if c is not None and c.getRole() == pyatspi.ROLE_SCROLL_BAR
            and c.getState().contains(pyatspi.STATE_VERTICAL)]
    if len(bars) != 1:
        raise AssertionError("%d vertical scroll bars on the story" % len(bars))
    return bars[0].queryValue()


class Playing(unittest.TestCase):
    """Presses, as a player makes them."""

    def setUp(self):
        self.game = Game()

    def tearDown(self):
        log = self.game.stderr()
        self.game.close()
        assert_quiet(log)

    def test_the_end_of_the_story_stays_in_view(self):
        story = self.game.story()
        text = story.queryText()
        view = extents(story)
        # Until the story is longer than its area, and once more after that.
        overflowing = 0
        for press in range(40):
            before = text.characterCount
            self.game.press("Show Stats")
            wait_for("the stats in the story", lambda: text.characterCount > before)
            bar = story_bar(story)

            # The view follows once GTK has measured the new lines, which on
            # a busy machine can come a little after the bar reads "end".
            def last_character_in_view():
                _, y, _, height = text.getCharacterExtents(text.characterCount - 1, pyatspi.WINDOW_COORDS)
                return y >= view[1] and y + height <= view[1] + view[3]

            with self.subTest(press=press):
                wait_for("the story scrolled to its end",
                         lambda: bar.maximumValue - bar.currentValue < 0.5 and last_character_in_view(), timeout=10)
            if bar.maximumValue > bar.minimumValue:
                overflowing += 1
                if overflowing == 2:
                    break
        self.assertEqual(overflowing, 2, "the story never grew past its area")

    def test_links_without_an_opener_change_nothing(self):
        # An empty desktop: nothing is registered to open web pages or PDFs,
        # so the test never starts a browser wherever it runs.
        with tempfile.TemporaryDirectory() as empty:
            self.game.close()
            env = dict(os.environ, XDG_DATA_HOME=empty, XDG_DATA_DIRS=empty, XDG_CONFIG_HOME=empty,
                       XDG_CONFIG_DIRS=empty)
            self.game = Game(env)
            visit = [b.name for b in self.game.buttons() if b.name.startswith("Visit ")]
            text = self.game.story().queryText()
            for name in visit + ["Get Instructions"]:
                with self.subTest(button=name):
                    self.game.press(name)
                    before = text.characterCount
                    self.game.press("Show Stats")  # still answering
                    wait_for("the game to answer", lambda: text.characterCount > before)
                    self.assertIsNone(self.game.proc.poll(), self.game.stderr())

    def test_a_choice_replaces_the_choices(self):
        text = self.game.story().queryText()
        before = text.characterCount
        pressed = self.game.button("Go East")
        # The game frees this very button while handling its press.
        self.game.press("Go East")
        wait_for("the story to go on", lambda: text.characterCount > before)
        wait_for("the pressed button to be gone", lambda: all(b is not pressed for b in self.game.buttons()))
        wait_for("the new choices", lambda: [
            b for b in self.game.buttons() if showing(b) and extents(b) == (384, 404, 640, 28)])
        self.assertIsNone(self.game.proc.poll(), self.game.stderr())


class Ending(unittest.TestCase):
    """The program ends cleanly however the player or the system ends it."""

    def test_close_box(self):
        game = Game()
        try:
            self.assertTrue(press_close_box(game.proc.pid, TITLE), "the game's X window was not found")
            self.assertEqual(game.wait_exit(), 0, game.stderr())
        finally:
            game.close()

    def test_signals(self):
        for sig in (signal.SIGTERM, signal.SIGINT):
            with self.subTest(signal=sig.name):
                game = Game()
                try:
                    game.proc.send_signal(sig)
                    self.assertEqual(game.wait_exit(), 0, game.stderr())
                finally:
                    game.close()


def free_display_number():
    # xvfb-run -a takes the first free number from 99 on, so :99 may well be
    # the display these tests run on: find one that nothing serves.
    for n in range(99, 1000):
        if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n):
            return n
    raise AssertionError("no free display number")


def without_display():
    return {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}


class WithoutDisplay(unittest.TestCase):
    def test_refuses_to_start(self):
        base = without_display()
        cases = [
            ("no DISPLAY", base),
            ("DISPLAY pointing nowhere", dict(base, DISPLAY=":%d" % free_display_number())),
        ]
        for what, env in cases:
            with self.subTest(what):
                run = subprocess.run([PROGRAM], env=env, stdin=subprocess.DEVNULL, capture_output=True,
                                     timeout=EXIT_TIMEOUT)
                self.assertEqual(run.returncode, 1)
                lines = run.stderr.decode(errors="replace").splitlines()
                self.assertEqual(len(lines), 1, lines)
                self.assertIn("graphical display", lines[0])
                self.assertEqual(run.stdout, b"")

    def test_a_game_that_cannot_start_fails_its_test_at_once(self):
        # Not after the time-out, and with the game's own words to go on.
        with self.assertRaises(AssertionError) as caught:
            Game(env=without_display()).close()
        said = str(caught.exception)
        self.assertIn("the game ended while starting, with exit status 1", said)
        self.assertIn("graphical display", said)


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


class Play(GameCase):
    """The game as a player meets it."""

    def test_going_east(self):
        game = self.start()
        first = story_text(game)
        self.assertTrue(first.endswith(FIRST_SCREEN_END), first[-200:])
        added = answer(game, "Go East")
        self.assertTrue(added.startswith(GO_EAST), added)
        self.assertTrue(added.endswith(" \n\n" + PROMPT), added)
        self.assertEqual(added.count(PROMPT), 1, added)
        self.assertTrue(story_text(game).startswith(first))
        self.assertEqual(settled_choices(game, ["Go South"]), ["Go South"])
        self.assertEqual(extents(game.button("Go South")), (384, 404, 640, 28))

    def test_commands_in_turn(self):
        game = self.start()
        steps = [
            ("Take Sword", "Take Sword\n\nYou took the Sword.\n\nThe Sword is now your primary weapon.\n\n" + PROMPT,
             ["Go East"]),
            ("Show Stats", STATS % "Sword", ["Go East"]),
            ("Show Inventory", INVENTORY % "  Sword\n", ["Go East"]),
            ("Consume", "Eat food\n\nYou decide to consume some of your food. Although the food appears appetizing, "
             "you are not wounded or fatigued, so you decide not to eat any food.\n\n" + PROMPT, ["Go East"]),
        ]
        for step, (name, added, after) in enumerate(steps):
            with self.subTest(step=step, button=name):
                self.assertEqual(answer(game, name), added)
                self.assertEqual(settled_choices(game, after), after)

    def test_commands_before_taking_anything(self):
        game = self.start()
        for name, added in [("Show Stats", STATS % "none"), ("Show Inventory", INVENTORY % "")]:
            with self.subTest(button=name):
                self.assertEqual(answer(game, name), added)
                self.assertEqual(settled_choices(game, FIRST_CHOICES), FIRST_CHOICES)

    def test_links_hand_their_address_to_the_opener(self):
        readme = os.path.join(game_folder(), README)
        with open(readme, "rb") as f:
            self.assertEqual(f.read(5), b"%PDF-")
        for button, check in [
            ("Get Instructions", lambda uri: assert_file_uri(self, uri, readme)),
            ("Visit", lambda uri: self.assertEqual(uri, SOFTWARE_PAGE)),
        ]:
            with self.subTest(button=button):
                opener = self.opener()
                game = self.start(env=opener.env())
                text = story_text(game)
                game.press(visit_button(game) if button == "Visit" else button)
                records = opener.wait_records(1)
                self.assertEqual(len(records), 1, records)
                check(records[0])
                # Handing an address on says nothing in the story.
                self.assertEqual(answer(game, "Show Stats"), STATS % "none")
                self.assertEqual(story_text(game), text + STATS % "none")
                self.assertEqual(opener.records(), records)


class Pictures(GameCase):
    """The picture panel shows the room the player is in, as drawn."""

    def test_first_room(self):
        game = self.start()
        where = panel(game)
        self.assertEqual(extents(where), (380, 4, 640, 400))
        window = game.frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        screen = where.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.assertEqual((screen.x, screen.y), (window.x + 380, window.y + 4))
        self.assertLess(shown_difference(game, picture("room_6.bmp")), CLOSE)

    def test_the_picture_follows_the_player(self):
        game = self.start()
        self.assertLess(shown_difference(game, picture("room_6.bmp")), CLOSE)
        answer(game, "Go East")
        self.assertLess(shown_difference(game, picture("room_1.bmp")), CLOSE)
        self.assertGreater(picture_difference(game, picture("room_6.bmp")), FAR)


# Blanks, quotes, shell syntax, URI syntax and a letter beyond ASCII: a
# shell would run the touch, and a careless URI would lose the rest.
AWKWARD = "Thorn vale 'q' \"d\" $(touch pwned);&| %41 #? \u00e9"
# The shortest way out of the castle, from the first room.
ROUTE = ["East", "South", "South", "East", "Up", "North", "East", "South", "East", "North", "Down", "South", "East"]


def bmp_header(width, height):
    """A 24-bit BMP's headers, claiming `width` by `height` pixels."""
    size = min(((width * 3 + 3) // 4 * 4) * height, 0xFFFFFFFF - 54)
    return (struct.pack("<2sIHHI", b"BM", 54 + size, 0, 0, 54)
            + struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, size, 2835, 2835, 0, 0))


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def restart_showing(game):
    return steady(lambda: showing(game.button("Restart Game")))


def play_to_game_over(game):
    """Takes the way out, a known 13 moves from the first room. The game's
    own dice decide whether a creature on the way kills the player first;
    either way the game is over at the end of it, or the test fails."""
    text = game.story().queryText()
    for way in ROUTE:
        name = "Go " + way
        wait_for("%r or Restart Game" % name, lambda: restart_showing(game) or name in choices(game), 10)
        if restart_showing(game):
            return  # died on the way
        before = text.characterCount
        steady(lambda: game.press(name))
        wait_for("the answer to %r" % name, lambda: text.characterCount > before or restart_showing(game), 10)
    wait_for("Restart Game at the exit", lambda: restart_showing(game), 10)


class Hostile(GameCase):
    """The game keeps working wherever it is put and whatever is missing."""

    @classmethod
    def setUpClass(cls):
        game = Game()
        try:
            cls.first_screen = story_text(game)
        finally:
            game.close()

    def copy(self, name="game"):
        """A copy of the game's folder; returns the copied program."""
        folder = os.path.join(self.folder(), name)
        shutil.copytree(game_folder(), folder, symlinks=True)
        return os.path.join(folder, os.path.basename(PROGRAM))

    def assert_plays(self, game):
        added = answer(game, "Go East")
        self.assertTrue(added.startswith(GO_EAST), added)
        self.assertEqual(settled_choices(game, ["Go South"]), ["Go South"])
        self.assertIsNone(game.proc.poll(), game.stderr())

    def test_awkward_folder_started_from_elsewhere(self):
        def absolute(program):
            return dict(program=program, cwd="/")

        def relative(program):
            top = os.path.dirname(os.path.dirname(program))
            return dict(program=os.path.relpath(program, top), cwd=top)

        def through_a_link(program):
            link = os.path.join(self.folder(), "thornvale")
            os.symlink(program, link)
            return dict(program=link, cwd=os.path.dirname(link))

        def on_path(program):
            return dict(program=os.path.basename(program), cwd="/",
                        path=os.path.dirname(program) + os.pathsep + os.environ.get("PATH", ""))

        def from_a_removed_folder(program):
            gone = os.path.join(self.folder(), "gone")
            os.mkdir(gone)
            # The shell becomes the game, which finds itself in no folder at all.
            return dict(program=["/bin/sh", "-c", 'cd "$1" && rmdir "$1" && exec "$2"', "sh", gone, program])

        pwned_before = {place: os.path.exists(os.path.join(place, "pwned")) for place in ("/", os.getcwd())}
        for how in (absolute, relative, through_a_link, on_path, from_a_removed_folder):
            with self.subTest(started=how.__name__):
                program = self.copy(AWKWARD)
                folder = os.path.dirname(program)
                opener = self.opener()
                start = how(program)
                env = opener.env()
                if "path" in start:
                    env["PATH"] = start.pop("path")
                game = self.start(env=env, **start)
                assert_first_screen(self, game, self.first_screen)
                self.assertLess(shown_difference(game, os.path.join(folder, PICTURES, "room_6.bmp")), CLOSE)
                game.press("Get Instructions")
                records = opener.wait_records(1)
                self.assertEqual(len(records), 1, records)
                assert_file_uri(self, records[0], os.path.join(folder, README))
                self.assertIsNone(game.proc.poll(), game.stderr())
                # Nothing was handed to a shell: no touch ran, in any folder it might have run in.
                for place in (os.path.dirname(folder), opener.folder):
                    for root, _, files in os.walk(place):
                        self.assertNotIn("pwned", files, root)
                for place, there_before in pwned_before.items():
                    if not there_before:
                        self.assertFalse(os.path.exists(os.path.join(place, "pwned")), place)

    def test_broken_pictures(self):
        def room_6(damage):
            return lambda img: damage(os.path.join(img, "room_6.bmp"))

        def every_room(damage):
            return lambda img: [damage(os.path.join(img, name)) for name in os.listdir(img)]

        def folder_as_file(img):
            shutil.rmtree(img)
            write(img, b"not a folder\n")

        def as_folder(path):
            os.remove(path)
            os.mkdir(path)

        def truncated(path):
            data = read(path)
            write(path, data[:len(data) // 2])

        def corrupt_header(path):
            data = bytearray(read(path))
            data[2:54] = b"\xff" * 52
            write(path, bytes(data))

        def huge(path):
            write(path, bmp_header(60000, 60000) + read(path)[54:])

        cases = [
            ("no picture folder", shutil.rmtree, False),
            ("the picture folder a file", folder_as_file, False),
            ("room_6.bmp a folder", room_6(as_folder), True),
            ("room_6.bmp cut short", room_6(truncated), True),
            ("room_6.bmp with a corrupt header", room_6(corrupt_header), True),
            ("room_6.bmp a text file", room_6(lambda path: write(path, b"This is not a picture.\n")), True),
            ("room_6.bmp empty", room_6(lambda path: write(path, b"")), True),
            ("room_6.bmp of 0x0 pixels", room_6(lambda path: write(path, bmp_header(0, 0))), True),
            ("room_6.bmp claiming 60000x60000 pixels", room_6(huge), True),
            ("every picture cut short", every_room(truncated), False),
        ]
        for what, damage, room_1_intact in cases:
            with self.subTest(what):
                program = self.copy()
                pictures = os.path.join(os.path.dirname(program), PICTURES)
                damage(pictures)
                game = self.start(program=program)
                assert_first_screen(self, game, self.first_screen)
                self.assert_plays(game)
                if room_1_intact:
                    self.assertLess(shown_difference(game, os.path.join(pictures, "room_1.bmp")), CLOSE)
                self.assertIsNone(game.proc.poll(), game.stderr())
                assert_no_criticals(self, game)

    def test_without_the_readme(self):
        program = self.copy()
        os.remove(os.path.join(os.path.dirname(program), README))
        opener = self.opener()
        game = self.start(program=program, env=opener.env())
        game.press("Get Instructions")
        # The web page goes the same way: once it is there, so would the read-me be.
        game.press(visit_button(game))
        opener.wait_records(1)
        self.assertEqual(answer(game, "Show Stats"), STATS % "none")
        time.sleep(1)
        self.assertEqual(opener.records(), [SOFTWARE_PAGE])
        self.assertIsNone(game.proc.poll(), game.stderr())

    def test_openers_that_do_not_open(self):
        empty = self.folder()
        base = dict(os.environ, PATH=empty)  # no xdg-open, nor anything else
        # (what, how the opener is made, whether its program is removed, whether it runs and stays)
        cases = [
            ("no opener at all", dict(registered=False), False, None),
            ("an opener that never ends", dict(behaviour="exec /bin/sleep 60"), False, True),
            ("an opener that fails", dict(behaviour="exit 3"), False, False),
            ("an opener whose program is gone", {}, True, None),
        ]
        for what, kwargs, gone, stays in cases:
            with self.subTest(what):
                opener = self.opener(**kwargs)
                if gone:
                    os.remove(opener.script)
                game = self.start(env=opener.env(base))
                text = story_text(game)
                for name in (visit_button(game), "Get Instructions"):
                    game.press(name)
                if stays is not None:
                    self.assertEqual(len(opener.wait_records(2)), 2)
                    if stays:
                        self.assertEqual(opener.running(), opener.started())
                    else:
                        wait_for("the opener to end", lambda: not opener.running())
                # The presses are answered in turn: the links said nothing.
                self.assertEqual(answer(game, "Show Stats"), STATS % "none")
                time.sleep(1)  # for anything the opener's end might bring
                self.assertEqual(story_text(game), text + STATS % "none")
                windows = [w for w in game.application() if w is not None and showing(w)]
                self.assertEqual(len(windows), 1, [w.name for w in windows])
                self.assertEqual(answer(game, "Show Inventory"), INVENTORY % "")
                self.assertIsNone(game.proc.poll(), game.stderr())

    def test_without_home_or_desktop_folders(self):
        plain = {k: v for k, v in os.environ.items() if k != "HOME" and not k.startswith("XDG_")}
        nowhere = os.path.join(self.folder(), "nowhere")
        cases = [
            ("unset", plain),
            ("pointing nowhere", dict(plain, HOME=nowhere, XDG_DATA_HOME=nowhere, XDG_DATA_DIRS=nowhere,
                                      XDG_CONFIG_HOME=nowhere, XDG_CONFIG_DIRS=nowhere, XDG_CACHE_HOME=nowhere,
                                      XDG_RUNTIME_DIR=nowhere)),
        ]
        for what, env in cases:
            with self.subTest(what):
                game = self.start(env=env)
                assert_first_screen(self, game, self.first_screen)
                self.assertEqual(answer(game, "Take Sword").splitlines()[0], "Take Sword")
                self.assertEqual(answer(game, "Show Stats"), STATS % "Sword")
                self.assert_plays(game)
                assert_no_criticals(self, game)

    def test_any_locale(self):
        for locale in ("C", "C.UTF-8", "xx_YY.UTF-8"):  # the last one is nowhere installed
            with self.subTest(LC_ALL=locale):
                game = self.start(env=dict(os.environ, LC_ALL=locale))
                assert_first_screen(self, game, self.first_screen)
                self.assertEqual(answer(game, "Show Stats"), STATS % "none")
                self.assert_plays(game)

    def test_signals_after_game_over(self):
        for sig in (signal.SIGTERM, signal.SIGINT):
            with self.subTest(signal=sig.name):
                game = self.start()
                play_to_game_over(game)
                game.proc.send_signal(sig)
                self.assertEqual(game.wait_exit(), 0, game.stderr())

    def test_restart_after_game_over(self):
        game = self.start()
        play_to_game_over(game)
        for name, shown in [("Restart Game", True), ("Consume", False), ("Show Stats", False),
                            ("Show Inventory", False)]:
            with self.subTest(after="game over", button=name):
                self.assertEqual(showing(game.button(name)), shown)
        self.assertEqual(settled_choices(game, []), [])
        added = answer(game, "Restart Game")
        self.assertTrue(added.startswith("Restart Game\n\nGame has been reset.\n\n"), added)
        self.assertTrue(added.endswith(FIRST_SCREEN_END), added)
        self.assertEqual(settled_choices(game, FIRST_CHOICES), FIRST_CHOICES)
        for name, shown in [("Restart Game", False), ("Consume", True), ("Show Stats", True),
                            ("Show Inventory", True)]:
            with self.subTest(after="restart", button=name):
                self.assertEqual(showing(game.button(name)), shown)
        self.assertEqual(answer(game, "Show Stats"), STATS % "none")

if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: test_window.py PROGRAM [unittest arguments]")
    PROGRAM = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
