// The help and links menus' actions: documents in the help folder, fixed web
// pages, the maker's feedback tool and the invitation to write. Every launch
// and message goes through the OS interface.
#pragma once
#include <windows.h>

#include <string>

class HelpLinks {
public:
    // `owner` is the window the shell launches belong to (the main window).
    explicit HelpLinks(HWND owner)
        : owner_(owner)
    {
    }

    // Opens what the table holds for menu item `item` (a document below
    // `programDir`, or a web page). False for an item the table does not know.
    bool Open(const std::string& item, const std::string& programDir) const;
    // A document: opened maximised if it is there, otherwise "文件不存在  " + path.
    void OpenDocument(const std::string& path) const;
    void OpenWebPage(const std::string& address) const;
    // Starts the feedback tool from its own folder, so it inherits that folder
    // as its working directory; the current directory is `programDir` again
    // afterwards, and untouched when the folder cannot be entered.
    void StartFeedbackTool(const std::string& programDir) const;
    void ShowInvitation() const;

private:
    HWND owner_;
};
