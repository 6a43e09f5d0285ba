// The Command button's properties, their persistence in the host's store,
// and the geometry of its face.

#include <gtest/gtest.h>

#include "command_core.h"
#include "face_layout.h"
#include "fake_command_parts.h"

namespace {

using namespace controls;
using runtime::FontDescription;
using runtime::PropertyBag;

TEST(CommandProperties, CaptionAndFontComeBackAsTheStoreSays) {
    FakeCommandParts parts;
    CommandCore command(parts);
    // "Command" is the saving default, so it is not stored...
    PropertyBag store;
    command.WriteProperties(store);
    EXPECT_FALSE(store.Contains("Caption"));
    // ... and restoring without it gives the other default.
    command.ReadProperties(store);
    EXPECT_EQ(command.Caption(), "Command1");

    // The dialog's buttons are stored with lower-case keys; a stored font
    // gives only its face name.
    PropertyBag dialog;
    dialog.Write("caption", std::string("設定"), std::string("Command"));
    dialog.Write("font", FontDescription{"Arial", 20, 700, true, false, false, 0}, parts.host_font);
    command.ReadProperties(dialog);
    EXPECT_EQ(command.Caption(), "設定");
    EXPECT_EQ(parts.font, (FontDescription{"Arial", 9.75, 400, false, false, false, 128}));
    EXPECT_TRUE(command.EnabledFlag());
    EXPECT_EQ(command.FirstRunFlag(), 1);
}

TEST(CommandProperties, SavedInOrderOnlyWhatDiffersFromTheDefaults) {
    FakeCommandParts parts;
    CommandCore command(parts);
    command.ReadProperties(PropertyBag{});
    command.SetFontColour(0x0000FF);
    command.SetVisible(0);
    command.SetEnabled(false);
    command.SetCaption("Command");
    PropertyBag store;
    command.WriteProperties(store);
    // The caption and FirstRun hold their defaults; the font differs from the host's.
    EXPECT_EQ(store.Keys(), (std::vector<std::string>{"Enabled", "Font", "FontColour", "Visible"}));
    EXPECT_EQ(std::get<bool>(store.Read("Enabled", true)), false);
    EXPECT_EQ(std::get<std::int64_t>(store.Read("FontColour", std::int64_t{0})), 0xFF);
    EXPECT_EQ(parts.notices,
              (std::vector<std::string>{"FontColour", "Visible", "Enabled", "Caption"}));
}

TEST(CommandProperties, VisibleReadsBackAsAByteAndOnlyAnOpaqueReadRepaints) {
    FakeCommandParts parts;
    CommandCore command(parts);
    command.ReadProperties(PropertyBag{});
    command.SetVisible(7);
    EXPECT_TRUE(parts.opaque);
    parts.repaints.clear();
    EXPECT_EQ(command.Visible(), 255);
    EXPECT_EQ(parts.repaints, std::vector<FramePicture>{FramePicture::Normal});
    command.SetVisible(0);
    parts.repaints.clear();
    EXPECT_EQ(command.Visible(), 0);
    EXPECT_TRUE(parts.repaints.empty());
}

TEST(CommandProperties, AFreshInstanceIsEnabledAtItsFirstRead) {
    FakeCommandParts parts;
    CommandCore command(parts);
    command.Initialize();
    command.Handle(ButtonEvent{ButtonEventKind::PointerMoved});
    command.Handle(ButtonEvent{ButtonEventKind::ButtonPressed, kLeftButton});
    EXPECT_TRUE(parts.repaints.empty()) << "no reaction before the first read";
    EXPECT_TRUE(command.Enabled());
    EXPECT_EQ(command.FirstRunFlag(), 1);
    EXPECT_EQ(parts.repaints, std::vector<FramePicture>{FramePicture::Normal});
    EXPECT_TRUE(parts.caption_enabled);
    // A read while hovered and focused repaints the normal frame but keeps the state.
    command.Handle(ButtonEvent{ButtonEventKind::PointerMoved});
    command.Handle(ButtonEvent{ButtonEventKind::FocusGained});
    parts.repaints.clear();
    EXPECT_TRUE(command.Enabled());
    EXPECT_EQ(parts.repaints, std::vector<FramePicture>{FramePicture::Normal});
    EXPECT_EQ(command.CurrentState(), ButtonState::HighLightSelect);
}

TEST(CommandProperties, FontColourBeforeTheFirstRunStaysBlackAndABadColourIsRefused) {
    FakeCommandParts parts;
    CommandCore command(parts);
    command.SetEnabled(true); // enabled, but the first-run defaults not applied
    command.SetFontColour(0x00FF00);
    EXPECT_EQ(parts.colour, 0u);
    EXPECT_EQ(command.FirstRunFlag(), 0);

    command.ReadProperties(PropertyBag{});
    command.SetFontColour(0x80000012); // the system's button text
    EXPECT_EQ(parts.colour, 0x80000012u);
    parts.notices.clear();
    command.SetFontColour(0x01000000);
    command.SetFontColour(0x800000FF);
    EXPECT_EQ(parts.colour, 0x80000012u);
    EXPECT_TRUE(parts.notices.empty());
}

TEST(FaceLayout, PiecesOfTheDialogsButtonInTwips) {
    FaceGeometry geometry;
    geometry.Update(1215, 375);
    const auto pieces = FramePieces(geometry);
    const TwipsRect expected[8][2] = {
        {{1, 1, 60, 60}, {0, 0, 60, 60}},          {{60, 1, 1095, 60}, {60, 1, 840, 60}},
        {{1155, 1, 60, 60}, {900, 1, 60, 60}},     {{1155, 60, 60, 255}, {900, 60, 60, 255}},
        {{1155, 315, 60, 60}, {900, 315, 60, 60}}, {{60, 315, 1095, 60}, {60, 315, 840, 60}},
        {{1, 315, 60, 60}, {0, 315, 60, 60}},      {{1, 60, 60, 255}, {1, 60, 60, 255}},
    };
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(pieces[i].destination, expected[i][0]) << "piece " << i + 1;
        EXPECT_EQ(pieces[i].source, expected[i][1]) << "piece " << i + 1;
    }
    // Past 16 bits a value keeps the previous repaint's; the others are taken.
    geometry.Update(32850, 500);
    EXPECT_EQ(geometry.edge_width, 32730);
    EXPECT_EQ(geometry.right, 1155) << "32790 does not fit";
    EXPECT_EQ(geometry.edge_height, 380);
    FaceGeometry first;
    first.Update(40000, 40000);
    EXPECT_EQ(first.edge_width, 0);
    EXPECT_EQ(first.bottom, 0);
    // Halves round to even.
    first.Update(180.5, 182.5);
    EXPECT_EQ(first.edge_width, 60);
    EXPECT_EQ(first.edge_height, 62);
}

