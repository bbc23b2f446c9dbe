// Checks the room pictures and the read-me that the build puts beside the
// game, and the two tools that make them.

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kGameDir = THORNVALE_GAME_DIR;
const fs::path kPictureDir = kGameDir / "data" / "media" / "img";
const fs::path kReadme = kGameDir / "Thornvale_Readme.pdf";

// The names the game loads: one per room, the exit (room 11) is endimg.bmp.
constexpr std::array<const char*, 19> kPictures{
    "room_1.bmp",  "room_2.bmp",  "room_3.bmp",  "room_4.bmp",  "room_5.bmp",  "room_6.bmp",  "room_7.bmp",
    "room_8.bmp",  "room_9.bmp",  "room_10.bmp", "endimg.bmp",  "room_12.bmp", "room_13.bmp", "room_14.bmp",
    "room_15.bmp", "room_16.bmp", "room_17.bmp", "room_18.bmp", "room_19.bmp"};

std::string read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le16(const std::string& b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8;
}

int32_t le32(const std::string& b, size_t at) {
    return static_cast<int32_t>(le16(b, at) | le16(b, at + 2) << 16);
}

struct Outcome {
    int exit_code = -1;
    std::string out;
};

// Runs a program without a shell; leak checks are off in case the tools
// were built with the sanitizer, since GLib and fontconfig keep caches.
Outcome outcome_of(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    char** env = g_environ_setenv(g_get_environ(), "ASAN_OPTIONS", "detect_leaks=0", TRUE);
    gchar* out = nullptr;
    gint status = 0;
    GError* error = nullptr;
    Outcome result;
    if (g_spawn_sync(nullptr, argv.data(), env, G_SPAWN_STDERR_TO_DEV_NULL, nullptr, nullptr, &out, nullptr,
                     &status, &error)) {
        result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = out ? out : "";
    } else {
        ADD_FAILURE() << "cannot run " << args[0] << ": " << error->message;
        g_error_free(error);
    }
    g_free(out);
    g_strfreev(env);
    return result;
}

// A fresh folder, removed with everything in it when the test ends.
class ScratchDir {
public:
    ScratchDir() {
        gchar* made = g_dir_make_tmp("thornvale-assets-XXXXXX", nullptr);
        if (made) path_ = made;
        g_free(made);
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

using Pixbuf = std::unique_ptr<GdkPixbuf, decltype(&g_object_unref)>;

Pixbuf load(const fs::path& path) {
    GError* error = nullptr;
    GdkPixbuf* p = gdk_pixbuf_new_from_file(path.c_str(), &error);
    if (!p) {
        ADD_FAILURE() << path << ": " << error->message;
        g_error_free(error);
    }
    return {p, g_object_unref};
}

// Share of pixels that differ between two equally sized RGB pictures.
double differing_share(GdkPixbuf* a, GdkPixbuf* b) {
    const int w = gdk_pixbuf_get_width(a), h = gdk_pixbuf_get_height(a);
    const int n = gdk_pixbuf_get_n_channels(a);
    const int sa = gdk_pixbuf_get_rowstride(a), sb = gdk_pixbuf_get_rowstride(b);
    const guchar* pa = gdk_pixbuf_read_pixels(a);
    const guchar* pb = gdk_pixbuf_read_pixels(b);
    long differ = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!std::equal(pa + y * sa + x * n, pa + y * sa + x * n + 3, pb + y * sb + x * n)) ++differ;
    return static_cast<double>(differ) / (static_cast<double>(w) * h);
}

// ---- The pictures in the build tree ----------------------------------------

class RoomPicture : public testing::TestWithParam<const char*> {};

TEST_P(RoomPicture, IsA640By400TwentyFourBitBmp) {
    const fs::path path = kPictureDir / GetParam();
    ASSERT_TRUE(fs::exists(path)) << path;
    const std::string bytes = read_all(path);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(le32(bytes, 18), 640) << "width";
    EXPECT_EQ(std::abs(le32(bytes, 22)), 400) << "height";
    EXPECT_EQ(le16(bytes, 28), 24u) << "bits per pixel";
    EXPECT_EQ(le32(bytes, 30), 0) << "compression";
    EXPECT_EQ(bytes.size(), static_cast<size_t>(le32(bytes, 10)) + 640u * 400u * 3u);

    const Pixbuf pic = load(path);
    ASSERT_TRUE(pic);
    EXPECT_EQ(gdk_pixbuf_get_width(pic.get()), 640);
    EXPECT_EQ(gdk_pixbuf_get_height(pic.get()), 400);
    EXPECT_FALSE(gdk_pixbuf_get_has_alpha(pic.get()));
}

TEST_P(RoomPicture, ShowsADrawingNotAFlatFill) {
    const Pixbuf pic = load(kPictureDir / GetParam());
    ASSERT_TRUE(pic);
    const int n = gdk_pixbuf_get_n_channels(pic.get()), stride = gdk_pixbuf_get_rowstride(pic.get());
    const guchar* px = gdk_pixbuf_read_pixels(pic.get());
    std::unordered_set<uint32_t> colours;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 640; ++x) {
            const guchar* p = px + y * stride + x * n;
            colours.insert(static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]));
        }
    EXPECT_GE(colours.size(), 64u);
}

