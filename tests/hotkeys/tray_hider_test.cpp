// The hiding and restoring passes against the fake shell: what reaches the
// shell's toolbar, which buttons end hidden, and how much is read.
#include "fake_shell_rig.h"
#include "hotkeys/tray_hider.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kHideButton = 0x0404, kGetButton = 0x0417, kButtonCount = 0x0418, kGetButtonText = 0x042D;
constexpr UINT kGetItemCount = 0x1304, kGetItem = 0x1305;
constexpr UINT kNimAdd = 0, kNimDelete = 2;

struct Version {
    unsigned major, minor;
};
constexpr Version kWinXp {5, 1}, kWin7 {6, 1}, kWin98 {4, 10}, kWin2k {5, 0};

class TrayHiderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto counting = std::make_unique<CountingAccess>();
        access = counting.get();
        hider = std::make_unique<TrayHider>(std::move(counting));
    }

    bool StartShell(const FakeShellOptions& options)
    {
        if (!shell.Start(options))
            return false;
        // The program's own icon is in the area before any pass.
        FakeShellRig::OnDesktop([] { TestIcons().SetOwn(true); });
        shell.Mark();
        return true;
    }

    // Runs a pass on the shell's desktop; counts what it did to our icons.
    void Pass(bool hiding, Version version = kWin7)
    {
        FakeShellRig::OnDesktop([&] {
            TestIcons icons;
            TrayPassContext context;
            context.majorVersion = version.major;
            context.minorVersion = version.minor;
            context.setOwnIconActive = [&icons](bool active) { icons.SetOwn(active); };
            context.refreshTray = [&icons] { icons.Refresh(); };
            const int openingsBefore = access->openings;
            if (hiding)
                hider->HidingPass(context);
            else
                hider->RestoringPass(context);
            passOpenings = access->openings - openingsBefore;
            ownOff = icons.ownOff;
            ownOn = icons.ownOn;
            refreshes = icons.refreshes;
        });
    }

    int Locate(const std::string& text, Version version = kWin7)
    {
        int index = -2;
        FakeShellRig::OnDesktop([&] { index = hider->LocateTrayButton(text, version.major, version.minor); });
        return index;
    }

    // Every hide message is followed by one refresh: an added and a deleted icon.
    static void ExpectRefreshAfterEachHide(const std::vector<ShellEvent>& events)
    {
        std::string shape;
        for (const ShellEvent& event : events) {
            if (event.kind == ShellEvent::Toolbar && event.message == kHideButton)
                shape += 'h';
            else if (event.kind == ShellEvent::NotifyIcon && event.message == kNimAdd)
                shape += '+';
            else if (event.kind == ShellEvent::NotifyIcon && event.message == kNimDelete)
                shape += '-';
        }
        std::string expected;
        for (std::size_t i = 0; i < HideIds(events, true).size(); ++i)
            expected += "h+-";
        EXPECT_EQ(shape.substr(1, shape.size() - 2), expected) << "own icon off, hides with refreshes, own icon on";
    }

    FakeShellRig shell;
    CountingAccess* access = nullptr;
    std::unique_ptr<TrayHider> hider;
    int passOpenings = 0, ownOff = 0, ownOn = 0, refreshes = 0;
};

const std::vector<std::string> kCaseEqualTexts = {"Alpha", "QQ", "qq", "音量", "Zeta"};

TEST_F(TrayHiderTest, EmptyAreaHidesNothingAndSwitchesTheOwnIconOnce)
{
    ASSERT_TRUE(StartShell({}));
    Pass(true);
    const std::vector<ShellEvent> events = shell.Events();
    EXPECT_EQ(ToolbarMessages(events, kButtonCount).size(), 1u);
    EXPECT_TRUE(ToolbarMessages(events, kHideButton).empty());
    EXPECT_EQ(ReadMessages(events), 0);
    EXPECT_EQ(ownOff, 1);
    EXPECT_EQ(ownOn, 1);
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(shell.State(), ".");
}

