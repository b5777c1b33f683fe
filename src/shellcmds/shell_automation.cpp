#include "shellcmds/shell_automation.h"

#include <oleauto.h>
#include <shldisp.h>

#include <cstdio>

// {13709620-C279-11CE-A49E-444553540000}
const CLSID kShellApplicationClassId = {0x13709620, 0xC279, 0x11CE, {0xA4, 0x9E, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

namespace {
// {D8F015C0-C278-11CE-A49E-444553540000}
const IID kShellDispatchId = {0xD8F015C0, 0xC278, 0x11CE, {0xA4, 0x9E, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

std::string OleErrorText(HRESULT code)
{
    std::string text = SystemErrorMessage(static_cast<DWORD>(code));
    if (!text.empty())
        return text;
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "OLE error %.8X", static_cast<unsigned>(code));
    return fallback;
}
} // namespace

OleError::OleError(HRESULT code, const std::string& description)
    : Exception(description.empty() ? OleErrorText(code) : description)
    , code_(code)
{
}

TShell::TShell(const CLSID& classId)
    : classId_(classId)
{
}

TShell::~TShell() = default;

IShellDispatch* TShell::DefaultInterface()
{
    if (dispatch_)
        return dispatch_.Get();
    ComPtr<IUnknown> object;
    if (FAILED(::GetActiveObject(classId_, nullptr, object.Put()))) {
        const HRESULT created = ::CoCreateInstance(
            classId_, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown, object.PutVoid());
        if (FAILED(created))
            throw OleError(created);
    }
    const HRESULT queried = object->QueryInterface(kShellDispatchId, dispatch_.PutVoid());
    if (FAILED(queried))
        throw OleError(queried);
    return dispatch_.Get();
}
