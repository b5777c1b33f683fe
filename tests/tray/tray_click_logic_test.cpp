#include "tray/tray_click_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The mouse messages the shell reports in the icon's callback.
constexpr long kMove = 0x200;
constexpr long kLeftDown = 0x201, kLeftUp = 0x202, kLeftDouble = 0x203;
constexpr long kRightDown = 0x204, kRightUp = 0x205, kRightDouble = 0x206;
constexpr long kMiddleDown = 0x207, kMiddleUp = 0x208, kMiddleDouble = 0x209;

// One letter per event and button: m = move, d/u/c = down/up/click with
// L/R/M, D = double click.
std::string Describe(const std::vector<TrayEvent>& events)
{
    std::string text;
    for (const TrayEvent& event : events) {
        if (!text.empty())
            text += ' ';
        const char button = "LRM"[static_cast<int>(event.button)];
        switch (event.kind) {
        case TrayEventKind::MouseMove:
            text += "m";
            break;
        case TrayEventKind::MouseDown:
            text += std::string("d") + button;
            break;
        case TrayEventKind::MouseUp:
            text += std::string("u") + button;
            break;
        case TrayEventKind::Click:
            text += std::string("c") + button;
            break;
        case TrayEventKind::DblClick:
            text += "D";
            break;
        }
    }
    return text;
}

struct SequenceCase {
    const char* name;
    std::vector<long> messages;
    const char* events;
    unsigned flagsAfter;
};

TEST(TrayClickLogic, SequencesOfCallbacksGiveTheirEvents)
{
    const SequenceCase cases[] = {
        {"press and release is one click", {kLeftDown, kLeftUp}, "dL cL uL", 0},
        {"a double click toggles once, not twice", {kLeftDown, kLeftUp, kLeftDouble, kLeftUp}, "dL cL uL D dL uL", 0},
        {"a release without a press on the icon", {kLeftUp}, "uL", 0},
        {"right click", {kRightDown, kRightUp}, "dR cR uR", 0},
        {"right double click clicks once", {kRightDown, kRightUp, kRightDouble, kRightUp}, "dR cR uR D dR uR", 0},
        {"middle click", {kMiddleDown, kMiddleUp}, "dM cM uM", 0},
        {"middle double click clicks once", {kMiddleDown, kMiddleUp, kMiddleDouble, kMiddleUp}, "dM cM uM D dM uM", 0},
        {"moving between press and release keeps the click", {kLeftDown, kMove, kMove, kLeftUp}, "dL m m cL uL", 0},
        {"a press still waiting for its release", {kRightDown}, "dR", kMouseDownRight},
        {"buttons are tracked apart", {kLeftDown, kRightDown, kLeftUp}, "dL dR cL uL", kMouseDownRight},
        {"another button's release does not click", {kLeftDown, kMiddleUp}, "dL uM", kMouseDownLeft},
        {"a second release after the click", {kRightDown, kRightUp, kRightUp}, "dR cR uR uR", 0},
        {"other messages are ignored", {0x1FF, 0x20A, 0, 0x7FFF, -1}, "", 0},
    };
    for (const SequenceCase& c : cases) {
        std::vector<TrayEvent> events;
        unsigned flags = 0;
        for (long message : c.messages) {
            const TrayDispatch result = DispatchTrayCallback(flags, true, message);
            events.insert(events.end(), result.events.begin(), result.events.end());
            flags = result.mouseDownFlags;
        }
        EXPECT_EQ(Describe(events), c.events) << c.name;
        EXPECT_EQ(flags, c.flagsAfter) << c.name;
    }
}

TEST(TrayClickLogic, ADisabledIconIgnoresEverythingAndKeepsItsFlags)
{
    for (long message = kMove; message <= kMiddleDouble; ++message) {
        for (unsigned flags : {0u, kMouseDownLeft | kMouseDownRight | kMouseDownMiddle}) {
            const TrayDispatch result = DispatchTrayCallback(flags, false, message);
            EXPECT_TRUE(result.events.empty()) << std::hex << message;
            EXPECT_EQ(result.mouseDownFlags, flags) << std::hex << message;
        }
    }
}

TEST(TrayClickLogic, APressMadeWhileDisabledGivesNoClickOnceEnabled)
{
    TrayDispatch result = DispatchTrayCallback(0, false, kLeftDown);
    result = DispatchTrayCallback(result.mouseDownFlags, true, kLeftUp);
    EXPECT_EQ(Describe(result.events), "uL");
}

struct TipCase {
    const char* name;
    std::string hint;
    std::string tip;
};

TEST(TrayTipText, OnlyTheShortHintCutTo63Bytes)
{
    const std::string sixtyThree(63, 'a');
    // "博" in code page 936: two bytes.
    const std::string wide = "\xB2\xA9";
    std::string thirtyTwoWide;
    for (int i = 0; i < 32; ++i)
        thirtyTwoWide += wide;
    const TipCase cases[] = {
        {"plain", "abc", "abc"},
        {"empty", "", ""},
        {"short part only", "short|the long part", "short"},
        {"the first bar ends it", "a|b|c", "a"},
        {"nothing before the bar", "|long", ""},
        {"63 bytes fit", sixtyThree, sixtyThree},
        {"64 bytes are cut", sixtyThree + "b", sixtyThree},
        {"a long short part is cut too", sixtyThree + "bbb|x", sixtyThree},
        {"a bar after the cut", sixtyThree + "bbbb|", sixtyThree},
        {"a double-byte character is cut in half", thirtyTwoWide, thirtyTwoWide.substr(0, 63)},
        {"double-byte text with a bar", wide + wide + "|" + wide, wide + wide},
    };
    for (const TipCase& c : cases)
        EXPECT_EQ(TrayTipText(c.hint), c.tip) << c.name;
    // The half character is the lead byte of the 32nd one.
    EXPECT_EQ(TrayTipText(thirtyTwoWide).back(), '\xB2');
}

} // namespace