INSTANTIATE_TEST_SUITE_P(AllRooms, RoomPicture, testing::ValuesIn(kPictures),
                         [](const testing::TestParamInfo<const char*>& param) {
                             std::string name = param.param;
                             return name.substr(0, name.find('.'));
                         });

TEST(RoomPictures, EachDiffersClearlyFromEveryOther) {
    std::vector<Pixbuf> pics;
    for (const char* name : kPictures) {
        pics.push_back(load(kPictureDir / name));
        ASSERT_TRUE(pics.back()) << name;
    }
    for (size_t i = 0; i < pics.size(); ++i)
        for (size_t j = i + 1; j < pics.size(); ++j)
            EXPECT_GT(differing_share(pics[i].get(), pics[j].get()), 0.05)
                << kPictures[i] << " and " << kPictures[j] << " look nearly the same";
}

// ---- The picture tool ------------------------------------------------------

std::set<std::string> names_in(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
    return names;
}

TEST(PictureTool, WritesTheSameBytesOnEveryRun) {
    ScratchDir scratch;
    ASSERT_FALSE(scratch.path().empty());
    const fs::path first = scratch.path() / "first", second = scratch.path() / "second" / "nested";
    ASSERT_EQ(outcome_of({MAKE_PICTURES, first.string()}).exit_code, 0);
    ASSERT_EQ(outcome_of({MAKE_PICTURES, second.string()}).exit_code, 0);

    const std::set<std::string> expected(kPictures.begin(), kPictures.end());
    EXPECT_EQ(names_in(first), expected);
    EXPECT_EQ(names_in(second), expected);
    for (const char* name : kPictures) {
        const std::string bytes = read_all(first / name);
        EXPECT_EQ(bytes, read_all(second / name)) << name << " differs between two runs";
        EXPECT_EQ(bytes, read_all(kPictureDir / name)) << name << " differs from the one in the build";
    }
}

TEST(PictureTool, FailsWithoutAUsableFolder) {
    ScratchDir scratch;
    const fs::path file = scratch.path() / "a-file";
    std::ofstream(file) << "x";
    EXPECT_NE(outcome_of({MAKE_PICTURES}).exit_code, 0) << "no folder given";
    EXPECT_NE(outcome_of({MAKE_PICTURES, (file / "img").string()}).exit_code, 0) << "folder under a file";
}

// ---- The read-me -----------------------------------------------------------

std::string collapse_spaces(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool space = c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r';
        if (!space) out += c;
        else if (!out.empty() && out.back() != ' ') out += ' ';
    }
    return out;
}

struct Word {
    double x0, y0, x1, y1;
    std::string text;
};
struct Page {
    double width, height;
    std::vector<Word> words;
};

