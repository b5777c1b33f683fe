// Exceptions carrying a message, as shown in the application's error box.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

// A failed OS call: "System Error.  Code: %d.\r\n%s", or the plain text when
// the system gave no code.
class SystemError : public Exception {
public:
    explicit SystemError(DWORD code);
    DWORD Code() const { return code_; }

private:
    DWORD code_;
};

// A failed file operation of the classic text-file kind (code 106 = bad number,
// 2 = file not found, ...).
class InOutError : public Exception {
public:
    InOutError(int code, const std::string& message)
        : Exception(message)
        , code_(code)
    {
    }
    explicit InOutError(int code);
    int Code() const { return code_; }

private:
    int code_;
};

// The system's own text for an error code, without the trailing line end.
std::string SystemErrorMessage(DWORD code);

[[noreturn]] void RaiseLastOsError();
// The last OS error as a file error; "Disk write error" (101) when the system
// reported none, so a failure never reads as success.
[[noreturn]] void RaiseLastFileError();
