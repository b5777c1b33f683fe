// The shell's automation object ("Shell.Application") as the main window's
// component, and the error raised when an automation call fails.
#pragma once
#include "framework/errors.h"
#include "framework/scoped.h"

#include <windows.h>

#include <objbase.h>

#include <string>

struct IShellDispatch;

// Class id of the shell's automation object.
extern const CLSID kShellApplicationClassId;

// A failed automation call: the system's text for the result code, or the
// description the object gave.
class OleError : public Exception {
public:
    explicit OleError(HRESULT code, const std::string& description = std::string());
    HRESULT Code() const { return code_; }

private:
    HRESULT code_;
};

// Connects on first use, not at creation: to a running instance of the class
// if there is one, else to a new one. The interface is then kept until the
// component goes away.
class TShell {
public:
    explicit TShell(const CLSID& classId = kShellApplicationClassId);
    ~TShell();
    TShell(const TShell&) = delete;
    TShell& operator=(const TShell&) = delete;

    // Connects when not yet connected; raises OleError when that fails.
    IShellDispatch* DefaultInterface();
    bool Connected() const { return static_cast<bool>(dispatch_); }

private:
    CLSID classId_;
    ComPtr<IShellDispatch> dispatch_;
};