// Page sizes and word boxes, as pdftotext -bbox reports them.
std::vector<Page> pages_of(const fs::path& pdf) {
    const Outcome r = outcome_of({PDFTOTEXT, "-bbox", pdf.string(), "-"});
    EXPECT_EQ(r.exit_code, 0);
    std::vector<Page> pages;
    const std::regex item(
        R"re(<page width="([0-9.]+)" height="([0-9.]+)">|<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    for (std::sregex_iterator m(r.out.begin(), r.out.end(), item), end; m != end; ++m) {
        if ((*m)[1].matched) pages.push_back({std::stod((*m)[1]), std::stod((*m)[2]), {}});
        else if (!pages.empty())
            pages.back().words.push_back(
                {std::stod((*m)[3]), std::stod((*m)[4]), std::stod((*m)[5]), std::stod((*m)[6]), (*m)[7]});
    }
    return pages;
}

// Every page A4; text stays inside the margins and above the footer, and the
// footer below it numbers the page.
void expect_a4_pages_within_margins(const std::vector<Page>& pages) {
    ASSERT_FALSE(pages.empty());
    constexpr double kMargin = 36, kFooterTop = 785, kFoot = 24;
    for (size_t i = 0; i < pages.size(); ++i) {
        const Page& p = pages[i];
        EXPECT_NEAR(p.width, 595.28, 0.5);
        EXPECT_NEAR(p.height, 841.89, 0.5);
        std::string footer;
        for (const Word& w : p.words) {
            EXPECT_GE(w.x0, kMargin) << w.text;
            EXPECT_LE(w.x1, p.width - kMargin) << w.text;
            EXPECT_GE(w.y0, kMargin) << w.text;
            EXPECT_LE(w.y1, p.height - kFoot) << w.text;
            if (w.y1 > kFooterTop) footer += (footer.empty() ? "" : " ") + w.text;
        }
        EXPECT_EQ(footer, "Thornvale \u2014 Player\u2019s Guide \u2014 page " + std::to_string(i + 1))
            << "page " << i + 1 << ": only the footer may stand below the text";
    }
}

TEST(Readme, IsAPdf) {
    ASSERT_TRUE(fs::exists(kReadme)) << kReadme;
    EXPECT_EQ(read_all(kReadme).substr(0, 4), "%PDF");
}

TEST(Readme, ExplainsWoundsButtonsAndScore) {
    const Outcome r = outcome_of({PDFTOTEXT, "-enc", "UTF-8", kReadme.string(), "-"});
    ASSERT_EQ(r.exit_code, 0);
    const std::string text = collapse_spaces(r.out);
    static constexpr std::array kPhrases{
        // wound levels, best to worst
        "not wounded", "stunned", "wounded", "severely wounded", "incapacitated", "mortally wounded", "dead",
        // fixed buttons
        "Consume", "Show Stats", "Show Inventory", "Restart Game", "Get Instructions", "Visit",
        // action buttons
        "Go North", "Examine Sword", "Take Sword", "Fight the", "Use small bottle",
        // food and score
        "10 units of food", "kitchen table", "30 points for each creature", "2 points for each gold piece",
        "1 point for each unit of food", "10 × its cost + 5 × its dexterity + 5 × its strength",
        "Sword is worth 65", "Axe 95", "Fur cloak 85"};
    for (const char* phrase : kPhrases) EXPECT_NE(text.find(phrase), std::string::npos) << phrase;
}

