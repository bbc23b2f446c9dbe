#!/usr/bin/python3
"""The game keeps working wherever it is put and whatever is missing:
awkward folders, broken pictures, openers that do not open, a bare
environment, any locale, and the end of a game (Hostile).

Run under Xvfb, with a D-Bus session of its own inside (more in driver.py):

    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \\
        dbus-run-session -- /usr/bin/python3 -B tests/window/test_hostile.py \\
        build/game/thornvale [unittest arguments, e.g. Hostile.test_any_locale]
"""
import os
import shutil
import signal
import struct
import time

import driver
from driver import (CLOSE, FIRST_CHOICES, FIRST_SCREEN_END, GO_EAST, INVENTORY, PICTURES, README, SOFTWARE_PAGE, STATS,
                    Game, GameCase, answer, assert_file_uri, assert_first_screen, assert_no_criticals, choices,
                    game_folder, settled_choices, showing, shown_difference, steady, story_text, visit_button, wait_for)

setUpModule = driver.setUpModule  # pyatspi's own deprecation warnings, silenced


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
        return os.path.join(folder, os.path.basename(driver.PROGRAM))

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
    driver.main()
