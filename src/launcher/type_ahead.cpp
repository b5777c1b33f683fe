#include "launcher/type_ahead.h"

TypeAheadChoice ChooseTypeAhead(const std::vector<LetterSet>& entries, int selected, char key)
{
    TypeAheadChoice choice;
    const LetterSet letter = LetterOf(key);
    const int count = static_cast<int>(entries.size());
    if (!letter || count == 0)
        return choice;
    int matches = 0;
    for (int i = 0; i < count; ++i) {
        if (entries[static_cast<size_t>(i)] & letter)
            ++matches;
    }
    if (matches == 0)
        return choice;
    const int start = selected >= 0 && selected < count ? selected + 1 : 0;
    for (int step = 0; step < count; ++step) {
        const int i = (start + step) % count;
        if (entries[static_cast<size_t>(i)] & letter) {
            choice.index = i;
            break;
        }
    }
    choice.execute = matches == 1;
    return choice;
}