TEST(Readme, DescribesTheWindowAndTheActionsAsTheyAre) {
    const Outcome r = outcome_of({PDFTOTEXT, "-enc", "UTF-8", kReadme.string(), "-"});
    ASSERT_EQ(r.exit_code, 0);
    const std::string text = collapse_spaces(r.out);
    static constexpr std::array kTrue{
        "The story runs down the left of the window", "The picture at the top right",
        "Under the picture are the room’s action buttons", "Below them, at the bottom of the window, are the fixed buttons",
        "the first three are hidden and Restart Game appears where the action buttons were",
        "use a thing that is in the room with you", "it cannot be taken"};
    for (const char* phrase : kTrue) EXPECT_NE(text.find(phrase), std::string::npos) << phrase;
    // What the guide once said and the window does not do.
    static constexpr std::array kFalse{"Below the picture, the text", "Beside them are the fixed buttons",
                                       "which are always there", "use something you carry"};
    for (const char* phrase : kFalse) EXPECT_EQ(text.find(phrase), std::string::npos) << phrase;
}

TEST(Readme, IsA4AndStaysInsideTheMargins) { expect_a4_pages_within_margins(pages_of(kReadme)); }

// ---- The drawing of the window in the read-me -------------------------------

// A run of words on one line, as one box.
std::vector<Word> phrases_on(const Page& page, const std::string& phrase) {
    std::vector<std::string> want;
    for (size_t at = 0, end; at < phrase.size(); at = end + 1) {
        end = std::min(phrase.find(' ', at), phrase.size());
        want.push_back(phrase.substr(at, end - at));
    }
    std::vector<Word> found;
    for (size_t i = 0; i + want.size() <= page.words.size(); ++i) {
        Word box = page.words[i];
        bool match = true;
        for (size_t k = 0; k < want.size() && match; ++k) {
            const Word& w = page.words[i + k];
            match = w.text == want[k] && std::abs(w.y0 - box.y0) < 0.5;
            box.x1 = std::max(box.x1, w.x1);
        }
        if (match) found.push_back({box.x0, box.y0, box.x1, box.y1, phrase});
    }
    return found;
}

double centre_x(const Word& w) { return (w.x0 + w.x1) / 2; }
double centre_y(const Word& w) { return (w.y0 + w.y1) / 2; }

struct Region {
    const char* label;
    double x0, y0, x1, y1;  // in the game window's pixels
};

// The window as the game lays it out in 1024 × 768 pixels: the story on the
// left, and a column as wide as the 640 × 400 picture with the action buttons
// under the picture and two 28-pixel rows of fixed buttons at the bottom.
constexpr std::array<Region, 4> kRegions{{{"Story", 0, 0, 384, 768},
                                          {"Picture", 384, 0, 1024, 404},
                                          {"Action buttons", 384, 404, 1024, 712},
                                          {"Fixed buttons", 384, 712, 1024, 768}}};

struct Rect {
    int x0, y0, x1, y1;  // the first dark pixel on each side
};

// The dark outline around a label, found by walking out from the label's
// box until a dark pixel stops the walk on every side.
Rect outline_around(GdkPixbuf* page, const Word& label, double px_per_pt) {
    const int w = gdk_pixbuf_get_width(page), h = gdk_pixbuf_get_height(page);
    const int n = gdk_pixbuf_get_n_channels(page), stride = gdk_pixbuf_get_rowstride(page);
    const guchar* px = gdk_pixbuf_read_pixels(page);
    const auto dark = [&](int x, int y) {
        const guchar* p = px + y * stride + x * n;
        return p[0] < 110 && p[1] < 110 && p[2] < 110;
    };
    const auto to_x = [&](double pt) { return std::clamp(static_cast<int>(pt * px_per_pt), 0, w - 1); };
    const auto to_y = [&](double pt) { return std::clamp(static_cast<int>(pt * px_per_pt), 0, h - 1); };
    const int cx = to_x(centre_x(label)), cy = to_y(centre_y(label));
    Rect r{to_x(label.x0 - 0.5), to_y(label.y0 - 0.5), to_x(label.x1 + 0.5), to_y(label.y1 + 0.5)};
    while (r.x0 > 0 && !dark(r.x0, cy)) --r.x0;
    while (r.x1 < w - 1 && !dark(r.x1, cy)) ++r.x1;
    while (r.y0 > 0 && !dark(cx, r.y0)) --r.y0;
    while (r.y1 < h - 1 && !dark(cx, r.y1)) ++r.y1;
    EXPECT_TRUE(r.x0 > 0 && r.x1 < w - 1 && r.y0 > 0 && r.y1 < h - 1) << label.text << " has no outline around it";
    return r;
}

