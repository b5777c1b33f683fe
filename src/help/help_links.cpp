#include "help/help_links.h"

#include "framework/application.h"
#include "framework/files.h"
#include "framework/os.h"
#include "help/help_catalog.h"

namespace {
const char kOpenVerb[] = "open";
const char kNoFeedbackFolder[] = "文件夹 青禾工坊_用户反馈表不存在，请手工启动";
const char kErrorCaption[] = "出错";
const char kInvitation[] = "欢迎给我来信，我一定回复您，请指出问题。万分感谢！";
const char kInvitationCaption[] = "欢迎给我来信";
} // namespace

bool HelpLinks::Open(const std::string& item, const std::string& programDir) const
{
    const HelpEntry* entry = FindHelpEntry(item);
    if (!entry)
        return false;
    if (entry->action == HelpAction::HelpText)
        OpenDocument(HelpTextPath(programDir, entry->target));
    else
        OpenWebPage(entry->target);
    return true;
}

void HelpLinks::OpenDocument(const std::string& path) const
{
    if (FileExists(path))
        Os().ShellExecuteFile(owner_, kOpenVerb, path, "", SW_SHOWMAXIMIZED);
    else
        Application::Instance().ShowMessage(MissingFileMessage(path));
}

void HelpLinks::OpenWebPage(const std::string& address) const
{
    Os().ShellExecuteFile(owner_, kOpenVerb, address, "", SW_SHOWNORMAL);
}

void HelpLinks::StartFeedbackTool(const std::string& programDir) const
{
    if (!::SetCurrentDirectoryA(FeedbackToolFolder(programDir).c_str())) {
        Application::Instance().ShowMessageBox(kNoFeedbackFolder, kErrorCaption, MB_OK);
        return;
    }
    const std::string tool = FeedbackToolPath(programDir);
    if (FileExists(tool))
        Os().ShellExecuteFile(owner_, kOpenVerb, tool, "", SW_SHOWNORMAL);
    else
        Application::Instance().ShowMessage(MissingFileMessage(tool));
    ::SetCurrentDirectoryA(programDir.c_str());
}

void HelpLinks::ShowInvitation() const
{
    Application::Instance().ShowMessageBox(kInvitation, kInvitationCaption, MB_OK);
}
