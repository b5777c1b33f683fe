#include "launcher/tree_type_ahead.h"

#include "framework/os.h"
#include "launcher/type_ahead.h"

#include <vector>

namespace {
HWND MenuWindowOf(HMENU menu)
{
    for (HWND window = ::FindWindowExA(nullptr, nullptr, "#32768", nullptr); window;
         window = ::FindWindowExA(nullptr, window, "#32768", nullptr)) {
        if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()
            && reinterpret_cast<HMENU>(::SendMessageA(window, MN_GETHMENU, 0, 0)) == menu)
            return window;
    }
    return nullptr;
}

// Wine (8) answers MNC_SELECT with a beep and moves nothing.
bool MenuSelectIgnored() { return SystemIsWine(); }

// Moves the highlight from `from` (-1: none) to `to` with the Down key, one
// entry at a time (separators skipped), as the user would. Posted messages
// come before typed keys, so a letter typed next sees the new highlight.
void PostMovesTo(HMENU menu, int from, int to, int count)
{
    HWND window = MenuWindowOf(menu);
    if (!window)
        return;
    for (int position = from + 1;; ++position) {
        if (position >= count)
            position = 0;
        if (!(::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR))
            ::PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
        if (position == to)
            break;
    }
}

bool InTree(const MenuItem* folder, const MenuItem* const (&roots)[2])
{
    for (const MenuItem* item = folder; item; item = item->Parent()) {
        if (item == roots[0] || item == roots[1])
            return true;
    }
    return false;
}
} // namespace

bool TreeMenuChar(HMENU menu, char key, const MenuItem* const (&roots)[2], LRESULT& result)
{
    const int count = ::GetMenuItemCount(menu);
    if (count <= 0)
        return false;
    std::vector<LetterSet> entries(static_cast<size_t>(count), 0);
    const MenuItem* folder = nullptr;
    int selected = -1;
    for (int position = 0; position < count; ++position) {
        const MenuItem* item = MenuItem::FromMenuPosition(menu, position);
        if (!item)
            continue;
        folder = item->Parent();
        if (!item->IsSeparator() && item->Enabled())
            entries[static_cast<size_t>(position)] = TypingInitials(item->Caption().data(), item->Caption().size());
        if (::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE)
            selected = position;
    }
    if (!InTree(folder, roots))
        return false;
    const TypeAheadChoice choice = ChooseTypeAhead(entries, selected, key);
    if (choice.index < 0)
        return false;
    result = MAKELRESULT(choice.index, choice.execute ? MNC_EXECUTE : MNC_SELECT);
    if (!choice.execute && MenuSelectIgnored())
        PostMovesTo(menu, selected, choice.index, count);
    return true;
}