// Under the heading "The window", a drawing of the window: each region
// framed and named, in the places and proportions of the game's own layout.
TEST(Readme, DrawsTheWindowUnderItsHeading) {
    const std::vector<Page> pages = pages_of(kReadme);
    size_t at = pages.size();
    std::array<Word, kRegions.size()> labels{};
    for (size_t p = 0; p < pages.size(); ++p) {
        const std::vector<Word> pictures = phrases_on(pages[p], "Picture");
        if (pictures.empty()) continue;
        ASSERT_EQ(at, pages.size()) << "more than one drawing";
        ASSERT_EQ(pictures.size(), 1u);
        at = p;
        for (size_t i = 0; i < kRegions.size(); ++i) {
            // The story's label stands alone; the others share the picture's
            // column, which keeps the headings of the same name out.
            std::vector<Word> found = phrases_on(pages[p], kRegions[i].label);
            std::erase_if(found, [&](const Word& w) {
                return i != 0 && std::abs(centre_x(w) - centre_x(pictures[0])) > 2;
            });
            ASSERT_EQ(found.size(), 1u) << kRegions[i].label;
            labels[i] = found[0];
        }
    }
    ASSERT_LT(at, pages.size()) << "no drawing of the window";
    const auto& [story, picture, actions, fixed] = labels;
    EXPECT_LT(centre_x(story), picture.x0);
    EXPECT_LT(picture.y1, actions.y0);
    EXPECT_LT(actions.y1, fixed.y0);

    // The heading just above it, on the same page: headings and the title
    // are set larger than anything else.
    const auto large = [&](const Word& w) { return w.y1 - w.y0 > 23.5 && w.y1 < picture.y0; };
    double last = -1;
    for (const Word& w : pages[at].words)
        if (large(w)) last = std::max(last, w.y0);
    std::string heading;
    for (const Word& w : pages[at].words)
        if (large(w) && std::abs(w.y0 - last) < 0.5) heading += (heading.empty() ? "" : " ") + w.text;
    EXPECT_EQ(heading, "The window") << "the heading just above the drawing";

    ScratchDir scratch;
    const std::string page = std::to_string(at + 1), png = (scratch.path() / "page").string();
    constexpr double kPxPerPt = 2;
    ASSERT_EQ(outcome_of({PDFTOPPM, "-f", page, "-l", page, "-r", "144", "-png", "-singlefile",
                          kReadme.string(), png})
                  .exit_code,
              0);
    const Pixbuf shot = load(png + ".png");
    ASSERT_TRUE(shot);
    std::array<Rect, kRegions.size()> drawn{};
    for (size_t i = 0; i < kRegions.size(); ++i) drawn[i] = outline_around(shot.get(), labels[i], kPxPerPt);
    // Scaled from the window to the page by the drawing's own width; the
    // outlines are about two pixels wide.
    const double scale = (drawn[1].x1 - drawn[0].x0) / 1024.0;
    for (size_t i = 0; i < kRegions.size(); ++i) {
        const Region& want = kRegions[i];
        const Rect& got = drawn[i];
        EXPECT_NEAR(got.x0 - drawn[0].x0, want.x0 * scale, 3) << want.label << ", left";
        EXPECT_NEAR(got.x1 - drawn[0].x0, want.x1 * scale, 3) << want.label << ", right";
        EXPECT_NEAR(got.y0 - drawn[0].y0, want.y0 * scale, 3) << want.label << ", top";
        EXPECT_NEAR(got.y1 - drawn[0].y0, want.y1 * scale, 3) << want.label << ", bottom";
    }
    EXPECT_GT(scale * 1024, 0.4 * kPxPerPt * pages[at].width) << "too small to read";
}

