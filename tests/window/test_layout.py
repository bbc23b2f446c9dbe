#!/usr/bin/python3
"""The window as the game builds it (Layout), and presses as a player makes
them (Playing).

Run under Xvfb, with a D-Bus session of its own inside (more in driver.py):

    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \\
        dbus-run-session -- /usr/bin/python3 -B tests/window/test_layout.py \\
        build/game/thornvale [unittest arguments, e.g. Playing]
"""
import os
import tempfile
import unittest

import pyatspi

import driver
from driver import STORY_START, TITLE, Game, assert_quiet, extents, showing, wait_for

setUpModule = driver.setUpModule  # pyatspi's own deprecation warnings, silenced


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
        self.assertEqual(self.game.application().name, os.path.basename(driver.PROGRAM))
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



if __name__ == "__main__":
    driver.main()