TEST_F(TrayHiderTest, CaseEqualTextsHideByTheFormulaAndAllComeBack)
{
    ASSERT_TRUE(StartShell({kCaseEqualTexts}));
    Pass(true);
    std::vector<ShellEvent> events = shell.Events();
    // k per position: 4, 3, 3 (the second "qq" resolves to the first), 1, 0.
    EXPECT_EQ(HideIds(events, true), (std::vector<int> {5, 4, 4, 3, 4, 3, 2, 1, 1, 0}));
    EXPECT_TRUE(HideIds(events, false).empty());
    ExpectRefreshAfterEachHide(events);
    EXPECT_LE(ReadMessages(events), 2 * 5 + 10);
    EXPECT_EQ(passOpenings, 1);
    EXPECT_EQ(access->blocks, 1);
    EXPECT_EQ(ownOff, 1);
    EXPECT_EQ(ownOn, 1);
    EXPECT_EQ(refreshes, 10);
    // The own icon came back in front, visible.
    EXPECT_EQ(shell.State(), ".HHHHH");

    shell.Mark();
    Pass(false);
    events = shell.Events();
    // The own icon (id 5) is in the area now; then the one extra show for the
    // case-equal neighbour that no per-position message names.
    EXPECT_EQ(HideIds(events, false), (std::vector<int> {5, 4, 3, 3, 1, 0, 2}));
    EXPECT_TRUE(HideIds(events, true).empty());
    EXPECT_LE(ReadMessages(events), 2 * 6 + 10);
    EXPECT_EQ(passOpenings, 1);
    EXPECT_EQ(ownOff + ownOn, 0);
    EXPECT_EQ(refreshes, 6);
    EXPECT_EQ(shell.State(), "......");
    EXPECT_TRUE(hider->HiddenIds().empty());
}

TEST_F(TrayHiderTest, GbkAndOverlongTextsAreReadIntact)
{
    const std::string longText(1500, 'x');
    const std::string sameStart = std::string(1024, 'x') + "yyy";
    ASSERT_TRUE(StartShell({{"腾讯QQ", "音量", longText, sameStart, "音量"}}));
    shell.Mark();
    // Texts agree in their first 1024 bytes only: both read as the same text.
    // The own icon sits in front of them.
    EXPECT_EQ(Locate("腾讯qq"), 4);
    EXPECT_EQ(Locate("音量"), 3);
    EXPECT_EQ(Locate(std::string(1024, 'x')), 2);
    EXPECT_EQ(Locate(longText), -1);
    EXPECT_EQ(Locate("网络"), -1);
    EXPECT_EQ(hider->TrayButtonIndex(), -1);

    shell.Mark();
    Pass(true);
    // Positions: own icon is off; k = 4, 3, 2, 2, 3.
    EXPECT_EQ(HideIds(shell.Events(), true), (std::vector<int> {5, 4, 4, 3, 3, 2, 3, 2, 4, 3}));
    // The second of each equal pair is never named, so it stays visible.
    EXPECT_EQ(shell.State(), ".HHH..");
    Pass(false);
    EXPECT_EQ(shell.State(), "......");
}

TEST_F(TrayHiderTest, LookupStopsAtTheFirstMatch)
{
    ASSERT_TRUE(StartShell({kCaseEqualTexts}));
    // The own icon sits in front: "QQ" is the third button of six.
    EXPECT_EQ(Locate("qQ"), 3);
    const std::vector<ShellEvent> events = shell.Events();
    EXPECT_EQ(ToolbarMessages(events, kGetButton).size(), 3u);
    EXPECT_EQ(ToolbarMessages(events, kGetButtonText).size(), 3u);
    EXPECT_TRUE(ToolbarMessages(events, kHideButton).empty());
}

TEST_F(TrayHiderTest, OlderSystemsReadTabItems)
{
    for (Version version : {kWin98, kWin2k}) {
        SCOPED_TRACE(std::to_string(version.major) + "." + std::to_string(version.minor));
        FakeShellRig tabShell;
        ASSERT_TRUE(tabShell.Start({kCaseEqualTexts, true}));
        FakeShellRig::OnDesktop([] { TestIcons().SetOwn(true); });
        tabShell.Mark();
        FakeShellRig::OnDesktop([&] {
            TestIcons icons;
            TrayPassContext context {version.major, version.minor, [&icons](bool active) { icons.SetOwn(active); },
                [&icons] { icons.Refresh(); }};
            hider->HidingPass(context);
            hider->RestoringPass(context);
        });
        const std::vector<ShellEvent> events = tabShell.Events();
        EXPECT_EQ(ToolbarMessages(events, kGetItemCount).size(), 2u);
        EXPECT_TRUE(ToolbarMessages(events, kButtonCount).empty());
        EXPECT_TRUE(ToolbarMessages(events, kGetButton).empty());
        // Hiding reads 5 items, restoring 6 (the own icon is back).
        EXPECT_EQ(ToolbarMessages(events, kGetItem).size(), 11u);
        EXPECT_EQ(HideIds(events, true), (std::vector<int> {5, 4, 4, 3, 4, 3, 2, 1, 1, 0}));
        EXPECT_EQ(HideIds(events, false), (std::vector<int> {5, 4, 3, 3, 1, 0, 2}));
    }
}

