// Decoding the hook library's notifications into mouse events.
#include "launcher/hook_notification.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every event raised, as text.
struct Recorder {
    std::vector<std::string> events;
    bool handle = false;

    MouseNotificationEvents Events(bool withUnfiltered = true)
    {
        MouseNotificationEvents e;
        if (withUnfiltered)
            e.unfiltered = [this](int code, std::uintptr_t w, std::intptr_t l, bool& handled) {
                events.push_back(
                    "unfiltered " + std::to_string(code) + " " + std::to_string(w) + " " + std::to_string(l));
                handled = handle;
            };
        e.move = [this](std::uint32_t source, int x, int y) {
            events.push_back("move " + std::to_string(source) + " " + std::to_string(x) + " " + std::to_string(y));
        };
        e.click = [this](std::uint32_t source, int x, int y, HookMouseButton button, TMouseButtonMovement movement) {
            const char* buttons[] = {"left", "right", "middle"};
            const char* movements[] = {"down", "up", "double"};
            events.push_back(std::string("click ") + std::to_string(source) + " " + std::to_string(x) + " "
                + std::to_string(y) + " " + buttons[static_cast<int>(button)] + " " + movements[movement]);
        };
        return e;
    }
};

std::uintptr_t Pack(unsigned x, unsigned y) { return x | (static_cast<std::uintptr_t>(y) << 16); }

TEST(HookNotification, EveryCodeDecodesInTheMouseMessageOrder)
{
    const char* expected[16] = {
        "move 7 10 20",
        "click 7 10 20 left down",
        "click 7 10 20 left up",
        "click 7 10 20 left double",
        "click 7 10 20 right down",
        "click 7 10 20 right up",
        "click 7 10 20 right double",
        "click 7 10 20 middle down",
        "click 7 10 20 middle up",
        "click 7 10 20 middle double",
        // Past the middle button everything counts as the left button.
        "click 7 10 20 left down",
        "click 7 10 20 left up",
        "click 7 10 20 left double",
        "click 7 10 20 left down",
        "click 7 10 20 left up",
        "click 7 10 20 left double",
    };
    for (unsigned code = 0; code < 16; ++code) {
        Recorder r;
        EXPECT_EQ(DispatchMouseNotification(kHookNotificationBase + code, Pack(10, 20), 7, r.Events(false)), 0);
        EXPECT_EQ(r.events, std::vector<std::string> {expected[code]}) << code;
    }
}

TEST(HookNotification, HigherCodeBitsReachOnlyTheUnfilteredEventWhole)
{
    struct Case {
        unsigned code;
        const char* event;
    } cases[] = {
        {0x10, "move 3 1 2"}, // low bits 0: a move
        {0x25, "click 3 1 2 right up"}, // low bits 5
        {0xBCA4, "click 3 1 2 right down"} // a registered message number's worth
    };
    for (const Case& c : cases) {
        Recorder r;
        DispatchMouseNotification(kHookNotificationBase + c.code, Pack(1, 2), 3, r.Events());
        ASSERT_EQ(r.events.size(), 2u) << c.code;
        EXPECT_EQ(r.events[0], "unfiltered " + std::to_string(c.code) + " 131073 3");
        EXPECT_EQ(r.events[1], c.event);
    }
}

TEST(HookNotification, CoordinatesAreUnsigned16BitAndOtherWParamBitsAreIgnored)
{
    struct Case {
        std::uintptr_t wParam;
        const char* event;
    } cases[] = {
        {Pack(0, 0), "move 0 0 0"},
        {Pack(0xFFFF, 0xFFFF), "move 0 65535 65535"}, // (-1, -1) on a monitor left of and above the first
        {Pack(0x8000, 0x7FFF), "move 0 32768 32767"},
        {static_cast<std::uintptr_t>(0xFFFFFFFFu), "move 0 65535 65535"},
    };
    for (const Case& c : cases) {
        Recorder r;
        DispatchMouseNotification(kHookNotificationBase, c.wParam, 0, r.Events(false));
        EXPECT_EQ(r.events, std::vector<std::string> {c.event}) << c.wParam;
    }
}

TEST(HookNotification, HandledStopsBeforeTheMouseEvents)
{
    for (unsigned code : {0u, 4u, 9u}) {
        Recorder r;
        r.handle = true;
        EXPECT_EQ(DispatchMouseNotification(kHookNotificationBase + code, Pack(5, 6), 1, r.Events()), 0);
        EXPECT_EQ(r.events.size(), 1u) << code;
    }
}

TEST(HookNotification, MissingHandlersAreSkipped)
{
    MouseNotificationEvents none;
    for (unsigned code = 0; code < 16; ++code)
        EXPECT_EQ(DispatchMouseNotification(kHookNotificationBase + code, Pack(5, 6), 1, none), 0);
}

} // namespace
