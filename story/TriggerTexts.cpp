#include "story/TriggerTexts.h"

namespace {

constexpr std::string_view kLiftStory =
    "  As the lift comes to rest on the bottom floor, it shudders and sticks. You try "
    "to get it going again, but nothing you do fixes it. The lift is broken and there "
    "is no way back up.\n";

// The capital "And" after the comma is the original's wording, kept on purpose.
constexpr std::string_view kDragonStory =
    "  As you enter the room your attention is caught by the steady thumping of "
    "something heavy behind the bed. You peer behind it, And a devastating "
    "Earth-dragon leaps out at you, its foul breath stinking of sulfur!\n";

}  // namespace

std::string_view LiftStoryText() { return kLiftStory; }

std::string_view DragonStoryText() { return kDragonStory; }
