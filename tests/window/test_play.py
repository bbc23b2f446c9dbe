#!/usr/bin/python3
"""What the player reads and sees: the game as a player meets it (Play), and
the picture panel showing the room the player is in (Pictures).

Run under Xvfb, with a D-Bus session of its own inside (more in driver.py):

    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \\
        dbus-run-session -- /usr/bin/python3 -B tests/window/test_play.py \\
        build/game/thornvale [unittest arguments, e.g. Pictures]
"""
import os

import pyatspi

import driver
from driver import (CLOSE, FAR, FIRST_CHOICES, FIRST_SCREEN_END, GO_EAST, INVENTORY, PROMPT, README, SOFTWARE_PAGE,
                    STATS, GameCase, answer, assert_file_uri, extents, game_folder, panel, picture, picture_difference,
                    settled_choices, shown_difference, story_text, visit_button)

setUpModule = driver.setUpModule  # pyatspi's own deprecation warnings, silenced


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


if __name__ == "__main__":
    driver.main()
