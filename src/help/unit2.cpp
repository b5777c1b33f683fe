#include "help/unit2.h"

#include "framework/application.h"
#include "framework/dpi.h"
#include "framework/os.h"
#include "help/clipboard_text.h"
#include "help/jpeg_bitmap.h"
#include "help/product_info.h"
#include "resource_ids.h"

TAboutBox* AboutBox = nullptr;

namespace {
const char kAboutClass[] = "TAboutBox";
const char kAboutCaption[] = "About";
const int kClientWidth = 369;
const int kClientHeight = 265;
const char kCopyHint[] = "双击复制";
const char kMailHint[] = "单击复制到剪切板";
const char kLabelFace[] = "宋体";
const int kLabelHeight = 13;
const int kOkButtonId = 1; // the modal result OK, also the button's id

void CopyText(const std::string& text) { CopyTextToClipboard(Application::Instance().Handle(), text); }

// The captions built from the author's constants.
std::string AuthorLine() { return std::string("作者：") + kAuthorName + "（" + kAuthorRegion + "）"; }
std::string MailLine() { return std::string("邮件：") + kAuthorMail + "  （双击打开，单击复制）"; }
std::string WebLine() { return std::string("网站：") + kAuthorSite; }
} // namespace

TAboutBox::TAboutBox()
    : Form(Application::Instance(), kAboutClass, kAboutCaption, 0, 0, kClientWidth, kClientHeight)
{
    AboutBox = this;
    // A fixed dialog frame: no resizing, no minimise or maximise box.
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    ::SetWindowLongPtrA(Handle(), GWL_STYLE, static_cast<LONG_PTR>(style));
    ::SetWindowLongPtrA(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
    RECT frame {0, 0, ScaleForDpi(kClientWidth), ScaleForDpi(kClientHeight)};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    ::SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetFont("MS Sans Serif", -11);

    Panel1 = std::make_unique<Panel>(Handle(), 6, 8, 355, 201, BDR_SUNKENOUTER | BDR_RAISEDINNER);
    const HWND panel = Panel1->Handle();

    // A picture that does not decode leaves the image empty; the box works on.
    ProgramIcon = std::make_unique<Picture>(panel, 8, 8, 65, 57);
    ProgramIcon->SetBitmap(LoadJpegResource(::GetModuleHandleA(nullptr), IDR_ABOUTPICTURE));

    ProductName = std::make_unique<Label>(panel, 88, 16, 209, 19, kProductName);
    ProductName->UseFont(Font());
    ProductName->SetHint(kCopyHint);
    ProductName->OnDblClick = [this] { ProductNameDblClick(); };

    Version = std::make_unique<Label>(panel, 88, 46, 233, 17, AuthorLine());
    Version->UseFont(Font());
    Version->SetHint(kCopyHint);
    Version->OnDblClick = [this] { VersionDblClick(); };

    Label1 = std::make_unique<Label>(panel, 8, 88, 273, 25, WebLine());
    Label1->SetFont(kLabelFace, kLabelHeight, ANSI_CHARSET, true);
    Label1->OnClick = [this] { Label1Click(); };

    Comments = std::make_unique<Label>(panel, 8, 137, 337, 26, MailLine());
    Comments->SetFont(kLabelFace, kLabelHeight, ANSI_CHARSET);
    Comments->SetHint(kMailHint);
    Comments->OnClick = [this] { CommentsClick(); };
    Comments->OnDblClick = [this] { CommentsDblClick(); };

    OKButton = std::make_unique<PushButton>(Handle(), 143, 221, 75, 25, "OK", kOkButtonId, true);
    ::SendMessageA(OKButton->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    OKButton->OnClick = [this] { OKButtonClick(); };
}

TAboutBox::~TAboutBox()
{
    if (AboutBox == this)
        AboutBox = nullptr;
}

void TAboutBox::ProductNameDblClick() { CopyText(ProductName->Caption()); }

void TAboutBox::VersionDblClick() { CopyText(Version->Caption()); }

void TAboutBox::CommentsClick() { CopyText(kAuthorMail); }

void TAboutBox::CommentsDblClick()
{
    Os().ShellExecuteFile(Handle(), "open", std::string("mailto:") + kAuthorMail, "", SW_SHOWNORMAL);
}

void TAboutBox::Label1Click() { Os().ShellExecuteFile(Handle(), "open", kAuthorSite, "", SW_SHOWNORMAL); }

// Closing only hides the box: the next "关于" shows this same window.
void TAboutBox::OKButtonClick() { Close(); }

void TAboutBox::ShowInFront()
{
    Show();
    ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(Handle());
}

void TAboutBox::DoShow() { ::SetFocus(OKButton->Handle()); }

bool TAboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && OKButton && OKButton->HandleCommand(wParam, lParam)) {
        result = 0;
        return true;
    }
    // Enter anywhere in the box presses the default button.
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && OKButton) {
        ::SetFocus(OKButton->Handle());
        result = 0;
        return true;
    }
    return false;
}