TEST_F(TrayHiderTest, WithoutAToolbarNothingHappens)
{
    ASSERT_TRUE(StartShell({{"Alpha"}, false, true}));
    Pass(true);
    Pass(false);
    EXPECT_TRUE(shell.Events().empty());
    EXPECT_EQ(ownOff + ownOn + refreshes, 0);
    EXPECT_EQ(access->openings, 0);

    // Another program's toolbar is not the shell's: neither on its own, nor
    // put below the shell's SysPager.
    FakeShellRig::OnDesktop([&] {
        INITCOMMONCONTROLSEX controls {sizeof controls, ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        HWND stray = ::CreateWindowExA(
            0, TOOLBARCLASSNAMEA, "", WS_POPUP, 0, 0, 200, 30, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(stray, nullptr);
        ::SendMessageA(stray, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        TBBUTTON button {};
        button.fsState = TBSTATE_ENABLED;
        ::SendMessageA(stray, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
        HWND pager = ::FindWindowExA(
            ::FindWindowExA(::FindWindowA("Shell_TrayWnd", nullptr), nullptr, "TrayNotifyWnd", nullptr), nullptr,
            "SysPager", nullptr);
        for (bool underThePager : {false, true}) {
            if (underThePager) {
                ASSERT_NE(pager, nullptr);
                ::SetWindowLongPtrA(stray, GWL_STYLE, WS_CHILD);
                ::SetParent(stray, pager);
            }
            EXPECT_EQ(hider->FindTrayToolbar(), nullptr) << underThePager;
            hider->HidingPass(TrayPassContext {});
            EXPECT_FALSE(::SendMessageA(stray, TB_ISBUTTONHIDDEN, 0, 0));
        }
        ::DestroyWindow(stray);
    });
    EXPECT_EQ(access->openings + access->sends, 0);
}

TEST_F(TrayHiderTest, UnopenableShellGetsNoPointerMessages)
{
    ASSERT_TRUE(StartShell({kCaseEqualTexts}));
    for (int refuse = 0; refuse < 2; ++refuse) {
        SCOPED_TRACE(refuse == 0 ? "process not opened" : "block not reserved");
        access->refuseOpen = refuse == 0;
        access->refuseBlock = refuse == 1;
        shell.Mark();
        Pass(true);
        Pass(false);
        EXPECT_EQ(Locate("Alpha"), -1);
        const std::vector<ShellEvent> events = shell.Events();
        for (UINT message : {kGetButton, kGetButtonText, kGetItem})
            EXPECT_TRUE(ToolbarMessages(events, message).empty()) << std::hex << message;
        // The pass ends after its flag step: the own icon stays on.
        EXPECT_TRUE(events.empty());
        EXPECT_EQ(ownOff + ownOn + refreshes, 0);
        EXPECT_EQ(shell.State(), "......");
    }
}

TEST_F(TrayHiderTest, ButtonsRemovedMidPassEndWithoutACrash)
{
    struct Case {
        const char* name;
        bool removeOnHide;
        int removeOnRead;
    };
    for (const Case& c : {Case {"removed at the first hide", true, 0}, Case {"removed between reads", false, 2}}) {
        SCOPED_TRACE(c.name);
        FakeShellRig changing;
        FakeShellOptions options {kCaseEqualTexts};
        options.removeOnHide = c.removeOnHide;
        options.removeOnRead = c.removeOnRead;
        ASSERT_TRUE(changing.Start(options));
        FakeShellRig::OnDesktop([] { TestIcons().SetOwn(true); });
        changing.Mark();
        Pass(true);
        EXPECT_EQ(ownOn, 1);
        Pass(false);
        const std::vector<ShellEvent> events = changing.Events();
        EXPECT_FALSE(HideIds(events, true).empty());
        EXPECT_FALSE(HideIds(events, false).empty());
        EXPECT_EQ(changing.State().size(), 5u);
    }
}

} // namespace
