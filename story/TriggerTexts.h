#pragma once
#include <string_view>

// Shown on the first entrance to the store room, after the ride down.
std::string_view LiftStoryText();
// Shown on the first entrance to the chambermaids' bedroom, as the dragon wakes.
std::string_view DragonStoryText();
