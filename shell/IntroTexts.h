#pragma once
#include <string_view>

// Appended after the title at the start of every game.
std::string_view StoryIntroText();
// Kept from the typed-command original; the button-driven game never shows it.
std::string_view BasicHelpText();
