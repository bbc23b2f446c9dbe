#include "catalogues/ObjectTypeTexts.h"

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

}  // namespace

std::string_view WerewolfDescription() { return kWerewolf; }

std::string_view FleshgorgerDescription() { return kFleshgorger; }

std::string_view MaldemerDescription() { return kMaldemer; }
