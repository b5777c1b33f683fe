// A main window over a real shortcut folder made of real shortcuts, with
// outward calls recorded (and the owner of each shell call kept).
#pragma once
#include "../app/form_fixture.h"

#include "launcher/shell_icons.h"
#include "launcher/shortcut_menus.h"

#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

// Records like OsRecorder and keeps the owner window of each shell call.
class LaunchRecorder : public OsRecorder {
public:
    std::vector<HWND> owners;
    // Runs when a sound is played, to look at the program's state then.
    std::function<void()> onSound;
    // Set to let shell calls really happen after being recorded.
    bool execute = false;

    HINSTANCE ShellExecuteFile(
        HWND owner, const std::string& verb, const std::string& file, const std::string& params, int show) override
    {
        owners.push_back(owner);
        OsRecorder::ShellExecuteFile(owner, verb, file, params, show);
        return execute ? OsInterface::ShellExecuteFile(owner, verb, file, params, show)
                       : reinterpret_cast<HINSTANCE>(33);
    }
    bool StartThroughShell(const ShellStart& start) override
    {
        owners.push_back(start.owner);
        OsRecorder::StartThroughShell(start);
        return !execute || OsInterface::StartThroughShell(start);
    }
    bool PlaySoundAsync(const std::string& waveFile) override
    {
        if (onSound)
            onSound();
        return OsRecorder::PlaySoundAsync(waveFile);
    }
};

class LauncherTest : public FormTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program folder: short, so 200-character names and deep trees stay
    // within MAX_PATH.
    const std::string& Root() const { return root_; }
    std::string Programs() const { return root_ + "\\我的程序"; }
    std::string ProgramsPath(const std::string& relative) const { return Programs() + "\\" + relative; }

    // A real shortcut file at `relative` below the shortcut folder (parent
    // folders created). Fails the test when it cannot be written.
    void MakeShortcut(const std::string& relative, const std::string& target, const std::string& arguments = "",
        const std::string& workingDir = "");
    // The same at a full path.
    void MakeShortcutFile(const std::string& path, const std::string& target, const std::string& arguments = "",
        const std::string& workingDir = "");
    // A copy of the shortcut file `fromRelative` (quicker than making many).
    void CopyShortcut(const std::string& fromRelative, const std::string& toRelative);
    void MakeFolder(const std::string& relative);
    void WriteFile(const std::string& path, const std::string& bytes);

    // The design only, pointed at the short program folder, with IconList
    // taken as start-up takes it.
    TForm1& Prepared();
    // Prepared, then one full build of both trees (the reload command).
    TForm1& Built();

    // Shell icon lookups so far, and icons fetched and not given back.
    long ShellIconLookups() const { return iconCounts_.lookups; }
    long ShellIconsHeld() const { return iconCounts_.held; }

    // The calls recorded by the launcher's recorder.
    std::vector<RecordedCall> Calls(const std::string& what) const { return shell.Of(what); }

    LaunchRecorder shell;

private:
    std::string root_;
    ShellIconCounters iconCounts_;
};

// ---- Looking at trees -------------------------------------------------------

// The tree below `menu` as text: shortcuts by caption, folders as
// "[caption]{...}", separators as "-", a bar break as "|" before the entry.
std::string Shape(const MenuItem* menu);
// The same, with each shortcut's image index after it ("Word#17").
std::string ShapeWithImages(const MenuItem* menu);

// The file names that FindFirstFileA lists for `pattern`, in its order ("."
// and ".." left out); `directoriesOnly` keeps only directories.
std::vector<std::string> Listing(const std::string& pattern, bool directoriesOnly = false);

// The shortcut item with caption `caption` in the tree below `menu`
// (depth first), or null.
MenuItem* FindCaption(MenuItem* menu, const std::string& caption);
// Every shortcut item below `menu`, depth first, in menu order.
std::vector<MenuItem*> ShortcutItems(MenuItem* menu);

// The 16x16 pixels of image `index` of `list`, as drawn on white.
std::vector<COLORREF> ImagePixels(const ImageList& list, int index);

// Makes `link` a symbolic link to the directory `target`: through the system
// where it can, else through the Unix "ln" of the host (Wine). False if neither.
bool MakeDirectoryLink(const std::string& link, const std::string& target);
// Removes such a link (not what it points to).
void RemoveDirectoryLink(const std::string& link);
