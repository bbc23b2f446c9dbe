#!/usr/bin/python3
"""The real program in a real window, driven through the accessibility bus
as a player's assistive tools would drive it.

Run under Xvfb, with a D-Bus session of its own inside (the accessibility
bus is started from that session on demand):

    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \\
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
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

import pyatspi

PROGRAM = None  # set from the command line
TITLE = "Thornvale, v1.2.3"
STORY_START = "Thornvale, v1.2.3\n\nGAME INTRODUCTION\n\n  "
START_TIMEOUT = 30
EXIT_TIMEOUT = 20


def wait_for(what, predicate, timeout=START_TIMEOUT):
    """Polls until predicate() returns something true, and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = predicate()
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

    def __init__(self, env=None):
        self.log = tempfile.TemporaryFile()
        self.proc = subprocess.Popen([PROGRAM], stdout=subprocess.DEVNULL, stderr=self.log, env=env)
        self.frame = wait_for("the game's window on the accessibility bus", self._find_frame)
        # Built and shown: the story is there and the buttons are laid out.
        wait_for("the story text", lambda: self.story().queryText().characterCount > 0)
        wait_for("the buttons to be shown", lambda: showing(self.button("Show Stats")))

    def _find_frame(self):
        if self.proc.poll() is not None:
            raise AssertionError("the game ended while starting: " + self.stderr())
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
            # Scrolling happens once the new lines are measured.
            wait_for("the story scrolled to its end",
                     lambda: bar.maximumValue - bar.currentValue < 0.5, timeout=10)
            _, y, _, height = text.getCharacterExtents(text.characterCount - 1, pyatspi.WINDOW_COORDS)
            with self.subTest(press=press):
                self.assertGreaterEqual(y, view[1])
                self.assertLessEqual(y + height, view[1] + view[3])
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


class WithoutDisplay(unittest.TestCase):
    def test_refuses_to_start(self):
        base = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
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


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit("usage: test_window.py PROGRAM [unittest arguments]")
    PROGRAM = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:], verbosity=2)
