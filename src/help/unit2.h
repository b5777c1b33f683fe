// The about box: the program's name and version, its author, his web and
// mail addresses and a picture. Created once at start-up and kept for the
// whole run; the help menu's "关于" only shows it. Its labels double as tools:
// double clicks copy, a click on the mail line copies the bare address, a
// double click there writes a mail, a click on the web line opens the site.
#pragma once
#include "framework/controls.h"
#include "framework/form.h"

#include <memory>
#include <string>

class TAboutBox : public Form {
public:
    TAboutBox();
    ~TAboutBox() override;

    std::unique_ptr<Panel> Panel1;
    std::unique_ptr<Picture> ProgramIcon;
    std::unique_ptr<Label> ProductName;
    std::unique_ptr<Label> Version;
    std::unique_ptr<Label> Label1;
    std::unique_ptr<Label> Comments;
    std::unique_ptr<PushButton> OKButton;

    void ProductNameDblClick();
    void VersionDblClick();
    void CommentsClick();
    void CommentsDblClick();
    void Label1Click();
    void OKButtonClick();

    // Makes the box visible without making it modal and brings it to the front.
    void ShowInFront();

protected:
    void DoShow() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

extern TAboutBox* AboutBox;
