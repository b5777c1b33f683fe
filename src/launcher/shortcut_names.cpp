#include "launcher/shortcut_names.h"

#include <cstring>

std::size_t FindLastCharOf(const std::string& text, const char* chars, LeadBytePredicate isLead)
{
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (isLead(byte) && i + 1 < text.size()) {
            ++i; // the trail byte belongs to this character, whatever its value
            continue;
        }
        if (byte != 0 && std::strchr(chars, byte))
            found = i;
    }
    return found;
}

bool EndsWithBackslash(const std::string& path, LeadBytePredicate isLead)
{
    return !path.empty() && FindLastCharOf(path, "\\", isLead) == path.size() - 1;
}

std::string ShortcutCaption(const std::string& fileName, LeadBytePredicate isLead)
{
    const std::size_t dot = FindLastCharOf(fileName, ".", isLead);
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string FolderCaption(const std::string& path, LeadBytePredicate isLead)
{
    const std::size_t cut = FindLastCharOf(path, "\\:", isLead);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool StartsNewColumn(int itemCount)
{
    // Every entry is followed by a separator, so this is the entry's place
    // among the entries of its menu.
    const int entry = (itemCount + 1) / 2;
    if (entry <= 0)
        return false;
    int rest = entry % 22;
    if (entry > 22)
        rest = (entry + entry / 22) % 22;
    return rest == 0;
}
