// The about box as a real window: its frame, place and children against the
// design, the copy and open tools of its labels, the clipboard rule, hiding
// and showing again, and the picture decoded from the program's JPEG.
#include "app/form_fixture.h"

#include "framework/application.h"
#include "help/jpeg_bitmap.h"
#include "help/jpeg_decode.h"
#include "help/unit2.h"
#include "resource_ids.h"

#include <atomic>
#include <cstring>
#include <thread>

namespace {

const char kMail[] = "author@qhgf.example";

std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return "<cannot open>";
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text = bytes;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void SetClipboardText(const std::string& text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_TEXT, block);
    ::CloseClipboard();
}

// Mouse input as the window manager delivers it to a label.
void Click(HWND label)
{
    ::SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

void DoubleClick(HWND label)
{
    Click(label);
    ::SendMessageA(label, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

// The rectangle of `child` in its parent's client coordinates.
RECT PlaceInParent(HWND child)
{
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class AboutBoxTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Design();
        box = std::make_unique<TAboutBox>();
    }
    void TearDown() override
    {
        box.reset();
        FormTest::TearDown();
    }

    void ExpectPlace(HWND window, int left, int top, int width, int height, const char* what)
    {
        const RECT r = PlaceInParent(window);
        EXPECT_EQ(r.left, ScaleForDpi(left)) << what;
        EXPECT_EQ(r.top, ScaleForDpi(top)) << what;
        EXPECT_EQ(r.right - r.left, ScaleForDpi(width)) << what;
        EXPECT_EQ(r.bottom - r.top, ScaleForDpi(height)) << what;
    }

    std::unique_ptr<TAboutBox> box;
};

TEST_F(AboutBoxTest, WindowAndChildrenAreAsDesigned)
{
    EXPECT_EQ(AboutBox, box.get());
    EXPECT_EQ(harness::ClassName(box->Handle()), "TAboutBox");
    EXPECT_EQ(box->Caption(), "About");
    const LONG_PTR style = ::GetWindowLongPtrA(box->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(::GetWindowLongPtrA(box->Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT client;
    ::GetClientRect(box->Handle(), &client);
    EXPECT_EQ(client.right, ScaleForDpi(369));
    EXPECT_EQ(client.bottom, ScaleForDpi(265));

    // Centred on the screen when shown.
    form->N17Click(nullptr);
    EXPECT_TRUE(::IsWindowVisible(box->Handle()));
    const RECT frame = harness::WindowRect(box->Handle());
    EXPECT_NEAR(frame.left, (::GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2, 1);
    EXPECT_NEAR(frame.top, (::GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 1);

    ExpectPlace(box->Panel1->Handle(), 6, 8, 355, 201, "Panel1");
    ExpectPlace(box->ProgramIcon->Handle(), 8, 8, 65, 57, "ProgramIcon");
    ExpectPlace(box->ProductName->Handle(), 88, 16, 209, 19, "ProductName");
    ExpectPlace(box->Version->Handle(), 88, 46, 233, 17, "Version");
    ExpectPlace(box->Label1->Handle(), 8, 88, 273, 25, "Label1");
    ExpectPlace(box->Comments->Handle(), 8, 137, 337, 26, "Comments");
    ExpectPlace(box->OKButton->Handle(), 143, 221, 75, 25, "OKButton");
    for (HWND inPanel : {box->ProgramIcon->Handle(), box->ProductName->Handle(), box->Version->Handle(),
             box->Label1->Handle(), box->Comments->Handle()})
        EXPECT_EQ(::GetParent(inPanel), box->Panel1->Handle());
    EXPECT_EQ(::GetParent(box->OKButton->Handle()), box->Handle());
    // The panel comes first in the tab order, then the button.
    EXPECT_EQ(::GetWindow(box->Handle(), GW_CHILD), box->Panel1->Handle());
    EXPECT_EQ(::GetWindow(box->Panel1->Handle(), GW_HWNDNEXT), box->OKButton->Handle());

    EXPECT_EQ(box->ProductName->Caption(), "博闲托盘区开始菜单2.1");
    EXPECT_EQ(box->Version->Caption(), "作者：青禾居士（江南水乡）");
    EXPECT_EQ(box->Label1->Caption(), "网站：https://www.qinghegongfang.example/");
    EXPECT_EQ(box->Comments->Caption(), std::string("邮件：") + kMail + "  （双击打开，单击复制）");
    EXPECT_EQ(harness::WindowText(box->OKButton->Handle()), "OK");
    EXPECT_TRUE(::GetWindowLongPtrA(box->OKButton->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);

    EXPECT_EQ(box->ProductName->Hint(), "双击复制");
    EXPECT_EQ(box->Version->Hint(), "双击复制");
    EXPECT_EQ(box->Label1->Hint(), "");
    EXPECT_EQ(box->Comments->Hint(), "单击复制到剪切板");

    struct FontCase {
        Label* label;
        const char* face;
        int height;
        BYTE charset;
        bool underline;
    };
    const FontCase fonts[] = {
        {box->ProductName.get(), "MS Sans Serif", -11, DEFAULT_CHARSET, false},
        {box->Label1.get(), "宋体", -13, ANSI_CHARSET, true},
        {box->Comments.get(), "宋体", -13, ANSI_CHARSET, false},
    };
    for (const FontCase& c : fonts) {
        LOGFONTA font {};
        ASSERT_TRUE(::GetObjectA(c.label->Font(), sizeof font, &font)) << c.face;
        EXPECT_STREQ(font.lfFaceName, c.face);
        EXPECT_EQ(font.lfHeight, c.height < 0 ? -ScaleForDpi(-c.height) : c.height) << c.face;
        EXPECT_EQ(font.lfCharSet, c.charset) << c.face;
        EXPECT_EQ(font.lfUnderline != 0, c.underline) << c.face;
    }
}

TEST_F(AboutBoxTest, EveryCaptionFitsItsLabel)
{
    for (const Label* label : {box->ProductName.get(), box->Version.get(), box->Label1.get(), box->Comments.get()}) {
        HDC dc = ::GetDC(label->Handle());
        HGDIOBJ old = ::SelectObject(dc, label->Font() ? label->Font() : ::GetStockObject(DEFAULT_GUI_FONT));
        const std::string caption = label->Caption();
        SIZE extent {};
        ::GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(label->Handle(), dc);
        RECT client;
        ::GetClientRect(label->Handle(), &client);
        EXPECT_LE(extent.cx, client.right) << caption;
    }
}

TEST_F(AboutBoxTest, DoubleClicksCopyTheLabelsAndSingleClicksDoNot)
{
    SetClipboardText("before");
    Click(box->ProductName->Handle());
    Click(box->Version->Handle());
    EXPECT_EQ(ClipboardText(), "before");

    DoubleClick(box->ProductName->Handle());
    EXPECT_EQ(ClipboardText(), "博闲托盘区开始菜单2.1");
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT));

    DoubleClick(box->Version->Handle());
    EXPECT_EQ(ClipboardText(), "作者：青禾居士（江南水乡）");

    // The copy takes the caption as it stands now.
    box->ProductName->SetCaption("改过的标题");
    DoubleClick(box->ProductName->Handle());
    EXPECT_EQ(ClipboardText(), "改过的标题");
    EXPECT_TRUE(os.calls.empty());
}

TEST_F(AboutBoxTest, TheMailLineCopiesTheBareAddressAndADoubleClickAlsoWritesAMail)
{
    SetClipboardText("before");
    Click(box->Comments->Handle());
    EXPECT_EQ(ClipboardText(), kMail);
    EXPECT_TRUE(os.calls.empty());

    SetClipboardText("before");
    DoubleClick(box->Comments->Handle());
    EXPECT_EQ(ClipboardText(), kMail);
    ASSERT_EQ(os.calls.size(), 1u);
    EXPECT_EQ(os.calls[0].what, "ShellExecute");
    EXPECT_EQ(os.calls[0].text, std::string("mailto:") + kMail);
    EXPECT_EQ(os.calls[0].detail, "open|");
    EXPECT_EQ(os.calls[0].number, SW_SHOWNORMAL);

    os.calls.clear();
    Click(box->Label1->Handle());
    ASSERT_EQ(os.calls.size(), 1u);
    EXPECT_EQ(os.calls[0].text, "https://www.qinghegongfang.example/");
    EXPECT_EQ(os.calls[0].number, SW_SHOWNORMAL);
}

TEST_F(AboutBoxTest, AClipboardHeldElsewhereGivesTheErrorBoxAndKeepsItsContent)
{
    SetClipboardText("held");
    std::atomic<bool> tried {false}, opened {false}, release {false};
    std::thread holder([&] {
        HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        opened = ::OpenClipboard(window) != FALSE;
        tried = true;
        while (!release)
            ::Sleep(5);
        ::CloseClipboard();
        ::DestroyWindow(window);
    });
    while (!tried)
        ::Sleep(5);
    ASSERT_TRUE(opened) << "the other thread could not take the clipboard";
    DoubleClick(box->ProductName->Handle());
    release = true;
    holder.join();

    ASSERT_EQ(os.calls.size(), 1u);
    EXPECT_EQ(os.calls[0].what, "MessageBox");
    EXPECT_EQ(os.calls[0].text, "Cannot open clipboard.");
    EXPECT_EQ(os.calls[0].detail, kApplicationTitle);
    EXPECT_EQ(os.calls[0].number, static_cast<long>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(ClipboardText(), "held");
}

TEST_F(AboutBoxTest, OkHidesTheBoxAndAboutShowsTheSameWindowAgain)
{
    const HWND window = box->Handle();
    form->N17Click(nullptr);
    ASSERT_TRUE(::IsWindowVisible(window));
    ::SendMessageA(box->OKButton->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_TRUE(::IsWindow(window));

    form->N17Click(nullptr);
    EXPECT_EQ(AboutBox->Handle(), window);
    EXPECT_TRUE(::IsWindowVisible(window));
    // Not modal: the main window still takes input.
    EXPECT_TRUE(::IsWindowEnabled(form->Handle()));

    // Enter on the default button closes it too, and so does the close box.
    ::SendMessageA(box->OKButton->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(::IsWindowVisible(window));
    form->N17Click(nullptr);
    ::SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_TRUE(::IsWindow(window));
}

TEST_F(AboutBoxTest, ThePictureIsTheDecodedJpegShrunkOntoTheBox)
{
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(IDR_ABOUTPICTURE), RT_RCDATA);
    ASSERT_NE(resource, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(::LockResource(::LoadResource(module, resource)));
    RgbImage source;
    ASSERT_TRUE(DecodeJpeg(bytes, ::SizeofResource(module, resource), source));
    ASSERT_EQ(source.width, 144);
    ASSERT_EQ(source.height, 90);

    // The bitmap holds exactly the decoded pixels.
    HBITMAP bitmap = box->ProgramIcon->Bitmap();
    ASSERT_NE(bitmap, nullptr);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 144;
    info.bmiHeader.biHeight = -90;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned char> bits(144 * 90 * 4);
    HDC screen = ::GetDC(nullptr);
    ASSERT_EQ(::GetDIBits(screen, bitmap, 0, 90, bits.data(), &info, DIB_RGB_COLORS), 90);
    ::ReleaseDC(nullptr, screen);
    for (const POINT p : {POINT {0, 0}, POINT {20, 10}, POINT {112, 22}, POINT {70, 50}, POINT {143, 89}}) {
        const unsigned char* want = source.pixels.data() + (p.y * 144 + p.x) * 3;
        const unsigned char* got = bits.data() + (p.y * 144 + p.x) * 4;
        EXPECT_EQ(got[2], want[0]) << p.x << "," << p.y;
        EXPECT_EQ(got[1], want[1]) << p.x << "," << p.y;
        EXPECT_EQ(got[0], want[2]) << p.x << "," << p.y;
    }

    // On screen it is shrunk to 65 x 57: the middles of the flat areas keep
    // their colours.
    form->N17Click(nullptr);
    ::UpdateWindow(box->Handle());
    ::RedrawWindow(box->ProgramIcon->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    harness::PumpFor(200);
    HDC dc = ::GetDC(box->ProgramIcon->Handle());
    const int w = ScaleForDpi(65), h = ScaleForDpi(57);
    for (const POINT p : {POINT {20, 10}, POINT {112, 22}, POINT {70, 50}, POINT {81, 84}}) {
        const COLORREF shown = ::GetPixel(dc, p.x * w / 144, p.y * h / 90);
        const unsigned char* want = source.pixels.data() + (p.y * 144 + p.x) * 3;
        EXPECT_NEAR(GetRValue(shown), want[0], 24) << p.x << "," << p.y;
        EXPECT_NEAR(GetGValue(shown), want[1], 24) << p.x << "," << p.y;
        EXPECT_NEAR(GetBValue(shown), want[2], 24) << p.x << "," << p.y;
    }
    ::ReleaseDC(box->ProgramIcon->Handle(), dc);
}

TEST(AboutPicture, APictureThatDoesNotDecodeLeavesNoBitmap)
{
    EXPECT_EQ(LoadJpegResource(::GetModuleHandleA(nullptr), 9999), nullptr);
    const std::string notJpeg = "\xFF\xD8\xFF\xE0 truncated";
    EXPECT_EQ(BitmapFromJpeg(notJpeg.data(), notJpeg.size()), nullptr);
    // And a picture control without one still paints (the button face).
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    {
        Picture empty(parent, 0, 0, 65, 57);
        empty.SetBitmap(BitmapFromJpeg(notJpeg.data(), notJpeg.size()));
        EXPECT_EQ(empty.Bitmap(), nullptr);
        ::UpdateWindow(empty.Handle());
    }
    ::DestroyWindow(parent);
}

} // namespace
