// The letters a Chinese user types for a character: its pinyin initials, so
// that "记事本" is found by j and "画图" by h.
#pragma once
#include <cstddef>
#include <cstdint>

// A set of letters, bit 0 for a up to bit 25 for z.
using LetterSet = std::uint32_t;

// The letter set of a key: its own bit for a-z and A-Z, empty for any other.
LetterSet LetterOf(char key);

// The letters the first character of `text` (code page 936) is typed with: an
// ASCII letter itself, either case; a Chinese character the first letter of
// each of its Mandarin readings. Empty for anything else, and for a lead
// byte whose trail byte is missing.
LetterSet TypingInitials(const char* text, std::size_t length);
