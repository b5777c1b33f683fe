// Text rules of the shortcut trees that need no window: captions from file
// and folder names, the column-break rule, and multibyte-aware path splitting.
//
// Paths and captions are ANSI strings. In a double-byte code page such as 936
// (GBK) the second byte of a character may be 0x5C, the byte of "\", so a path
// is never split by looking at single bytes: every scan walks characters.
#pragma once
#include "framework/gbk.h"
#include <cstddef>
#include <string>

// Whether `byte` starts a two-byte character. The program passes the system's
// own test (IsDBCSLeadByte); the default is code page 936.
using LeadBytePredicate = bool (*)(unsigned char byte);

// Byte offset of the last character of `text` that is one of `chars`
// (single-byte characters), or std::string::npos.
std::size_t FindLastCharOf(const std::string& text, const char* chars, LeadBytePredicate isLead = IsGbkLeadByte);

// Whether the last character of `path` is "\" (a trail byte 0x5C is not).
bool EndsWithBackslash(const std::string& path, LeadBytePredicate isLead = IsGbkLeadByte);

// "Word.lnk" -> "Word", "a.b.lnk" -> "a.b": the text before the last ".".
std::string ShortcutCaption(const std::string& fileName, LeadBytePredicate isLead = IsGbkLeadByte);

// The text after the last "\" or ":" of a folder path; empty when the path
// ends in one of them.
std::string FolderCaption(const std::string& path, LeadBytePredicate isLead = IsGbkLeadByte);

// Whether a new entry of a menu that now holds `itemCount` items (the entry
// included, every earlier entry followed by its separator) starts a new
// column with a bar.
bool StartsNewColumn(int itemCount);
