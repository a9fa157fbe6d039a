// "+" and "-" accelerators reachable from the keys a GTK keyboard sends.
#include "core/platform/QxKeyAliases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

bool has(const std::vector<wxAcceleratorEntry>& list, int flags, int key, int command)
{
    return std::any_of(list.begin(), list.end(), [&](const wxAcceleratorEntry& e) {
        return e.GetFlags() == flags && e.GetKeyCode() == key && e.GetCommand() == command;
    });
}

} // namespace

TEST(KeyAliases, PlusAndMinusGetTheKeysThatProduceThem)
{
    const int ctrl = wxACCEL_CTRL, ctrlShift = wxACCEL_CTRL | wxACCEL_SHIFT;

    auto plus = qxKeyAliases(ctrl, '+', 1018);
    EXPECT_EQ(plus.size(), 3u);
    EXPECT_TRUE(has(plus, ctrl, '+', 1018));
    EXPECT_TRUE(has(plus, ctrl, '=', 1018));
    EXPECT_TRUE(has(plus, ctrl, WXK_NUMPAD_ADD, 1018));

    auto shiftedPlus = qxKeyAliases(ctrlShift, '+', 1022);
    EXPECT_TRUE(has(shiftedPlus, ctrlShift, '=', 1022));
    EXPECT_TRUE(has(shiftedPlus, ctrlShift, WXK_NUMPAD_ADD, 1022));

    auto minus = qxKeyAliases(ctrl, '-', 1019);
    EXPECT_EQ(minus.size(), 2u);
    EXPECT_TRUE(has(minus, ctrl, '-', 1019));
    EXPECT_TRUE(has(minus, ctrl, WXK_NUMPAD_SUBTRACT, 1019));

    // Shift turns "-" into "_".
    auto shiftedMinus = qxKeyAliases(ctrlShift, '-', 1021);
    EXPECT_EQ(shiftedMinus.size(), 3u);
    EXPECT_TRUE(has(shiftedMinus, ctrlShift, '-', 1021));
    EXPECT_TRUE(has(shiftedMinus, ctrlShift, '_', 1021));
    EXPECT_TRUE(has(shiftedMinus, ctrlShift, WXK_NUMPAD_SUBTRACT, 1021));

    // Shift with a digit: the digit and the character it types.
    for (const auto& [digit, typed] : {std::pair<int, int>{'1', '!'}, {'2', '@'}, {'3', '#'}, {'9', '('}}) {
        auto shiftedDigit = qxKeyAliases(ctrlShift, digit, 1015);
        EXPECT_EQ(shiftedDigit.size(), 2u);
        EXPECT_TRUE(has(shiftedDigit, ctrlShift, digit, 1015));
        EXPECT_TRUE(has(shiftedDigit, ctrlShift, typed, 1015)) << char(typed);
    }

    EXPECT_TRUE(qxKeyAliases(ctrl, '0', 1020).empty());
    EXPECT_TRUE(qxKeyAliases(0, WXK_F6, 1004).empty());
}