TEST(Readme, EmbedsOnlyNotoSans) {
    const Outcome r = outcome_of({PDFFONTS, kReadme.string()});
    ASSERT_EQ(r.exit_code, 0);
    const std::regex font(R"(^[A-Z]{6}\+(\S+))", std::regex::multiline);
    int fonts = 0;
    for (std::sregex_iterator m(r.out.begin(), r.out.end(), font), end; m != end; ++m, ++fonts)
        EXPECT_EQ((*m)[1].str().rfind("NotoSans-", 0), 0u) << (*m)[1];
    EXPECT_GT(fonts, 0) << r.out;
}

// ---- The read-me tool ------------------------------------------------------

TEST(ReadmeTool, WritesTheSameBytesOnEveryRun) {
    ScratchDir scratch;
    const fs::path a = scratch.path() / "a.pdf", b = scratch.path() / "b.pdf";
    ASSERT_EQ(outcome_of({MAKE_README, README_SOURCE, a.string(), THORNVALE_VERSION}).exit_code, 0);
    ASSERT_EQ(outcome_of({MAKE_README, README_SOURCE, b.string(), THORNVALE_VERSION}).exit_code, 0);
    const std::string bytes = read_all(a);
    EXPECT_EQ(bytes, read_all(b));
    EXPECT_EQ(bytes, read_all(kReadme)) << "the build's read-me is out of date";
}

TEST(ReadmeTool, CarriesLongTextOverOntoNewPages) {
    ScratchDir scratch;
    const fs::path source = scratch.path() / "long.txt", pdf = scratch.path() / "long.pdf";
    {
        std::ofstream out(source);
        out << "# Long\n% Version @VERSION@\n\n";
        for (int i = 1; i <= 60; ++i) {
            if (i % 10 == 1) out << "## Section " << i << "\n\n";
            out << "Paragraph " << i << " holds enough words to wrap over more than one line of the page, "
                << "so that the page fills and the next paragraph has to move on. Marker" << i << "end.\n\n";
            if (i % 7 == 0) out << "- An item in a list\n- <b>Another</b> item\n\n";
            if (i % 9 == 0) out << "! window drawing\n\n";
        }
    }
    ASSERT_EQ(outcome_of({MAKE_README, source.string(), pdf.string(), "9.9.9"}).exit_code, 0);
    const std::vector<Page> pages = pages_of(pdf);
    EXPECT_GE(pages.size(), 4u);
    expect_a4_pages_within_margins(pages);
    size_t drawings = 0;
    for (const Page& page : pages) drawings += phrases_on(page, "Fixed buttons").size();
    EXPECT_EQ(drawings, 6u);

    const std::string text = collapse_spaces(outcome_of({PDFTOTEXT, pdf.string(), "-"}).out);
    EXPECT_NE(text.find("Version 9.9.9"), std::string::npos);
    for (int i = 1; i <= 60; ++i)
        EXPECT_NE(text.find("Marker" + std::to_string(i) + "end."), std::string::npos) << "paragraph " << i;
}

TEST(ReadmeTool, RefusesBrokenMarkupAndLeavesNoFile) {
    ScratchDir scratch;
    const fs::path source = scratch.path() / "bad.txt", pdf = scratch.path() / "bad.pdf";
    std::ofstream(source) << "# Title\n\nA paragraph with <b>bold that never ends.\n";
    EXPECT_NE(outcome_of({MAKE_README, source.string(), pdf.string()}).exit_code, 0);
    EXPECT_FALSE(fs::exists(pdf));
    std::ofstream(source) << "# Title\n\n! door drawing\n";
    EXPECT_NE(outcome_of({MAKE_README, source.string(), pdf.string()}).exit_code, 0) << "unknown drawing";
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_NE(outcome_of({MAKE_README, (scratch.path() / "missing.txt").string(), pdf.string()}).exit_code, 0);
    EXPECT_NE(outcome_of({MAKE_README}).exit_code, 0);
}

}  // namespace
