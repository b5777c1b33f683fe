#include "framework/errors.h"

#include "framework/error_text.h"

std::string SystemErrorMessage(DWORD code)
{
    char* buffer = nullptr;
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
            | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text(buffer ? buffer : "", length);
    if (buffer)
        ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

SystemError::SystemError(DWORD code)
    : Exception(SystemErrorText(code, code ? SystemErrorMessage(code) : std::string()))
    , code_(code)
{
}

namespace {
// The classic runtime's own texts for its file errors; other codes are OS codes.
std::string InOutErrorText(int code)
{
    switch (code) {
    case 100:
        return "Disk read error";
    case 101:
        return "Disk write error";
    case 102:
        return "File not assigned";
    case 103:
        return "File not open";
    case 104:
        return "File not open for input";
    case 105:
        return "File not open for output";
    case 106:
        return "Invalid numeric input";
    default:
        return SystemErrorMessage(static_cast<DWORD>(code));
    }
}
} // namespace

InOutError::InOutError(int code)
    : Exception(InOutErrorText(code))
    , code_(code)
{
}

void RaiseLastOsError() { throw SystemError(::GetLastError()); }

void RaiseLastFileError()
{
    const DWORD code = ::GetLastError();
    throw InOutError(code ? static_cast<int>(code) : 101);
}
