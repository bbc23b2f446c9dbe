#!/usr/bin/python3
"""How the program ends, however the player or the system ends it (Ending),
and how it refuses to start without a display (WithoutDisplay).

Run under Xvfb, with a D-Bus session of its own inside (more in driver.py):

    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \\
        dbus-run-session -- /usr/bin/python3 -B tests/window/test_ending.py \\
        build/game/thornvale [unittest arguments, e.g. WithoutDisplay]
"""
import os
import signal
import subprocess
import unittest

import driver
from driver import EXIT_TIMEOUT, TITLE, Game, press_close_box

setUpModule = driver.setUpModule  # pyatspi's own deprecation warnings, silenced


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
                run = subprocess.run([driver.PROGRAM], env=env, stdin=subprocess.DEVNULL, capture_output=True,
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


if __name__ == "__main__":
    driver.main()
