#include "qt/key_map.h"

#include <gtest/gtest.h>

#include <Qt>

#include "core/host/events.h"

namespace vespin {
namespace {

TEST(KeyMap, KeysTheEngineReactsToHaveTheirVirtualKeyCodes) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Shift), vk::kShift);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Control), vk::kControl);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Left), vk::kLeft);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Up), vk::kUp);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Right), vk::kRight);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Down), vk::kDown);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F2), vk::kF2);
    // Both Enter keys, the main one and the keypad's, are one key to the engine.
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Return), vk::kEnter);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Enter), vk::kEnter);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Escape), vk::kEscape);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Backspace), vk::kBackspace);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Space), vk::kSpace);
}

TEST(KeyMap, LettersDigitsAndFunctionKeysFollowTheirRanges) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_A), 'A');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Z), 'Z');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_0), '0');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_9), '9');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F1), 112);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F12), 123);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F24), 135);
    // Keys without a code give 0 rather than a code that means something else.
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_VolumeUp), 0);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Meta), 0);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_unknown), 0);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Exclam), 0);
}

TEST(KeyMap, TheFourEditingKeysTypeTheirCodesWhateverTheirText) {
    using Codes = std::vector<int>;
    EXPECT_EQ(CharCodesFromQt(Qt::Key_Backspace, "\b"), Codes{8});
    EXPECT_EQ(CharCodesFromQt(Qt::Key_Return, "\r"), Codes{13});
    EXPECT_EQ(CharCodesFromQt(Qt::Key_Enter, ""), Codes{13});
    EXPECT_EQ(CharCodesFromQt(Qt::Key_Escape, "\x1b"), Codes{27});
    EXPECT_EQ(CharCodesFromQt(Qt::Key_Space, " "), Codes{32});
}

TEST(KeyMap, PrintableCharactersTypeTheirCodePageBytes) {
    using Codes = std::vector<int>;
    EXPECT_EQ(CharCodesFromQt(Qt::Key_A, "a"), Codes{'a'});
    EXPECT_EQ(CharCodesFromQt(Qt::Key_A, "A"), Codes{'A'});
    EXPECT_EQ(CharCodesFromQt(Qt::Key_1, "!"), Codes{'!'});
    // A double-byte character arrives as its two bytes, lead byte first.
    EXPECT_EQ(CharCodesFromQt(Qt::Key_unknown, QString::fromUtf8("あ")), (Codes{0x82, 0xA0}));
    // A half-width katakana is one byte of 0xA1..0xDF.
    EXPECT_EQ(CharCodesFromQt(Qt::Key_unknown, QString::fromUtf8("ｱ")), Codes{0xB1});
}

TEST(KeyMap, KeysThatTypeNothingTheEngineCanUseGiveNoCharacter) {
    EXPECT_TRUE(CharCodesFromQt(Qt::Key_Left, "").empty());
    EXPECT_TRUE(CharCodesFromQt(Qt::Key_Shift, "").empty());
    EXPECT_TRUE(CharCodesFromQt(Qt::Key_A, "\x01").empty());  // Ctrl+A
    EXPECT_TRUE(CharCodesFromQt(Qt::Key_Tab, "\t").empty());
    EXPECT_TRUE(CharCodesFromQt(Qt::Key_Delete, "\x7f").empty());
    // No code-page form: nothing, rather than a wrong character.
    EXPECT_TRUE(CharCodesFromQt(Qt::Key_unknown, QString::fromUtf8("😀")).empty());
}

}  // namespace
}  // namespace vespin
