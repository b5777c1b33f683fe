#include "launcher/shortcut_launch.h"

#include "framework/application.h"
#include "framework/folder_window.h"
#include "framework/os.h"
#include "framework/wow64_redirection.h"
#include "launcher/shell_link.h"

namespace {
const char kOpen[] = "open";
const char kRunAs[] = "runas";
const char kTargetMissing[] = "快捷方式的目标不存在  ";
const char kShortcutLabel[] = "快捷方式  ";

// Leaves the shortcut's own settings out: the shell opens `file` as it is.
ShellStart PlainOpen(HWND owner, const std::string& file)
{
    ShellStart start;
    start.owner = owner;
    start.verb = kOpen;
    start.file = file;
    return start;
}
} // namespace

ShortcutStart ChooseShortcutStart(bool loaded, bool advertised, bool hasPath, bool hasItems, bool targetExists)
{
    if (!loaded)
        return ShortcutStart::Unresolvable;
    // An advertised shortcut's path is only its icon; the installer's part of
    // the shell finds (or installs) the real program.
    if (advertised)
        return ShortcutStart::ShortcutItself;
    if (hasPath)
        return targetExists ? ShortcutStart::File : ShortcutStart::TargetMissing;
    return hasItems ? ShortcutStart::Item : ShortcutStart::Unresolvable;
}

std::string TargetMissingMessage(const std::string& shortcut, const std::string& target)
{
    return kTargetMissing + target + "\r\n" + kShortcutLabel + shortcut;
}

void StartShortcut(HWND owner, const std::string& shortcut)
{
    const ShortcutContents link = ReadShortcut(shortcut);
    ShellStart start;
    start.owner = owner;
    start.verb = link.runAsAdministrator ? kRunAs : kOpen;
    start.parameters = link.arguments;
    start.directory = link.directory;
    start.show = link.show;
    ShortcutStart kind;
    {
        // A 32-bit program on 64-bit Windows starts what the 64-bit Explorer
        // would: the real System32, for the target and the start-in folder.
        FileSystemRedirectionOff redirectionOff;
        const bool exists = !link.path.empty() && ::GetFileAttributesA(link.path.c_str()) != INVALID_FILE_ATTRIBUTES;
        kind = ChooseShortcutStart(link.loaded, link.advertised, !link.path.empty(), link.items.Valid(), exists);
        switch (kind) {
        case ShortcutStart::File:
            start.file = link.path;
            break;
        case ShortcutStart::Item:
            start.items = link.items.Get();
            // Wine's shell opens nothing for an item with no path; its
            // explorer at least shows the item in its parent folder.
            if (Os().RunsUnderWine() && !link.itemsName.empty()) {
                start.items = nullptr;
                start.file = ExplorerProgram();
                start.parameters = WineSelectItemParameters(link.itemsName);
            }
            break;
        case ShortcutStart::ShortcutItself:
            start = PlainOpen(owner, shortcut);
            break;
        case ShortcutStart::Unresolvable:
            start = PlainOpen(owner, kUnresolvedLink);
            break;
        case ShortcutStart::TargetMissing:
            break;
        }
        if (kind != ShortcutStart::TargetMissing)
            Os().StartThroughShell(start);
    }
    // Outside the scope: the message box loads the system's own libraries.
    if (kind == ShortcutStart::TargetMissing)
        Application::Instance().ShowMessage(TargetMissingMessage(shortcut, link.path));
}
