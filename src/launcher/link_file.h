// The fixed parts of a shortcut file that some shells' link objects do not
// hand out (Wine's reads neither the show command nor the run-as flag, nor a
// path kept with environment variables): read from the file's own bytes, as
// the shell of Windows reads them.
#pragma once
#include <cstdint>
#include <string>

// Flags of the shortcut header that starting a shortcut depends on.
constexpr std::uint32_t kLinkHasExpandablePath = 0x200;
constexpr std::uint32_t kLinkAdvertised = 0x1000;
constexpr std::uint32_t kLinkRunAsAdministrator = 0x2000;

struct LinkFileFacts {
    bool valid = false; // a shortcut header, and blocks that fit the file
    std::uint32_t flags = 0;
    int show = 1;
    // The target as written with environment variables ("%SystemRoot%\..."),
    // when the file keeps one; not expanded.
    std::string expandablePath;
};

// Reads `bytes`, a whole shortcut file. Anything malformed gives valid=false.
LinkFileFacts ReadLinkFile(const std::string& bytes);

// `bytes` with the path `expandable` (plain ASCII) kept beside the
// target, as Windows' own shortcuts keep "%SystemRoot%\..."; empty when the
// file is no shortcut this can extend.
std::string WithExpandablePath(const std::string& bytes, const std::string& expandable);
