// The game's fixed prose: exact lengths, openings and line layout, which the
// story area shows verbatim.
#include "catalogues/ObjectTypeTexts.h"
#include "shell/IntroTexts.h"
#include "story/TriggerTexts.h"
#include "world/RoomTexts.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Lengths are in characters, not bytes: the intro's typographic quotes take
// three bytes each. Counts every byte that does not continue a sequence.
std::size_t CodePoints(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::size_t Count(std::string_view s, std::string_view what) {
    std::size_t n = 0;
    for (auto at = s.find(what); at != std::string_view::npos; at = s.find(what, at + what.size())) ++n;
    return n;
}

TEST(TextsTest, CodePointsCountsMultiByteCharactersOnce) {
    EXPECT_EQ(CodePoints(""), 0u);
    EXPECT_EQ(CodePoints("abc"), 3u);
    EXPECT_EQ(CodePoints("\u2018x\u2019"), 3u);  // 7 bytes
}

struct RoomCase {
    int id;
    std::string_view opening;  // after the two blanks, where there are any
    std::size_t length;
    bool indented;
    bool blankBeforeEnd;
};

const std::vector<RoomCase> kRooms = {
    {1, "You are in the Hallway entrance to the castle.", 257, true, true},
    {2, "This is the Audience Chamber.", 312, true, true},
    {3, "You are in the Great Hall, an L-shaped room.", 196, true, true},
    {4, "This is the Monarch's private meeting room.", 156, true, false},
    {5, "This inner hallway contains a door to the North,", 222, true, true},
    {6, "You are at the entrance to a forbidding-looking stone castle.", 157, true, false},
    {7, "This is the castle's kitchen.", 258, true, false},
    {8, "You are in the Store Room,", 198, true, false},
    {9, "You have entered the lift.", 111, true, false},
    {10, "You are in the rear vestibule.", 159, true, false},
    {11, "YOU'VE DONE IT!!", 121, false, false},
    {12, "You are in the dank, dark dungeon.", 175, true, false},
    {13, "You are in the prison guardroom, in the basement of the castle.", 269, true, false},
    {14, "You are in the Master Bedroom on the upper level of the castle.", 275, true, false},
    {15, "This is the L-Shapped upper hallway.", 207, true, false},
    {16, "This room was used as the castle treasury in by-gone years.", 125, true, false},
    {17, "Ooooh...you are in the chambermaids' bedroom.", 134, true, false},
    {18, "This tiny room on the upper level is the dressing chamber.", 164, true, false},
    {19, "This is the Armory.", 167, true, false},
};

TEST(TextsTest, EveryRoomTextHasItsOpeningLengthAndLayout) {
    for (const auto& c : kRooms) {
        SCOPED_TRACE("room " + std::to_string(c.id));
        const std::string_view t = RoomText(c.id);
        EXPECT_EQ(CodePoints(t), c.length);
        const std::string_view lead = c.indented ? "  " : "";
        EXPECT_TRUE(t.starts_with(std::string(lead) + std::string(c.opening))) << t;
        EXPECT_NE(t.substr(lead.size(), 1), " ");  // exactly the lead, no more
        ASSERT_TRUE(t.ends_with("\n"));
        EXPECT_EQ(t.find('\n'), t.size() - 1) << "one paragraph";
        EXPECT_EQ(t.ends_with(" \n"), c.blankBeforeEnd);
    }
}

TEST(TextsTest, ExitRoomTextIsTheFirstLineOfTheCompletionEnding) {
    EXPECT_EQ(RoomText(11),
              "YOU'VE DONE IT!! That was the exit from the Castle. YOU HAVE SUCCEEDED. "
              "You managed to get out of the Castle. WELL DONE!\n");
}

TEST(TextsTest, NumbersThatNameNoRoomGiveNoText) {
    for (int id : {-1, 0, 20, 1000}) EXPECT_TRUE(RoomText(id).empty()) << id;
}

TEST(TextsTest, StoryIntroHasCreditsFourStoryParagraphsAndTheSendOff) {
    const std::string_view t = StoryIntroText();
    EXPECT_EQ(CodePoints(t), 1819u);
    EXPECT_TRUE(t.starts_with("\n\nGAME INTRODUCTION\n\n  "));

    const std::string_view storyHead = "\n\nSTORY INTRODUCTION\n\n  ";
    const std::string_view sendOff = "\n\nAnd so your adventure begins...\n";
    const auto storyAt = t.find(storyHead);
    ASSERT_NE(storyAt, std::string_view::npos);
    ASSERT_TRUE(t.ends_with(sendOff));

    const std::string_view credits = t.substr(0, storyAt);
    EXPECT_NE(credits.find("\u2018Thornvale\u2019"), std::string_view::npos);
    EXPECT_EQ(Count(credits.substr(2), "\n\n"), 1u) << "one credits paragraph";

    const std::string_view story = t.substr(storyAt + storyHead.size(),
                                            t.size() - sendOff.size() - storyAt - storyHead.size());
    EXPECT_TRUE(story.starts_with("This Adventure, THORNVALE"));
    EXPECT_EQ(Count(story, "\n"), 3u);
    EXPECT_EQ(Count(story, "\n  "), 3u) << "each later paragraph indented by two blanks";
    EXPECT_TRUE(story.ends_with("...")) << "the fourth paragraph trails off";
}

TEST(TextsTest, BasicHelpHasFourParagraphsAndClosesWithTheHelpHint) {
    const std::string_view t = BasicHelpText();
    EXPECT_EQ(CodePoints(t), 753u);
    const std::string_view head = "\nBASIC INSTRUCTIONS\n\n";
    ASSERT_TRUE(t.starts_with(head));
    ASSERT_TRUE(t.ends_with("Enter HELP in the textbox below for more specific help and examples.\n"));

    const std::string_view body = t.substr(head.size(), t.size() - head.size() - 1);
    EXPECT_EQ(Count(body, "\n\n"), 3u);
    EXPECT_EQ(Count(body, "\n"), 6u) << "no line break inside a paragraph";
    for (std::string_view piece : {"'Submit'", "ENTER", "TAKE [object]", "ASK [person]", "INVENTORY",
                                   "HINT", "GO SOUTH", "EXAMINE PATTERNS", "ASK WISEMAN", "LOOK AROUND"})
        EXPECT_NE(body.find(piece), std::string_view::npos) << piece;
}

struct ParagraphCase {
    const char* name;
    std::string_view text;
    std::string_view opening;
    std::size_t length;
};

TEST(TextsTest, TriggerStoriesAreSingleIndentedParagraphs) {
    const ParagraphCase cases[] = {
        {"lift", LiftStoryText(), "  As the lift comes to rest on the bottom floor,", 181},
        {"dragon", DragonStoryText(),
         "  As you enter the room your attention is caught by the steady thumping", 212},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CodePoints(c.text), c.length);
        EXPECT_TRUE(c.text.starts_with(c.opening));
        ASSERT_TRUE(c.text.ends_with("\n"));
        EXPECT_EQ(c.text.find('\n'), c.text.size() - 1);
    }
    EXPECT_NE(DragonStoryText().find(", And "), std::string_view::npos);
}

TEST(TextsTest, CreatureDescriptionsOpenAsWrittenAndStayOnOneLine) {
    // Lengths are only approximate; the margin catches a lost or doubled sentence.
    const ParagraphCase cases[] = {
        {"werewolf", WerewolfDescription(), "It stands erect on two feet, 3 meters tall,", 240},
        {"fleshgorger", FleshgorgerDescription(), "The fanatical fleshgorger is a large beast", 140},
        {"maldemer", MaldemerDescription(), "Although this four meter long maldemer", 130},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.text.starts_with(c.opening));
        EXPECT_EQ(c.text.find_first_of("\r\n"), std::string_view::npos);
        EXPECT_NEAR(static_cast<double>(CodePoints(c.text)), static_cast<double>(c.length), 20.0);
    }
    EXPECT_TRUE(MaldemerDescription().ends_with(". "));
    EXPECT_TRUE(WerewolfDescription().ends_with("."));
    EXPECT_TRUE(FleshgorgerDescription().ends_with("."));
}

}  // namespace
