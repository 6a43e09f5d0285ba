// What the settings dialog shows and where it saves: the controls for each
// music kind, the track box, the dialog's place and painting, and the choice
// of settings file.

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "settings/dialog_captions.h"
#include "settings/dialog_geometry.h"
#include "settings/music_choice.h"
#include "settings/settings_location.h"

namespace {

TEST(MusicChoice, ControlsFollowTheKind) {
    const struct {
        std::int16_t kind;
        std::array<bool, 3> selected;
        bool track_box, file_button;
    } kinds[] = {
        {0, {true, false, false}, false, false},   {1, {false, true, false}, true, false},
        {2, {false, false, true}, false, true},    {5, {false, false, false}, false, false},
        {-1, {false, false, false}, false, false},
    };
    for (const auto& k : kinds) {
        const KindControls controls = ControlsForKind(k.kind);
        EXPECT_EQ(controls.selected, k.selected) << k.kind;
        EXPECT_EQ(controls.track_box_enabled, k.track_box) << k.kind;
        EXPECT_EQ(controls.file_button_enabled, k.file_button) << k.kind;
    }
    EXPECT_EQ(TrackBoxText(0), "");
    EXPECT_EQ(TrackBoxText(7), "7");
    const auto entries = TrackBoxEntries();
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries[0], "");
    EXPECT_EQ(entries[1], "1");
    EXPECT_EQ(entries[30], "30");
}

TEST(MusicChoice, APathIsKeptOnlyWhenTheSettingsFileCanHoldIt) {
    const struct {
        std::optional<std::string> ansi;
        MusicFilePath verdict;
    } cases[] = {
        {std::string("C:\\Music\\rain.mp3"), MusicFilePath::Usable},
        {"C:\\" + std::string(250, 'a'), MusicFilePath::Usable}, // 253 bytes
        {"C:\\" + std::string(251, 'a'), MusicFilePath::Usable}, // 254 bytes
        {"C:\\" + std::string(252, 'a'), MusicFilePath::TooLong},
        {std::nullopt, MusicFilePath::NotInCodePage},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MusicFilePathOf(c.ansi), c.verdict) << c.ansi.value_or("(none)").size();
    }
}

// Japanese for a Japanese interface whatever its region, English for any
// other language, one the program has no table for among them; every text
// is in both tables, and the captions' places do not overlap.
TEST(ProgramTexts, JapaneseOnlyForJapaneseAndEveryTextInBothTables) {
    const struct {
        std::uint16_t language_id;
        Language language;
    } cases[] = {{0x0411, Language::Japanese},
                 {0xFC11, Language::Japanese}, // any region
                 {0x0409, Language::English},
                 {0x0412, Language::English}}; // a language without a table
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageOf(c.language_id), c.language) << std::hex << c.language_id;
    }
    for (const Language language : {Language::Japanese, Language::English}) {
        for (std::size_t key = 0; key < kTextKeyCount; ++key) {
            EXPECT_FALSE(TextsIn(language).texts[key].empty()) << key;
        }
    }
    EXPECT_EQ(TextsIn(Language::Japanese)[TextKey::OkButton], "設定");
    EXPECT_EQ(TextsIn(Language::English)[TextKey::OkButton], "OK");
    for (const Language language : {Language::Japanese, Language::English}) {
        for (const DialogCaption& a : DialogCaptionsIn(language)) {
            for (const DialogCaption& b : DialogCaptionsIn(language)) {
                const bool apart = &a == &b || a.holder != b.holder || a.left + a.width <= b.left ||
                                   b.left + b.width <= a.left || a.top + a.height <= b.top ||
                                   b.top + b.height <= a.top;
                EXPECT_TRUE(apart) << a.control << " overlaps " << b.control;
            }
        }
    }
    // The Japanese layout is the dialog's own: its captions at their twips.
    const std::map<std::string_view, std::array<double, 4>> own{
        {"lbl_BGM(1)", {660, 840, 645, 195}},  {"lbl14", {2340, 840, 990, 195}},
        {"lbl_BGM(0)", {660, 1140, 330, 195}}, {"lbl_BGM(2)", {660, 1440, 900, 195}},
        {"Cmd_Set", {4740, 4155, 1215, 375}},  {"Cmd_Can", {6000, 4155, 1215, 375}}};
    for (const DialogCaption& c : DialogCaptionsIn(Language::Japanese)) {
        if (own.contains(c.control)) {
            EXPECT_EQ((std::array{c.left, c.top, c.width, c.height}), own.at(c.control))
                << c.control;
        }
    }
}

