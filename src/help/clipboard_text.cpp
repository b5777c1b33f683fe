#include "help/clipboard_text.h"

#include <cstring>
#include <stdexcept>

namespace {
const char kCannotOpenClipboard[] = "Cannot open clipboard";

// Closes the clipboard on every way out.
struct OpenClipboardScope {
    ~OpenClipboardScope() { ::CloseClipboard(); }
};
} // namespace

void CopyTextToClipboard(HWND owner, const std::string& text)
{
    if (!::OpenClipboard(owner))
        throw std::runtime_error(kCannotOpenClipboard);
    OpenClipboardScope scope;
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!block)
        return;
    void* bytes = ::GlobalLock(block);
    if (!bytes) {
        ::GlobalFree(block);
        return;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    // Once the clipboard accepts the block it owns it.
    if (!::SetClipboardData(CF_TEXT, block))
        ::GlobalFree(block);
}
