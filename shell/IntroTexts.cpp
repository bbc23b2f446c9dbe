#include "shell/IntroTexts.h"

namespace {

constexpr std::string_view kStoryIntro =
    "\n\n"
    "GAME INTRODUCTION\n\n"
    "  This game, ‘Thornvale’, is based on a game of the same title by Quillon, which "
    "first appeared in Quillon's book Lorebinding, a collection of adventure games for "
    "the home computer. The book can still be read online at archive.org. The present "
    "game alters the original in a number of places and fixes several faults that were "
    "found in it.\n\n"
    "STORY INTRODUCTION\n\n"
    "  This Adventure, THORNVALE (a thorn being the sharp spike of a briar and a vale "
    "a valley, so that the name means a valley of thorns), takes place in an ancient, "
    "abandoned stone castle that stands alone at the head of a bleak and lonely "
    "valley, far from any road or hamlet.\n"
    "  Some time ago, while sorting through an old trunk left to you by your "
    "grandfather, you came upon a faded letter. The ink has run and the paper is "
    "brittle, and only its second page has survived. It tells of a king who blamed a "
    "witch for his wife's illness and had her evicted from the castle in the midst of "
    "a fierce thunderstorm. Cast out into the wind and the rain, the witch laid a "
    "terrible curse upon the castle and all who dwelt within its walls, and soon "
    "afterwards the queen died of her illness.\n"
    "  From that night on, the letter says, odd creatures began to appear in the halls "
    "and chambers, and ghosts were seen drifting along the passages after dark. One by "
    "one the servants slipped away, and the few who remained spoke of shapes in the "
    "shadows and cries in the night, until at last the king and all his court fled the "
    "castle altogether, never to be heard of again.\n"
    "  But the creatures have stayed on, and the long years have only made them "
    "bolder. They still roam the empty rooms, corridors and stairwells, guarding "
    "whatever the court left behind, and now you stand before the castle gate, about "
    "to enter their realm...\n\n"
    "And so your adventure begins...\n";

constexpr std::string_view kBasicHelp =
    "\n"
    "BASIC INSTRUCTIONS\n\n"
    "This is a text-based adventure game. You play it by typing in action commands, "
    "short phrases that tell the game what you want your character to do next, and the "
    "game replies by describing what happens as a result.\n\n"
    "Type each action in the text box below and send it to the game by pressing the "
    "ENTER key on the keyboard or by clicking the 'Submit' button beside the box.\n\n"
    "Some of the typical actions you can use are: LOOK, TAKE [object], EXAMINE "
    "[object], USE [object], DROP [object], ASK [person], QUIT, HELP, NORTH, SOUTH, "
    "EAST, WEST, UP, DOWN, INVENTORY and HINT.\n\n"
    "Here are some examples of typical usage: GO SOUTH, EXAMINE PATTERNS, ASK WISEMAN, "
    "LOOK AROUND. Enter HELP in the textbox below for more specific help and "
    "examples.\n";

}  // namespace

std::string_view StoryIntroText() { return kStoryIntro; }

std::string_view BasicHelpText() { return kBasicHelp; }
