// The Command button's reactions: every row of its transition table, then
// the sequences a user goes through with a real mouse.

#include <gtest/gtest.h>

#include "button_behaviour.h"
#include "command_core.h"
#include "fake_command_parts.h"

namespace {

using namespace controls;
using Kind = ButtonEventKind;
using P = FramePicture;
using S = ButtonState;

constexpr int kRight = 2;
constexpr auto kNone = std::nullopt;

struct Row {
    Kind kind;
    int button;
    PointerPlace place;
    S before;
    bool held; // MouseDownFlag before
    S after;
    bool held_after;
    std::optional<P> painted;
    bool click;
};

const char* Name(Kind kind) {
    static const char* names[] = {"moved",      "pressed", "released", "focus gained",
                                  "focus lost", "tick",    "size"};
    return names[static_cast<int>(kind)];
}

TEST(ButtonBehaviour, EveryRowOfTheTransitionTable) {
    const auto over = PointerPlace::OverControl;
    const auto form = PointerPlace::OverHostForm;
    const auto away = PointerPlace::Elsewhere;
    const Row rows[] = {
        {Kind::PointerMoved, 0, over, S::Normal, false, S::HighLight, false, P::HighLight, false},
        {Kind::PointerMoved, 0, over, S::Selected, false, S::HighLightSelect, false,
         P::HighLightSelect, false},
        {Kind::PointerMoved, 1, over, S::Selected, true, S::Selected, true, kNone, false},
        {Kind::PointerMoved, 0, over, S::Uninitialised, false, S::Uninitialised, false, kNone,
         false},
        {Kind::PointerMoved, 0, over, S::HighLight, false, S::HighLight, false, kNone, false},
        {Kind::PointerMoved, 0, over, S::HighLightSelect, false, S::HighLightSelect, false, kNone,
         false},
        {Kind::ButtonPressed, kLeftButton, over, S::Selected, false, S::Selected, true, P::Pressed,
         false},
        {Kind::ButtonPressed, kLeftButton, over, S::Uninitialised, false, S::Uninitialised, true,
         P::Pressed, false},
        {Kind::ButtonPressed, kRight, over, S::HighLight, false, S::HighLight, false, kNone, false},
        {Kind::ButtonReleased, kLeftButton, over, S::HighLight, true, S::HighLight, false,
         P::Normal, true},
        {Kind::ButtonReleased, kLeftButton, over, S::HighLightSelect, true, S::HighLightSelect,
         false, P::HighLightSelect, true},
        {Kind::ButtonReleased, kLeftButton, away, S::Selected, true, S::Selected, false, kNone,
         false},
        {Kind::ButtonReleased, kLeftButton, away, S::Normal, true, S::Normal, false, kNone, true},
        {Kind::ButtonReleased, kLeftButton, over, S::Uninitialised, true, S::Uninitialised, false,
         kNone, true},
        {Kind::ButtonReleased, kRight, over, S::Selected, true, S::Selected, true, kNone, false},
        {Kind::ButtonReleased, kRight, over, S::HighLight, true, S::HighLight, true, kNone, true},
        {Kind::FocusGained, 0, over, S::HighLight, false, S::HighLightSelect, false, P::Pressed,
         false},
        {Kind::FocusGained, 0, over, S::Normal, false, S::Selected, false, P::Selected, false},
        {Kind::FocusGained, 0, over, S::Uninitialised, false, S::Selected, false, P::Selected,
         false},
        {Kind::FocusLost, 0, over, S::Normal, false, S::Normal, false, kNone, false},
        {Kind::FocusLost, 0, over, S::HighLightSelect, false, S::Normal, false, P::Normal, false},
        {Kind::FocusLost, 0, over, S::Uninitialised, false, S::Normal, false, P::Normal, false},
        {Kind::HoverTick, 0, away, S::HighLight, false, S::Normal, false, P::Normal, false},
        {Kind::HoverTick, 0, form, S::HighLightSelect, true, S::Selected, true, P::Selected, false},
        {Kind::HoverTick, 0, over, S::HighLight, false, S::HighLight, false, kNone, false},
        {Kind::HoverTick, 0, away, S::Selected, false, S::Selected, false, kNone, false},
        {Kind::HoverTick, 0, form, S::Normal, false, S::Normal, false, kNone, false},
        {Kind::SizeChanged, 0, over, S::HighLightSelect, false, S::HighLightSelect, false,
         P::Normal, false},
    };
    for (const Row& row : rows) {
        Interaction i{true, row.before, row.held};
        const Reaction reaction = React(i, ButtonEvent{row.kind, row.button, row.place});
        const std::string what = std::string(Name(row.kind)) + " in state " +
                                 std::to_string(static_cast<int>(row.before));
        EXPECT_EQ(i.CurrentState, row.after) << what;
        EXPECT_EQ(i.MouseDownFlag, row.held_after) << what;
        EXPECT_EQ(reaction.paint, row.painted) << what;
        EXPECT_EQ(reaction.click, row.click) << what;

        // While disabled only the tick and the size run, and neither changes anything
        // but the size's disabled look.
        Interaction off{false, row.before, row.held};
        const Reaction ignored = React(off, ButtonEvent{row.kind, row.button, row.place});
        EXPECT_EQ(off.CurrentState, row.before) << what << ", disabled";
        EXPECT_EQ(off.MouseDownFlag, row.held) << what << ", disabled";
        EXPECT_FALSE(ignored.click) << what << ", disabled";
        EXPECT_EQ(ignored.paint,
                  row.kind == Kind::SizeChanged ? std::optional<P>(P::Disable) : kNone)
            << what << ", disabled";
    }
}

// A control as a host sees it: restored enabled, initialised, fed events.
class Sequence : public ::testing::Test {
protected:
    FakeCommandParts parts;
    CommandCore command{parts};

