#include "hotkeys/tray_hider.h"

#include <cstdint>

namespace {
// The ANSI forms, named here since the pass depends on exactly these.
constexpr UINT kHideButton = 0x0404; // TB_HIDEBUTTON
constexpr UINT kGetButton = 0x0417; // TB_GETBUTTON
constexpr UINT kButtonCount = 0x0418; // TB_BUTTONCOUNT
constexpr UINT kGetButtonText = 0x042D; // TB_GETBUTTONTEXTA
constexpr UINT kGetItemCount = 0x1304; // TCM_GETITEMCOUNT
constexpr UINT kGetItem = 0x1305; // TCM_GETITEMA

const char* const kToolbarChain[] = {"Shell_TrayWnd", "TrayNotifyWnd", "SysPager", "ToolbarWindow32"};

bool OwnProcessIs64() { return sizeof(void*) == 8; }
} // namespace

TrayToolbarSession::TrayToolbarSession(TrayShellAccess& access, HWND toolbar, TrayProtocol protocol)
    : access_(access)
    , toolbar_(toolbar)
    , protocol_(protocol)
{
    process_ = access_.OpenShellProcess(access_.WindowProcessId(toolbar_));
    if (!process_)
        return;
    shell64_ = ShellIs64Bit(OwnProcessIs64(), access_.IsWow64(::GetCurrentProcess()), access_.IsWow64(process_));
    layout_ = TrayBlockLayoutFor(protocol_, shell64_);
    block_ = access_.ReserveBlock(process_, kTrayBlockSize);
}

TrayToolbarSession::~TrayToolbarSession()
{
    if (block_)
        access_.ReleaseBlock(process_, block_);
    if (process_)
        access_.CloseShellProcess(process_);
}

int TrayToolbarSession::Count()
{
    if (!Ready())
        return 0;
    const UINT message = protocol_ == TrayProtocol::Tab ? kGetItemCount : kButtonCount;
    return CappedTrayCount(static_cast<long long>(access_.Send(toolbar_, message, 0, 0)));
}

std::string TrayToolbarSession::ReadText(int position)
{
    if (!Ready())
        return std::string();
    return protocol_ == TrayProtocol::Tab ? ReadTabText(position) : ReadToolbarText(position);
}

std::string TrayToolbarSession::ReadToolbarText(int position)
{
    std::vector<unsigned char> record(layout_.recordSize, 0);
    if (!access_.WriteMemory(process_, block_, record.data(), record.size()))
        return std::string();
    // A button that went away since the count leaves nothing to read.
    if (!access_.Send(toolbar_, kGetButton, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(block_)))
        return std::string();
    if (!access_.ReadMemory(process_, block_, record.data(), record.size()))
        return std::string();
    const int id = ButtonRecordCommandId(record);
    const LRESULT length = access_.Send(toolbar_, kGetButtonText, static_cast<WPARAM>(static_cast<INT_PTR>(id)),
        reinterpret_cast<LPARAM>(At(layout_.textOffset)));
    if (length < 0)
        return std::string();
    return ReadBack(layout_.textOffset);
}

std::string TrayToolbarSession::ReadTabText(int position)
{
    const std::uint64_t textAddress = reinterpret_cast<std::uintptr_t>(At(layout_.textOffset));
    const std::vector<unsigned char> record = TabItemRecord(textAddress, shell64_);
    const char none = '\0';
    if (!access_.WriteMemory(process_, block_, record.data(), record.size())
        || !access_.WriteMemory(process_, At(layout_.textOffset), &none, 1))
        return std::string();
    if (!access_.Send(toolbar_, kGetItem, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(block_)))
        return std::string();
    return ReadBack(layout_.textOffset);
}

std::string TrayToolbarSession::ReadBack(std::size_t offset)
{
    std::vector<char> text(kTrayTextRead, '\0');
    if (!access_.ReadMemory(process_, At(offset), text.data(), text.size()))
        return std::string();
    return TrayTextFromBuffer(text);
}

