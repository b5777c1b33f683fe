#include "launcher/tree_type_ahead.h"

#include "launcher/type_ahead.h"

#include <vector>

namespace {
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
    return true;
}
