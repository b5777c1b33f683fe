// Choosing a menu entry by a typed letter: the entries whose caption starts
// with the letter or with a Chinese character read with that initial.
#pragma once
#include "launcher/pinyin_initials.h"

#include <vector>

struct TypeAheadChoice {
    int index = -1; // the entry to select or start; -1 when none matches
    bool execute = false; // the only match: start it (or open it, for a folder)
};

// `entries`: the letter sets of a menu's entries in order (empty for
// separators and entries that cannot be chosen); `selected`: the highlighted
// entry, or -1. Several matches: the first one after the selection, wrapping
// around, so that typing the same letter again moves on.
TypeAheadChoice ChooseTypeAhead(const std::vector<LetterSet>& entries, int selected, char key);