TEST(DialogGeometry, PlaceGradientAndTiles) {
    // 1024 x 768 pixels in twips; the dialog's window 7515 x 4155 twips.
    const DialogPosition position = PlaceDialog(15360, 11520, 7515, 4155);
    EXPECT_EQ(position.left, 3922);                      // 7845 / 2, whole-number division
    EXPECT_EQ(position.top, 2455);                       // 7365 / 3
    EXPECT_EQ(PlaceDialog(100, 100, 107, 110).left, -3); // towards zero

    // 3690 twips at 96 dpi: one line for every pixel row 0..246, dark at the
    // edges, pale in the middle.
    const auto lines = DialogGradient(3690, 96);
    ASSERT_EQ(lines.size(), 247u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].row, static_cast<int>(i));
        EXPECT_EQ(lines[i].blue, lines[i].red + 30);
    }
    EXPECT_EQ(lines.front().red, 1); // twip 7's line, the last on row 0
    EXPECT_LE(lines.back().red, 1);
    EXPECT_EQ(lines[123].red, 220);
    // Row 1 shows the last of its twips' lines: y = 22, v = |sin(22 / (3690 / 3.142))| x 220.
    EXPECT_EQ(lines[1].red, 4);
    // At 192 dpi the same height is twice the rows.
    EXPECT_EQ(DialogGradient(3690, 192).size(), 493u);

    const auto count_columns = [](const std::vector<TileOrigin>& origins) {
        std::set<int> columns;
        for (const TileOrigin& o : origins) {
            columns.insert(o.x);
        }
        return columns.size();
    };
    // The 556 x 20 strip over the 469 x 165 panel: one column of nine.
    const auto panel = TileOrigins(469, 165, 556, 20);
    EXPECT_EQ(panel.size(), 9u);
    EXPECT_EQ(panel.back().y, 160);
    // At 144 dpi the panel (704 x 248) and the strip (834 x 30) grow alike.
    EXPECT_EQ(count_columns(TileOrigins(704, 248, 834, 30)), 1u);
    EXPECT_EQ(count_columns(TileOrigins(1000, 50, 556, 20)), 2u);
    EXPECT_TRUE(TileOrigins(469, 165, 0, 20).empty());
}

// A file system of a few files: which exist, which can be written, which
// folders can be made.
struct FakeFiles {
    std::set<std::string> existing;
    std::set<std::string> writable;
    std::vector<std::string> folders_made;
    SettingsFileAccess Access() {
        return SettingsFileAccess{[this](const std::string& p) { return existing.contains(p); },
                                  [this](const std::string& p) { return writable.contains(p); },
                                  [this](const std::string& p) { folders_made.push_back(p); }};
    }
};

TEST(SettingsLocation, ReadingPrefersTheUsersFileAndSavingGoesWhereItIsRead) {
    const std::string beside = "C:\\Velmoran\\Velmoran.ini";
    const std::string own = "C:\\users\\u\\AppData\\Roaming\\Velmoran\\Velmoran.ini";
    const SettingsFiles files{beside, own};
    const auto none = std::optional<std::string>();
    const struct {
        std::set<std::string> existing, writable;
        std::string read;
        std::optional<std::string> written;
        bool folder_made;
    } cases[] = {
        {{}, {beside, own}, beside, beside, false}, // portable: beside the program
        {{beside}, {beside, own}, beside, beside, false},
        {{beside}, {own}, beside, own, true},            // installed: the user's own
        {{beside, own}, {beside, own}, own, own, false}, // the user's own, once it exists
        {{own}, {}, own, none, false},                   // read-only own file: nothing
        {{}, {}, beside, none, true},                    // nothing can be written
    };
    for (const auto& c : cases) {
        FakeFiles fake{c.existing, c.writable, {}};
        EXPECT_EQ(SettingsFileToRead(files, fake.Access()), c.read);
        EXPECT_EQ(SettingsFileToWrite(files, fake.Access()), c.written);
        EXPECT_EQ(!fake.folders_made.empty(), c.folder_made);
    }
    // A user's folder whose path the code page cannot write: only the file beside.
    FakeFiles fake{{}, {}, {}};
    EXPECT_EQ(SettingsFileToWrite(SettingsFiles{beside, none}, fake.Access()), none);
}

} // namespace
