// The named shared block and the peer message step.
#include "form_fixture.h"

#include "app/map_file.h"

#include <cstring>

namespace {

TEST(SharedBlock, AnExistingBlockKeepsItsContentsAndANewOneIsZeroed)
{
    // A name of this test's own, so no other holder keeps the block alive.
    const std::string name = "XIANDESK-test-" + std::to_string(::GetCurrentProcessId());
    MappedView first;
    KernelHandle firstHandle;
    OpenSharedBlock(first, firstHandle, name.c_str());
    ASSERT_NE(first.Get(), nullptr);
    const INT32 written[2] = {-5, 400};
    std::memcpy(first.Get(), written, sizeof written);

    MappedView second;
    KernelHandle secondHandle;
    OpenSharedBlock(second, secondHandle, name.c_str());
    ASSERT_NE(second.Get(), nullptr);
    INT32 seen[2];
    std::memcpy(seen, second.Get(), sizeof seen);
    EXPECT_EQ(seen[0], -5);
    EXPECT_EQ(seen[1], 400);

    OsRecorder os;
    CloseSharedBlock(second, secondHandle);
    CloseSharedBlock(first, firstHandle);
    EXPECT_EQ(first.Get(), nullptr);
    EXPECT_EQ(firstHandle.Get(), nullptr);
    EXPECT_TRUE(os.calls.empty());

    // With every handle closed the block is gone; the next one starts at zero.
    OpenSharedBlock(first, firstHandle, name.c_str());
    ASSERT_NE(first.Get(), nullptr);
    std::memcpy(seen, first.Get(), sizeof seen);
    EXPECT_EQ(seen[0], 0);
    EXPECT_EQ(seen[1], 0);
    CloseSharedBlock(first, firstHandle);
}

// A second main window of the program on this desktop, recording what it gets.
struct Peer {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COPYDATA) {
            auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            received.assign(static_cast<const char*>(record->lpData), record->cbData);
            sender = reinterpret_cast<HWND>(wParam);
            senderCaption.resize(256);
            senderCaption.resize(static_cast<size_t>(::GetWindowTextA(sender, senderCaption.data(), 256)));
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    static std::string received;
    static std::string senderCaption;
    static HWND sender;
};
std::string Peer::received;
std::string Peer::senderCaption;
HWND Peer::sender = nullptr;

TEST_F(FormTest, TheSendStepDeliversOneZeroByteToAPeerWithTheSameCaption)
{
    TForm1& f = Design();
    f.SetCaption("peer test");
    HWND peer = ::CreateWindowExA(
        0, "TForm1", "peer test", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(peer, nullptr);
    ::SetWindowLongPtrA(peer, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Peer::Proc));

    f.xianglinyigefasongxiaoxiClick(nullptr);
    EXPECT_EQ(Peer::received, std::string(1, '\0'));
    EXPECT_EQ(Peer::sender, f.Handle());
    // The sender had renamed itself so that it could not find itself.
    EXPECT_EQ(Peer::senderCaption, "boxianlinsi");
    EXPECT_EQ(f.Caption(), "peer test");
    EXPECT_TRUE(os.calls.empty());
    ::DestroyWindow(peer);

    f.xianglinyigefasongxiaoxiClick(nullptr);
    EXPECT_EQ(Messages(), std::vector<std::string> {"发送消息目标窗口没找到！"});
    EXPECT_EQ(f.Caption(), "peer test");
}

TEST_F(FormTest, CopyDataAndClipboardMessagesAreAnsweredAtOnce)
{
    TForm1& f = Design();
    COPYDATASTRUCT record {7, 1, const_cast<char*>("")};
    EXPECT_EQ(::SendMessageA(f.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)), 0);
    EXPECT_EQ(::SendMessageA(f.Handle(), WM_DRAWCLIPBOARD, 0, 0), 0);
    EXPECT_EQ(f.Caption(), "博闲托盘区开始菜单2.1");
}

} // namespace
