// The hook component and its library loader against stand-in libraries built
// for the tests: loading by the name forms the loader accepts, the load
// count, every AttachReceiver failure, and the listening window.
#include "launcher/sys_hook_comp.h"
#include "launcher/sys_hook_loader.h"

#include "framework/errors.h"
#include "support/harness.h"
#include "support/os_recorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace harness;

namespace {

std::string FakeHook() { return UnixToWindowsPath(FAKE_HOOK_DLL); }
std::string FakeHookWithoutLastError() { return UnixToWindowsPath(FAKE_HOOK_PARTIAL_DLL); }

bool ModuleLoaded(const std::string& path) { return ::GetModuleHandleA(path.c_str()) != nullptr; }

// Reaches the stand-in's own exports while it is loaded.
template <class Proc> Proc FakeExport(const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(HookDLLHandle(), name)));
}

void SetAttachResult(int result)
{
    auto set = FakeExport<void(WINAPI*)(int)>("FakeSetAttachResult");
    ASSERT_NE(set, nullptr);
    set(result);
}

int AttachCalls() { return FakeExport<int(WINAPI*)()>("FakeAttachCalls")(); }

class HookLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(HookDLLHandle(), nullptr) << "an earlier test left the library loaded";
        ASSERT_TRUE(::CopyFileA(FakeHook().c_str(), dir.PathOf("Fake.dll").c_str(), FALSE));
    }
    void TearDown() override
    {
        // Never leave a load behind: the loader would warn at the end of the program.
        while (HookDLLHandle())
            UnloadHookDLL();
    }

    TempDir dir;
    OsRecorder os;
};