TEST(FaceLayout, CaptionAndGradient) {
    EXPECT_EQ(CaptionTop(375, 195), 80.0f);
    EXPECT_EQ(CaptionTop(376, 195), 80.5f);
    EXPECT_EQ(CaptionTop(420, 195), 102.5f);

    EXPECT_EQ(GradientColourOf(kFaceShade), (GradientColour{0xC600, 0xC500, 0xD700}));
    EXPECT_EQ(GradientColourOf("&HFF"), (GradientColour{0x0000, 0x0000, 0xFF00}));
    EXPECT_FALSE(GradientColourOf("C6C5D7").has_value());
    EXPECT_FALSE(GradientColourOf("&H1000000").has_value());

    const FaceGradient normal = GradientFor(false, 81, 25);
    EXPECT_EQ(normal.vertices[0].colour, (GradientColour{0xFF00, 0xFF00, 0xFF00}));
    EXPECT_EQ(normal.vertices[1].x, 80);
    EXPECT_EQ(normal.vertices[1].y, 24);
    EXPECT_EQ(normal.upper_left, 1u);
    EXPECT_EQ(normal.lower_right, 0u);
    const FaceGradient hover = GradientFor(true, 81, 25);
    EXPECT_EQ(hover.vertices[0].colour, normal.vertices[1].colour);
    EXPECT_EQ(hover.vertices[1].colour, normal.vertices[0].colour);
}

} // namespace