TrayHider::TrayHider(std::unique_ptr<TrayShellAccess> access)
    : access_(std::move(access))
{
    if (!access_)
        access_ = std::make_unique<Win32TrayShellAccess>();
}

HWND TrayHider::FindTrayToolbar()
{
    // Each lookup searches below the previous result. A missing link ends the
    // search: a lookup below no window would search every top-level window
    // and find any program's toolbar, whose process the passes then write to.
    HWND tray = nullptr;
    HWND window = nullptr;
    for (const char* className : kToolbarChain) {
        window = access_->FindChildWindow(window, className);
        if (!window)
            return nullptr;
        if (!tray)
            tray = window;
    }
    // A window of another process can be made a child of the shell's.
    const DWORD shellProcess = access_->WindowProcessId(tray);
    if (shellProcess == 0 || access_->WindowProcessId(window) != shellProcess)
        return nullptr;
    return window;
}

int TrayHider::LocateTrayButton(const std::string& text, unsigned majorVersion, unsigned minorVersion)
{
    trayButtonIndex_ = -1;
    HWND toolbar = FindTrayToolbar();
    if (!toolbar)
        return trayButtonIndex_;
    TrayToolbarSession session(*access_, toolbar, ChooseTrayProtocol(majorVersion, minorVersion));
    const int count = session.Count();
    for (int i = 0; i < count; ++i) {
        if (TrayTextsEqual(session.ReadText(i), text)) {
            trayButtonIndex_ = count - 1 - i;
            break;
        }
    }
    return trayButtonIndex_;
}

std::vector<std::string> TrayHider::ReadAllTexts(TrayToolbarSession& session, int count)
{
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        texts.push_back(session.ReadText(i));
    return texts;
}

void TrayHider::SendHide(HWND toolbar, int id, bool hide)
{
    access_->Send(toolbar, kHideButton, static_cast<WPARAM>(static_cast<INT_PTR>(id)), MAKELPARAM(hide ? 1 : 0, 0));
}

void TrayHider::HidingPass(const TrayPassContext& context)
{
    HWND toolbar = FindTrayToolbar();
    if (!toolbar)
        return;
    std::vector<int> hidden;
    {
        TrayToolbarSession session(*access_, toolbar, ChooseTrayProtocol(context.majorVersion, context.minorVersion));
        // Nothing can be read safely: the own icon stays where it is.
        if (!session.Ready())
            return;
        // Off before the count, so that its button is neither read nor hidden.
        if (context.setOwnIconActive)
            context.setOwnIconActive(false);
        const std::vector<std::string> texts = ReadAllTexts(session, session.Count());
        // The toolbar only changes through the refreshes below, which add and
        // delete one button and so leave every position's text as read.
        hidden = HidingPassIds(texts);
        for (std::size_t i = 0; i < hidden.size(); ++i) {
            SendHide(toolbar, hidden[i], true);
            if (context.refreshTray)
                context.refreshTray();
        }
        if (!hidden.empty())
            trayButtonIndex_ = hidden.back();
    }
    hiddenIds_ = hidden;
    if (context.setOwnIconActive)
        context.setOwnIconActive(true);
}

void TrayHider::RestoringPass(const TrayPassContext& context)
{
    HWND toolbar = FindTrayToolbar();
    if (!toolbar)
        return;
    TrayToolbarSession session(*access_, toolbar, ChooseTrayProtocol(context.majorVersion, context.minorVersion));
    if (!session.Ready())
        return;
    const std::vector<std::string> texts = ReadAllTexts(session, session.Count());
    const std::vector<int> shown = RestoringPassIds(texts);
    for (int id : shown) {
        SendHide(toolbar, id, false);
        if (context.refreshTray)
            context.refreshTray();
    }
    if (!shown.empty())
        trayButtonIndex_ = shown.back();
    // Two texts equal apart from case make the hiding pass hide a neighbour
    // that no show message above names; without these it would stay hidden
    // until the shell rebuilds its notification area.
    for (int id : IdsLeftHidden(hiddenIds_, shown))
        SendHide(toolbar, id, false);
    hiddenIds_.clear();
}