TEST_F(HookLoaderTest, ErrorTextsForEveryResult)
{
    const struct {
        int code;
        const char* text;
    } rows[] = {
        {0, "No error."},
        {-1, "DLL doesn't export all required functions."},
        {-2, "Receiver already registered."},
        {-3, "Receiver not registered."},
        {-4, "Too many receivers."},
        {-5, "System hook already installed."},
        {-6, "Unknown error -6"},
        {-2147483647 - 1, "Unknown error -2147483648"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(HookErrorText(row.code), row.text) << row.code;
    for (int code : {2, 5, 126, 193}) {
        EXPECT_EQ(HookErrorText(code), SystemErrorMessage(static_cast<DWORD>(code))) << code;
        EXPECT_FALSE(HookErrorText(code).empty()) << code;
    }
}

TEST_F(HookLoaderTest, NameFormsThatLoadAndThatDoNot)
{
    const struct {
        const char* name;
        int result;
    } cases[] = {
        {"Fake.dll", 0},
        {"Fake", 0}, // the system adds ".dll"
        {"Fake.hook", 0}, // retried with ".dll"
        {"Fake.DLL", 0}, // file names are not case-sensitive here
        {"Missing.dll", ERROR_MOD_NOT_FOUND},
        {"Missing.hook", ERROR_MOD_NOT_FOUND},
    };
    for (const auto& c : cases) {
        const int result = LoadHookDLL(dir.PathOf(c.name));
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(HookDLLHandle() != nullptr, c.result == 0) << c.name;
        EXPECT_EQ(HookDLLLoadCount(), c.result == 0 ? 1 : 0) << c.name;
        UnloadHookDLL();
        EXPECT_FALSE(ModuleLoaded(dir.PathOf("Fake.dll"))) << c.name;
    }
    // The retry needs a file under the ".dll" name: an existing other one is taken as it is.
    ASSERT_TRUE(::CopyFileA(FakeHook().c_str(), dir.PathOf("Other.hook").c_str(), FALSE));
    EXPECT_EQ(LoadHookDLL(dir.PathOf("Other.hook")), 0);
    EXPECT_TRUE(ModuleLoaded(dir.PathOf("Other.hook")));
}

TEST_F(HookLoaderTest, BadLibrariesGiveTheSystemErrorAndLeaveNothingLoaded)
{
    ASSERT_TRUE(dir.WriteFile("Corrupt.dll", "MZ not really a library"));
    ASSERT_TRUE(dir.WriteFile("Empty.dll", ""));
    std::string image = ReadWholeFile(FakeHook());
    ASSERT_GT(image.size(), 600u);
    ASSERT_TRUE(dir.WriteFile("Truncated.dll", image.substr(0, 600)));
    ASSERT_TRUE(
        ::CopyFileA(UnixToWindowsPath(FAKE_HOOK_OTHER_ARCH_DLL).c_str(), dir.PathOf("OtherArch.dll").c_str(), FALSE));
    for (const char* name : {"Corrupt.dll", "Empty.dll", "Truncated.dll", "OtherArch.dll"}) {
        const int result = LoadHookDLL(dir.PathOf(name));
        EXPECT_GT(result, 0) << name;
        EXPECT_EQ(HookDLLHandle(), nullptr) << name;
        EXPECT_EQ(HookDLLLoadCount(), 0) << name;
    }
    EXPECT_EQ(LoadHookDLL(dir.PathOf("OtherArch.dll")), ERROR_BAD_EXE_FORMAT);
}

// Refuses every listening window of the hook component, as a system short
// of window resources would.
HHOOK refuser = nullptr;
LRESULT CALLBACK RefuseListeningWindows(int code, WPARAM wParam, LPARAM lParam)
{
    char name[64] = {};
    if (code == HCBT_CREATEWND && ::GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name)
        && std::string(name) == "TSysHookListener")
        return 1;
    return ::CallNextHookEx(refuser, code, wParam, lParam);
}

TEST_F(HookLoaderTest, ARefusedListeningWindowUnloadsTheLibraryAndTheHookCanStartLater)
{
    TMouseHook hook("MouseHook1");
    hook.SetHookDLL(dir.PathOf("Fake.dll"));
    refuser = ::SetWindowsHookExA(WH_CBT, RefuseListeningWindows, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(refuser, nullptr);
    std::string error;
    hook.ActivateHook(error);
    ::UnhookWindowsHookEx(refuser);
    EXPECT_EQ(error, "Failed to create listening window.");
    EXPECT_FALSE(hook.HookActive());
    EXPECT_EQ(hook.ListeningWindow(), nullptr);
    EXPECT_EQ(HookDLLLoadCount(), 0);
    EXPECT_FALSE(ModuleLoaded(dir.PathOf("Fake.dll")));

    error.clear();
    hook.ActivateHook(error);
    EXPECT_TRUE(hook.HookActive()) << error;
    EXPECT_TRUE(::IsWindow(hook.ListeningWindow()));
    hook.DeactivateHook();
}

TEST_F(HookLoaderTest, ALibraryWithoutLastErrorFailsWithMinusOneAndIsUnloaded)
{
    const std::string partial = dir.PathOf("Partial.dll");
    ASSERT_TRUE(::CopyFileA(FakeHookWithoutLastError().c_str(), partial.c_str(), FALSE));
    EXPECT_EQ(LoadHookDLL(partial), kHookMissingExports);
    EXPECT_EQ(HookDLLHandle(), nullptr);
    EXPECT_EQ(HookAttachReceiver(), nullptr);
    EXPECT_FALSE(ModuleLoaded(partial));

    TMouseHook hook("MouseHook1");
    hook.SetHookDLL(partial);
    std::string error;
    hook.ActivateHook(error);
    EXPECT_EQ(error, "DLL doesn't export all required functions.");
    EXPECT_FALSE(hook.HookActive());
    EXPECT_EQ(hook.ListeningWindow(), nullptr);
    EXPECT_FALSE(ModuleLoaded(partial));
}

TEST_F(HookLoaderTest, TheLibraryIsLoadedOnceForTwoComponentsAndFreedWithTheLast)
{
    TMouseHook first("first"), second("second");
    first.SetHookDLL(dir.PathOf("Fake.dll"));
    // The library already loaded serves every later component, whatever its name.
    second.SetHookDLL(dir.PathOf("Elsewhere.dll"));
    std::string error = "x";
    first.ActivateHook(error);
    EXPECT_EQ(error, "");
    second.ActivateHook(error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(HookDLLLoadCount(), 2);
    EXPECT_EQ(AttachCalls(), 2);
    EXPECT_NE(first.ListeningWindow(), second.ListeningWindow());

    first.DeactivateHook();
    EXPECT_FALSE(first.HookActive());
    EXPECT_FALSE(::IsWindow(first.ListeningWindow()));
    EXPECT_EQ(HookDLLLoadCount(), 1);
    EXPECT_TRUE(ModuleLoaded(dir.PathOf("Fake.dll")));
    first.DeactivateHook(); // inactive: changes nothing
    EXPECT_EQ(HookDLLLoadCount(), 1);

    second.DeactivateHook();
    EXPECT_EQ(HookDLLLoadCount(), 0);
    EXPECT_FALSE(ModuleLoaded(dir.PathOf("Fake.dll")));
}

TEST_F(HookLoaderTest, EachAttachFailureDestroysTheWindowAndDropsTheLoad)
{
    const struct {
        int result;
        std::string text;
    } cases[] = {
        {-2, "Receiver already registered."},
        {-3, "Receiver not registered."},
        {-4, "Too many receivers."},
        {-5, "System hook already installed."},
        {-1, "DLL doesn't export all required functions."},
        {-17, "Unknown error -17"},
        {ERROR_ACCESS_DENIED, SystemErrorMessage(ERROR_ACCESS_DENIED)},
    };
    // A second holder keeps the stand-in loaded, so its answer can be set beforehand.
    ASSERT_EQ(LoadHookDLL(dir.PathOf("Fake.dll")), 0);
    for (const auto& c : cases) {
        SetAttachResult(c.result);
        TMouseHook hook;
        hook.SetHookDLL(dir.PathOf("Fake.dll"));
        std::string error;
        hook.ActivateHook(error);
        EXPECT_EQ(error, c.text) << c.result;
        EXPECT_FALSE(hook.HookActive()) << c.result;
        EXPECT_EQ(hook.ListeningWindow(), nullptr) << c.result;
        BYTE kind = 0;
        BOOLEAN option = 1;
        HWND attached = FakeExport<HWND(WINAPI*)(BYTE*, BOOLEAN*)>("FakeLastAttach")(&kind, &option);
        EXPECT_FALSE(::IsWindow(attached)) << "listening window left behind, " << c.result;
        EXPECT_EQ(HookDLLLoadCount(), 1) << c.result;
    }
    UnloadHookDLL();
    EXPECT_FALSE(ModuleLoaded(dir.PathOf("Fake.dll")));
}

TEST_F(HookLoaderTest, ActivationRegistersTheListeningWindowAsAMouseReceiver)
{
    TMouseHook hook("MouseHook1");
    hook.SetHookDLL(dir.PathOf("Fake"));
    std::string error = "unchanged?";
    hook.ActivateHook(error);
    ASSERT_TRUE(hook.HookActive()) << error;
    EXPECT_EQ(error, "");
    BYTE kind = 0;
    BOOLEAN option = 1;
    HWND attached = FakeExport<HWND(WINAPI*)(BYTE*, BOOLEAN*)>("FakeLastAttach")(&kind, &option);
    EXPECT_EQ(attached, hook.ListeningWindow());
    EXPECT_TRUE(::IsWindow(attached));
    EXPECT_FALSE(::IsWindowVisible(attached));
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(option, 0);

    // Activating again is a no-op that leaves the caller's text alone.
    error = "kept";
    hook.ActivateHook(error);
    EXPECT_EQ(error, "kept");
    EXPECT_EQ(AttachCalls(), 1);
    EXPECT_EQ(HookDLLLoadCount(), 1);
    EXPECT_EQ(hook.ListeningWindow(), attached);
}

TEST_F(HookLoaderTest, WithoutADllNameActivationSaysSoAndLoadsNothing)
{
    TMouseHook hook;
    std::string error;
    hook.ActivateHook(error);
    EXPECT_EQ(error, "Cannot activate hook because DLL name is not set.");
    EXPECT_FALSE(hook.HookActive());
    EXPECT_EQ(HookDLLHandle(), nullptr);
}

TEST_F(HookLoaderTest, AMissingLibraryGivesTheSystemText)
{
    TMouseHook hook;
    hook.SetHookDLL(dir.PathOf("NotThere"));
    std::string error;
    hook.ActivateHook(error);
    EXPECT_EQ(error, SystemErrorMessage(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(hook.HookActive());
}

TEST_F(HookLoaderTest, TheDllNameCannotChangeWhileActive)
{
    TMouseHook named("MouseHook1"), unnamed;
    EXPECT_EQ(named.DisplayName(), "MouseHook1");
    EXPECT_EQ(unnamed.DisplayName(), "TMouseHook");
    for (TMouseHook* hook : {&named, &unnamed}) {
        os.calls.clear();
        hook->SetHookDLL(dir.PathOf("Fake.dll"));
        std::string error;
        hook->ActivateHook(error);
        ASSERT_TRUE(hook->HookActive());
        hook->SetHookDLL("Other");
        EXPECT_EQ(hook->HookDLL(), dir.PathOf("Fake.dll"));
        ASSERT_EQ(os.Of("MessageBox").size(), 1u);
        EXPECT_EQ(os.calls[0].text, "DLL name cannot be set while hook is active!");
        EXPECT_EQ(os.calls[0].detail, hook->DisplayName());
        EXPECT_EQ(os.calls[0].number, static_cast<long>(MB_OK | MB_ICONERROR));
        hook->DeactivateHook();
        hook->SetHookDLL("Other");
        EXPECT_EQ(hook->HookDLL(), "Other");
        EXPECT_EQ(os.Of("MessageBox").size(), 1u);
    }
}

TEST_F(HookLoaderTest, DestroyingAnActiveComponentDeactivatesIt)
{
    auto hook = std::make_unique<TMouseHook>();
    hook->SetHookDLL(dir.PathOf("Fake.dll"));
    std::string error;
    hook->ActivateHook(error);
    HWND window = hook->ListeningWindow();
    ASSERT_TRUE(::IsWindow(window));
    hook.reset();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(HookDLLHandle(), nullptr);
}

TEST_F(HookLoaderTest, TheLoaderWarnsAtItsShutDownWhileTheLibraryIsLoaded)
{
    ShutDownHookLoader();
    EXPECT_TRUE(os.calls.empty());
    ASSERT_EQ(LoadHookDLL(dir.PathOf("Fake.dll")), 0);
    ShutDownHookLoader();
    ASSERT_EQ(os.calls.size(), 1u);
    EXPECT_EQ(os.calls[0].text, "SysHook DLL was not unloaded!");
    EXPECT_EQ(os.calls[0].detail, "SysHookLoader");
    EXPECT_EQ(os.calls[0].number, static_cast<long>(MB_OK | MB_ICONWARNING));
}

// ---- The listening window -----------------------------------------------------

class ListeningWindowTest : public HookLoaderTest {
protected:
    void SetUp() override
    {
        HookLoaderTest::SetUp();
        hook.SetHookDLL(dir.PathOf("Fake.dll"));
        std::string error;
        hook.ActivateHook(error);
        ASSERT_TRUE(hook.HookActive()) << error;
        hook.OnMouseClick = [this](TMouseHook* sender, std::uint32_t source, int x, int y, HookMouseButton button,
                                TMouseButtonMovement movement) {
            EXPECT_EQ(sender, &hook);
            events.push_back("click " + std::to_string(source) + " " + std::to_string(x) + "," + std::to_string(y) + " "
                + std::to_string(static_cast<int>(button)) + std::to_string(movement));
        };
        hook.OnMouseMove = [this](TMouseHook*, std::uint32_t source, int x, int y) {
            events.push_back("move " + std::to_string(source) + " " + std::to_string(x) + "," + std::to_string(y));
        };
    }
    void TearDown() override
    {
        hook.DeactivateHook();
        HookLoaderTest::TearDown();
    }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::SendMessageA(hook.ListeningWindow(), message, wParam, lParam);
    }

    TMouseHook hook {"MouseHook1"};
    std::vector<std::string> events;
};

TEST_F(ListeningWindowTest, NotificationsBecomeEventsWithResultZero)
{
    EXPECT_EQ(Send(WM_USER + 0, MAKEWPARAM(10, 20), 77), 0);
    EXPECT_EQ(Send(WM_USER + 5, MAKEWPARAM(65535, 1), 78), 0);
    EXPECT_EQ(Send(WM_USER + 12, MAKEWPARAM(3, 4), 79), 0);
    EXPECT_EQ(events, (std::vector<std::string> {"move 77 10,20", "click 78 65535,1 11", "click 79 3,4 02"}));
}

TEST_F(ListeningWindowTest, OnUnfilteredSeesEachNotificationFirstAndCanStopIt)
{
    std::vector<int> codes;
    hook.OnUnfiltered = [&](TSysHook* sender, int code, WPARAM, LPARAM, bool& handled) {
        EXPECT_EQ(sender, &hook);
        codes.push_back(code);
        handled = code >= 0x100;
    };
    Send(WM_USER + 4, 0, 0);
    Send(WM_USER + 0x104, 0, 0);
    EXPECT_EQ(codes, (std::vector<int> {4, 0x104}));
    EXPECT_EQ(events, std::vector<std::string> {"click 0 0,0 10"});
}

TEST_F(ListeningWindowTest, SystemMessagesAndBroadcastsAreNoNotifications)
{
    // Below WM_USER: the default window procedure answers.
    char text[16] = "untouched";
    EXPECT_EQ(Send(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 0);
    EXPECT_STREQ(text, "");
    // A registered message broadcast to every top-level window must not read
    // as a button event (its number is far above WM_USER).
    const UINT broadcast = ::RegisterWindowMessageA("TraystartHookTestBroadcast");
    ::PostMessageA(HWND_BROADCAST, broadcast, 0, 0);
    PumpFor(300);
    EXPECT_TRUE(events.empty());
}

} // namespace
