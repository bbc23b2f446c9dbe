#include "catalogues/ObjectTypeTexts.h"

#include <array>

namespace {

constexpr std::string_view kWerewolf =
    "It stands erect on two feet, 3 meters tall, its body covered in coarse fur, with "
    "talon-clawed hands and truncated wolf-like jaws full of jagged, yellowing teeth. "
    "It has the intelligence of a human and all the cunning and ferocity of a wolf.";

constexpr std::string_view kFleshgorger =
    "The fanatical fleshgorger is a large beast covered in spikes and red-and-black "
    "scales. It is known for its ghastly roar and its fierce bite.";

// The trailing blank belongs to the text.
constexpr std::string_view kMaldemer =
    "Although this four meter long maldemer is smaller than the typical serpent of the "
    "sea, it is not a creature to be underestimated. ";

// Indexed by type ID; slot 0 stays empty so a look-up needs no offset.
constexpr std::array<std::string_view, 14> kDescriptions = {
    "",
    // 1: Roamling
    "You are eager and ready to discover.",
    kWerewolf,
    kFleshgorger,
    kMaldemer,
    // 5: Devastating Earth-Dragon
    "It looks devastating and smells of sulfur.",
    // 6: Elixir
    "It is a small bottle containing some type of liquid. The bottle is corked.",
    // 7: Treasure
    "It is treasure.",
    // 8: Food
    "It is food. You can gain one wound level for each food you possess.",
    // 9: Sword
    "It is a short sword. Damage rating is 1D+2.",
    // 10: Axe
    "It is an axe. Damage rating is 2D.",
    // 11: Fur cloak
    "It is a fur cloak. Defense value of +2.",
    // 12: sack of flour
    "It is a sack of flour. As you examine it, you find treasure. Then the sack disappears!",
    // 13: sack of potatoes
    "It looks like a sack of potatoes. But when you get closer to it, a sound comes from the sack. Then "
    "all of a sudden the sack vanishes and a creature appears!",
};

}  // namespace

std::string_view ObjectTypeDescription(int32_t typeId) {
    if (typeId < 1 || typeId >= static_cast<int32_t>(kDescriptions.size())) return {};
    return kDescriptions[static_cast<std::size_t>(typeId)];
}

std::string_view WerewolfDescription() { return kWerewolf; }

std::string_view FleshgorgerDescription() { return kFleshgorger; }

std::string_view MaldemerDescription() { return kMaldemer; }