    void SetUp() override {
        command.ReadProperties(runtime::PropertyBag{}); // enabled, first run done
        parts.repaints.clear();
    }
    void Send(Kind kind, int button = 0, PointerPlace place = PointerPlace::OverControl) {
        command.Handle(ButtonEvent{kind, button, place});
    }
    std::vector<P> Repaints() { return std::exchange(parts.repaints, {}); }
};

TEST_F(Sequence, ATypicalClickOnAnUnfocusedButton) {
    command.Initialize();
    EXPECT_EQ(parts.hover_interval, 100u);
    EXPECT_TRUE(Repaints().empty()) << "Initialize paints nothing";
    Send(Kind::PointerMoved);
    Send(Kind::FocusGained); // the press moves the focus first
    Send(Kind::ButtonPressed, kLeftButton);
    EXPECT_EQ(command.CurrentState(), S::HighLightSelect);
    EXPECT_TRUE(command.HoverScheme()) << "reached from HighLight";
    EXPECT_EQ(parts.clicks, 0);
    Send(Kind::ButtonReleased, kLeftButton);
    EXPECT_EQ(parts.clicks, 1);
    Send(Kind::HoverTick, 0, PointerPlace::Elsewhere);
    EXPECT_EQ(Repaints(), (std::vector<P>{P::HighLight, P::Pressed, P::Pressed, P::HighLightSelect,
                                          P::Selected}));
    EXPECT_EQ(command.CurrentState(), S::Selected);
    EXPECT_FALSE(command.HoverScheme());
}

TEST_F(Sequence, PressLeaveUntilTheHoverEndsAndReleaseIsNoClick) {
    command.Initialize();
    Send(Kind::FocusGained);
    Send(Kind::PointerMoved);
    Send(Kind::ButtonPressed, kLeftButton);
    Send(Kind::HoverTick, 0, PointerPlace::OverHostForm);
    Send(Kind::PointerMoved); // back on, still held: stays Selected
    Send(Kind::ButtonReleased, kLeftButton, PointerPlace::Elsewhere);
    EXPECT_EQ(parts.clicks, 0);
    EXPECT_EQ(command.CurrentState(), S::Selected);
}

TEST_F(Sequence, ARightButtonPaintsNothingAndItsReleaseClicks) {
    command.Initialize();
    Send(Kind::PointerMoved);
    Repaints();
    Send(Kind::ButtonPressed, kRight);
    EXPECT_TRUE(Repaints().empty());
    EXPECT_FALSE(command.MouseDownFlag());
    Send(Kind::ButtonReleased, kRight);
    EXPECT_EQ(parts.clicks, 1);
}

TEST_F(Sequence, BeforeInitializeHoveringDoesNothing) {
    Send(Kind::PointerMoved);
    Send(Kind::HoverTick, 0, PointerPlace::Elsewhere);
    EXPECT_TRUE(Repaints().empty());
    Send(Kind::ButtonPressed, kLeftButton);
    Send(Kind::ButtonReleased, kLeftButton);
    EXPECT_EQ(Repaints(), std::vector<P>{P::Pressed}) << "no repaint after the release";
    EXPECT_EQ(parts.clicks, 1);
    Send(Kind::FocusGained);
    EXPECT_EQ(command.CurrentState(), S::Selected);
}

TEST_F(Sequence, ADisabledControlNeverClicksAndResumesInItsState) {
    command.Initialize();
    Send(Kind::PointerMoved);
    command.SetEnabled(false);
    EXPECT_EQ(Repaints().back(), P::Disable);
    Send(Kind::ButtonPressed, kLeftButton);
    Send(Kind::ButtonReleased, kLeftButton);
    Send(Kind::HoverTick, 0, PointerPlace::Elsewhere);
    Send(Kind::FocusGained);
    EXPECT_EQ(parts.clicks, 0);
    EXPECT_TRUE(Repaints().empty());
    EXPECT_EQ(command.CurrentState(), S::HighLight);
    command.SetEnabled(true);
    Send(Kind::HoverTick, 0, PointerPlace::Elsewhere);
    EXPECT_EQ(command.CurrentState(), S::Normal);
}

} // namespace
