#pragma once

#include <string>

// Message of a failed system call when the system reports no error code.
constexpr char kUnknownOsErrorText[] = "A call to an OS function failed";

// The text the standard error box shows for an exception message: "." is
// appended unless the message is empty or its last character (GBK aware)
// sorts at or below '.'.
std::string ErrorBoxText(const std::string& message);

// Message of the system-error exception: "System Error.  Code: %d.\r\n%s"
// with the code and the system's text for it, or kUnknownOsErrorText when
// the code is 0. osText comes from the Windows layer.
std::string SystemErrorText(unsigned code, const std::string& osText);
