#pragma once
#include <cstdint>
#include <string_view>

// The examine text of each object type, kept out of the type table for
// readability; "" for a number that names no type.
std::string_view ObjectTypeDescription(int32_t typeId);  // 1..13

// The longer creature descriptions.
std::string_view WerewolfDescription();
std::string_view FleshgorgerDescription();
std::string_view MaldemerDescription();
