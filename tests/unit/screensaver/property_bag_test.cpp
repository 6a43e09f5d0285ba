#include "runtime/property_bag.h"

#include <gtest/gtest.h>

using namespace runtime;

namespace {

const FontDescription kDialogFont{"ＭＳ Ｐゴシック", 9.75, 400, false, false, false, 128};
const FontDescription kAmbientFont{"Tahoma", 8.25, 400, false, false, false, 1};

// The keys and defaults a Command button saves with.
void SaveLikeACommandButton(PropertyBag& bag, bool enabled, const std::string& caption,
                            std::int64_t first_run, const FontDescription& font,
                            std::int64_t colour, std::int64_t visible) {
    bag.Write("Enabled", enabled, true);
    bag.Write("Caption", caption, std::string("Command"));
    bag.Write("FirstRun", first_run, std::string("1"));
    bag.Write("Font", font, kAmbientFont);
    bag.Write("FontColour", colour, std::string("0"));
    bag.Write("Visible", visible, std::string("1"));
}

TEST(PropertyBag, StoresOnlyWhatDiffersFromTheDefaults) {
    PropertyBag bag;
    SaveLikeACommandButton(bag, true, "設定", 1, kDialogFont, 0, 1);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Caption", "Font"}));

    PropertyBag defaults_only;
    SaveLikeACommandButton(defaults_only, true, "Command", 1, kAmbientFont, 0, 1);
    EXPECT_EQ(defaults_only.size(), 0u);

    PropertyBag all;
    SaveLikeACommandButton(all, false, "x", 0, kDialogFont, 255, 0);
    EXPECT_EQ(all.size(), 6u);
    EXPECT_EQ(all.Read("FontColour", std::int64_t{0}), PropertyValue(std::int64_t{255}));
}

TEST(PropertyBag, KeysMatchWithoutRegardToCase) {
    PropertyBag bag;
    bag.Write("caption", std::string("ｷｬﾝｾﾙ"), std::string("Command"));
    bag.Write("font", kDialogFont, kAmbientFont);
    EXPECT_EQ(bag.Read("Caption", std::string("Command1")), PropertyValue(std::string("ｷｬﾝｾﾙ")));
    EXPECT_EQ(bag.Read("CAPTION", std::string("Command1")), PropertyValue(std::string("ｷｬﾝｾﾙ")));
    EXPECT_EQ(bag.Read("Font", kAmbientFont), PropertyValue(kDialogFont));
    EXPECT_TRUE(bag.Contains("FONT"));

    // A second write under another spelling replaces the first.
    bag.Write("CAPTION", std::string("OK"), std::string("Command"));
    EXPECT_EQ(bag.size(), 2u);
    EXPECT_EQ(bag.Read("caption", std::string()), PropertyValue(std::string("OK")));
}

TEST(PropertyBag, AbsentKeysReadAsTheirDefault) {
    PropertyBag bag;
    // A caption saved as exactly "Command" is not stored and comes back as the
    // restoring default "Command1".
    bag.Write("Caption", std::string("Command"), std::string("Command"));
    EXPECT_EQ(bag.Read("Caption", std::string("Command1")), PropertyValue(std::string("Command1")));
    EXPECT_EQ(bag.Read("Enabled", true), PropertyValue(true));
}

TEST(PropertyBag, WritingTheDefaultRemovesAnEarlierValue) {
    PropertyBag bag;
    bag.Write("Visible", std::int64_t{0}, std::string("1"));
    EXPECT_TRUE(bag.Contains("Visible"));
    bag.Write("Visible", std::int64_t{1}, std::string("1"));
    EXPECT_FALSE(bag.Contains("Visible"));
}

TEST(PropertyValues, NumbersAndNumberTextsCompareAsNumbers) {
    EXPECT_TRUE(PropertyValuesEqual(std::int64_t{1}, std::string("1")));
    EXPECT_TRUE(PropertyValuesEqual(std::int64_t{0}, std::string("0")));
    EXPECT_TRUE(PropertyValuesEqual(1.0, std::string(" 1 ")));
    EXPECT_FALSE(PropertyValuesEqual(std::int64_t{2}, std::string("1")));
    EXPECT_FALSE(PropertyValuesEqual(std::string("abc"), std::int64_t{0}));
    EXPECT_TRUE(PropertyValuesEqual(true, std::int64_t{-1}));
    EXPECT_FALSE(PropertyValuesEqual(true, std::string("1")));
    EXPECT_FALSE(PropertyValuesEqual(kDialogFont, std::string("ＭＳ Ｐゴシック")));
    EXPECT_FALSE(PropertyValuesEqual(std::string("Command"), std::string("command")));
}

TEST(PropertyValues, Conversions) {
    EXPECT_EQ(PropertyAsBool(std::string("True")), true);
    EXPECT_EQ(PropertyAsBool(std::string("false")), false);
    EXPECT_EQ(PropertyAsBool(std::string("-1")), true);
    EXPECT_EQ(PropertyAsBool(std::int64_t{0}), false);
    EXPECT_EQ(PropertyAsBool(std::string("maybe")), std::nullopt);
    EXPECT_EQ(PropertyAsBool(kDialogFont), std::nullopt);
    EXPECT_EQ(PropertyAsNumber(std::string("255")), 255.0);
    EXPECT_EQ(PropertyAsNumber(false), 0.0);
    EXPECT_EQ(PropertyAsNumber(std::string("x")), std::nullopt);
    EXPECT_EQ(PropertyAsText(std::int64_t{7}), "7");
    EXPECT_EQ(PropertyAsText(2.5), "2.5");
    EXPECT_EQ(PropertyAsText(true), "True");
    // A font's default member is its face name.
    EXPECT_EQ(PropertyAsText(kDialogFont), "ＭＳ Ｐゴシック");
}

} // namespace
