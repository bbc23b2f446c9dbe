#pragma once
#include <string_view>

// The longer creature descriptions, kept out of the type table for readability.
std::string_view WerewolfDescription();
std::string_view FleshgorgerDescription();
std::string_view MaldemerDescription();
