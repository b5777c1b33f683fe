// Menu items and the two kinds of menu (menu bar, popup) over real HMENUs.
//
// Items carry no command identifiers: every menu uses MNS_NOTIFYBYPOS, so a
// choice arrives as (menu handle, position) and the item is found through its
// item data. Run-time trees of tens of thousands of items therefore never run
// out of identifiers. Captions are shown exactly as written ("&" is literal).
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class ImageList;
class Menu;
class MenuPainter;

enum class MenuBreak { None, Break, BarBreak };

class MenuItem {
public:
    using ClickHandler = std::function<void(MenuItem* sender)>;

    explicit MenuItem(std::string name = {}, std::string caption = {}, int imageIndex = -1);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    MenuBreak Break() const { return break_; }
    void SetBreak(MenuBreak kind);
    // An option item flips its own check mark before its handler runs.
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool on) { autoCheck_ = on; }
    bool IsSeparator() const { return caption_ == "-"; }

    ClickHandler OnClick;
    // Runs the item's action as a menu choice does.
    void Click();

    MenuItem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    MenuItem* Item(int index) const { return children_[static_cast<size_t>(index)].get(); }
    int IndexOf(const MenuItem* child) const;
    // Appends a child and returns it.
    MenuItem* Add(std::unique_ptr<MenuItem> child);
    MenuItem* Add(
        const std::string& name, const std::string& caption, int imageIndex = -1, ClickHandler onClick = nullptr);
    MenuItem* AddSeparator(const std::string& name = {});
    // Frees every child (and their descendants).
    void Clear();
    // Depth-first search by name, this item included.
    MenuItem* Find(const std::string& name);

    // The submenu handle of an item with children (null while it has none).
    HMENU Handle() const { return handle_; }
    Menu* OwnerMenu() const;

    // Whether `item` is a live item (not yet freed); menu notifications are posted.
    static bool IsLive(const MenuItem* item);
    // The item at `position` of the real menu `menu`, or null.
    static MenuItem* FromMenuPosition(HMENU menu, int position);

private:
    friend class Menu;
    friend void SetMenuPainter(MenuPainter* painter);
    friend void RemeasureMenus();
    void AttachTo(MenuItem* parent);
    void FreeChildren();
    void ForgetRealMenus();
    void DestroySubmenu();
    HMENU EnsureSubmenu();
    int MenuPosition() const;
    void InsertIntoParent();
    void RemoveFromParent();
    void UpdateInParent();
    void FillInfo(MENUITEMINFOA& info, std::string& text) const;
    void Changed() const;

    std::string name_;
    std::string caption_;
    int imageIndex_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool autoCheck_ = false;
    MenuBreak break_ = MenuBreak::None;
    MenuItem* parent_ = nullptr;
    Menu* menu_ = nullptr; // set on root items only
    HMENU handle_ = nullptr;
    bool inMenu_ = false; // present in the parent's HMENU
    std::vector<std::unique_ptr<MenuItem>> children_;
};

class Menu {
public:
    virtual ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    MenuItem& Items() { return root_; }
    HMENU Handle() const { return root_.handle_; }
    ImageList* Images() const { return images_; }
    void SetImages(ImageList* images) { images_ = images; }
    MenuItem* Find(const std::string& name) { return root_.Find(name); }
    // A free number for whoever draws the menu (a skin leaves tag 99 alone).
    int Tag = 0;

protected:
    explicit Menu(HMENU handle);
    friend class MenuItem;
    virtual void Changed() { }

private:
    MenuItem root_;
    ImageList* images_ = nullptr;
};

class MainMenu : public Menu {
public:
    MainMenu();
    // Taken off its window first: a window must never keep a destroyed menu.
    ~MainMenu() override;
    // The window whose menu bar this is; it is redrawn after changes.
    void SetWindow(HWND window) { window_ = window; }
    HWND Window() const { return window_; }

protected:
    void Changed() override;

private:
    HWND window_ = nullptr;
};

class PopupMenu : public Menu {
public:
    PopupMenu();
    ~PopupMenu() override;
    // Whoever keeps a reference to the menu is told when it is freed; the id
    // serves RemoveFreeNotification.
    int AddFreeNotification(std::function<void()> notify);
    void RemoveFreeNotification(int id);
    std::function<void(PopupMenu* sender)> OnPopup;
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool on) { autoPopup_ = on; }
    // Raises OnPopup, then shows the menu with its top-left corner at (x, y);
    // either mouse button chooses. `owner` receives the menu's notifications
    // (the application's popup owner). Returns when the menu has closed.
    bool Popup(int x, int y, HWND owner);

private:
    bool autoPopup_ = true;
    struct FreeNotification {
        int id;
        std::function<void()> notify;
    };
    std::vector<FreeNotification> freeNotifications_;
    int nextNotificationId_ = 1;
};

// Whoever draws whole menu items in place of the system (a skin). While one
// is installed, the items of the menus it paints are owner-drawn; their
// captions stay in the real menus, so everything that reads them still can.
class MenuPainter {
public:
    virtual ~MenuPainter() = default;
    virtual bool Paints(const Menu& menu) const = 0;
    // `inBar`: a top-level item of a menu bar.
    virtual void Measure(const MenuItem& item, bool inBar, MEASUREITEMSTRUCT& measure) = 0;
    virtual void Draw(const MenuItem& item, bool inBar, const DRAWITEMSTRUCT& draw) = 0;
};
// Installs (or, with null, removes) the painter and describes every existing
// item again, so menus built before it change too.
void SetMenuPainter(MenuPainter* painter);
MenuPainter* CurrentMenuPainter();
// Describes every existing item again, which makes the system measure the
// items afresh (their glyphs or fonts changed size).
void RemeasureMenus();

// Menu messages for any window that owns a menu bar or pops up a menu:
// WM_MENUCOMMAND runs the chosen item, WM_MEASUREITEM / WM_DRAWITEM draw the
// glyphs from the menu's image list. True when the message was handled.
bool HandleMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
