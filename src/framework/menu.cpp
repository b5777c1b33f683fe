#include "framework/menu.h"

#include "framework/image_list.h"
#include "framework/menu_loop.h"

#include <algorithm>
#include <unordered_set>

namespace {
std::unordered_set<const MenuItem*>& LiveItems()
{
    static std::unordered_set<const MenuItem*> items;
    return items;
}

MenuPainter* g_painter = nullptr;

MenuPainter* PainterFor(const MenuItem& item)
{
    if (!g_painter)
        return nullptr;
    const Menu* menu = item.OwnerMenu();
    return menu && g_painter->Paints(*menu) ? g_painter : nullptr;
}

bool IsBarItem(const MenuItem& item)
{
    const MenuItem* parent = item.Parent();
    return parent && !parent->Parent() && dynamic_cast<const MainMenu*>(item.OwnerMenu()) != nullptr;
}

HMENU NewMenu(bool bar)
{
    HMENU menu = bar ? ::CreateMenu() : ::CreatePopupMenu();
    MENUINFO info {};
    info.cbSize = sizeof info;
    info.fMask = MIM_STYLE;
    info.dwStyle = MNS_NOTIFYBYPOS;
    ::SetMenuInfo(menu, &info);
    return menu;
}

// Menus treat "&" as a mnemonic marker; doubling it shows the caption as written.
std::string MenuText(const std::string& caption)
{
    std::string text;
    text.reserve(caption.size() + 2);
    for (char c : caption) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}
} // namespace

MenuItem::MenuItem(std::string name, std::string caption, int imageIndex)
    : name_(std::move(name))
    , caption_(std::move(caption))
    , imageIndex_(imageIndex)
{
    LiveItems().insert(this);
}

MenuItem::~MenuItem()
{
    LiveItems().erase(this);
    if (parent_)
        RemoveFromParent();
    if (handle_ && !menu_)
        DestroySubmenu();
    else
        FreeChildren();
}

void MenuItem::ForgetRealMenus()
{
    for (auto& child : children_) {
        child->inMenu_ = false;
        child->handle_ = nullptr;
        child->ForgetRealMenus();
    }
}

void MenuItem::DestroySubmenu()
{
    // One DestroyMenu takes the whole real subtree with it, which is far
    // cheaper than taking the items out one by one; the items only forget it.
    HMENU old = handle_;
    ForgetRealMenus();
    handle_ = nullptr;
    children_.clear();
    ::DestroyMenu(old);
}

void MenuItem::FreeChildren()
{
    // Last first, each taken out of the real menu while still listed: the
    // removal is then always at the menu's end, and no submenu is destroyed
    // twice (DestroyMenu would take attached submenus with it).
    while (!children_.empty()) {
        children_.back()->RemoveFromParent();
        children_.pop_back();
    }
}

bool MenuItem::IsLive(const MenuItem* item) { return item && LiveItems().count(item) != 0; }

MenuItem* MenuItem::FromMenuPosition(HMENU menu, int position)
{
    MENUITEMINFOA info {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info))
        return nullptr;
    auto* item = reinterpret_cast<MenuItem*>(info.dwItemData);
    return IsLive(item) ? item : nullptr;
}

Menu* MenuItem::OwnerMenu() const
{
    const MenuItem* item = this;
    while (item->parent_)
        item = item->parent_;
    return item->menu_;
}

void MenuItem::SetCaption(const std::string& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    UpdateInParent();
}

void MenuItem::SetChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    UpdateInParent();
}

void MenuItem::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    UpdateInParent();
}

void MenuItem::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    if (!parent_)
        return;
    if (visible_)
        InsertIntoParent();
    else
        RemoveFromParent();
    Changed();
}

void MenuItem::SetImageIndex(int index)
{
    if (index == imageIndex_)
        return;
    // The glyph is drawn from the index whenever the item is painted: the
    // real menu only needs to hear when a glyph comes or goes.
    const bool glyphComesOrGoes = (index >= 0) != (imageIndex_ >= 0);
    imageIndex_ = index;
    if (glyphComesOrGoes)
        UpdateInParent();
    else
        Changed();
}

void MenuItem::SetBreak(MenuBreak kind)
{
    if (kind == break_)
        return;
    break_ = kind;
    UpdateInParent();
}

void MenuItem::Click()
{
    if (autoCheck_)
        SetChecked(!checked_);
    if (OnClick)
        OnClick(this);
}

int MenuItem::IndexOf(const MenuItem* child) const
{
    for (size_t i = 0; i < children_.size(); ++i)
        if (children_[i].get() == child)
            return static_cast<int>(i);
    return -1;
}

MenuItem* MenuItem::Add(std::unique_ptr<MenuItem> child)
{
    MenuItem* raw = child.get();
    children_.push_back(std::move(child));
    raw->AttachTo(this);
    return raw;
}

MenuItem* MenuItem::Add(const std::string& name, const std::string& caption, int imageIndex, ClickHandler onClick)
{
    auto item = std::make_unique<MenuItem>(name, caption, imageIndex);
    item->OnClick = std::move(onClick);
    return Add(std::move(item));
}

MenuItem* MenuItem::AddSeparator(const std::string& name) { return Add(name, "-"); }

void MenuItem::Clear()
{
    if (handle_ && !menu_) {
        // An item without children is a plain item again, as before its first child.
        HMENU old = handle_;
        handle_ = nullptr;
        UpdateInParent();
        handle_ = old;
        DestroySubmenu();
    } else {
        FreeChildren();
    }
    Changed();
}

MenuItem* MenuItem::Find(const std::string& name)
{
    if (name_ == name)
        return this;
    for (auto& child : children_)
        if (MenuItem* found = child->Find(name))
            return found;
    return nullptr;
}

void MenuItem::AttachTo(MenuItem* parent)
{
    parent_ = parent;
    parent->EnsureSubmenu();
    if (visible_)
        InsertIntoParent();
    Changed();
}

HMENU MenuItem::EnsureSubmenu()
{
    if (!handle_) {
        handle_ = NewMenu(false);
        UpdateInParent();
    }
    return handle_;
}

int MenuItem::MenuPosition() const
{
    if (!parent_)
        return -1;
    const auto& siblings = parent_->children_;
    // Appending is by far the most common case: no scan for the last child.
    if (!siblings.empty() && siblings.back().get() == this && inMenu_)
        return ::GetMenuItemCount(parent_->handle_) - 1;
    int position = 0;
    for (const auto& sibling : siblings) {
        if (sibling.get() == this)
            return position;
        if (sibling->inMenu_)
            ++position;
    }
    return -1;
}

void MenuItem::FillInfo(MENUITEMINFOA& info, std::string& text) const
{
    info = MENUITEMINFOA {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU | MIIM_BITMAP | MIIM_ID;
    info.fType = 0;
    if (break_ == MenuBreak::BarBreak)
        info.fType |= MFT_MENUBARBREAK;
    else if (break_ == MenuBreak::Break)
        info.fType |= MFT_MENUBREAK;
    if (IsSeparator()) {
        info.fType |= MFT_SEPARATOR;
    } else {
        text = MenuText(caption_);
        info.fMask |= MIIM_STRING;
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
    }
    info.fState = (checked_ ? MFS_CHECKED : MFS_UNCHECKED) | (enabled_ ? MFS_ENABLED : MFS_DISABLED);
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    info.hSubMenu = handle_;
    info.wID = 0;
    info.hbmpItem = (imageIndex_ >= 0 && !IsSeparator()) ? HBMMENU_CALLBACK : nullptr;
    if (PainterFor(*this)) {
        // The painter draws the glyph with the rest of the item.
        info.fType |= MFT_OWNERDRAW;
        info.hbmpItem = nullptr;
    }
}

void SetMenuPainter(MenuPainter* painter)
{
    g_painter = painter;
    RemeasureMenus();
}

void RemeasureMenus()
{
    std::vector<MenuItem*> items;
    items.reserve(LiveItems().size());
    for (const MenuItem* item : LiveItems())
        items.push_back(const_cast<MenuItem*>(item));
    for (MenuItem* item : items)
        item->UpdateInParent();
}

MenuPainter* CurrentMenuPainter() { return g_painter; }

void MenuItem::InsertIntoParent()
{
    if (inMenu_ || !parent_ || !parent_->handle_)
        return;
    // Position among the siblings that are shown, counted before marking this one.
    int position = 0;
    const auto& siblings = parent_->children_;
    if (!siblings.empty() && siblings.back().get() == this) {
        position = ::GetMenuItemCount(parent_->handle_);
    } else {
        for (const auto& sibling : siblings) {
            if (sibling.get() == this)
                break;
            if (sibling->inMenu_)
                ++position;
        }
    }
    MENUITEMINFOA info;
    std::string text;
    FillInfo(info, text);
    if (::InsertMenuItemA(parent_->handle_, static_cast<UINT>(position), TRUE, &info))
        inMenu_ = true;
}

void MenuItem::RemoveFromParent()
{
    if (!inMenu_ || !parent_ || !parent_->handle_)
        return;
    int position = MenuPosition();
    // RemoveMenu keeps the submenu alive; this item destroys it itself.
    if (position >= 0)
        ::RemoveMenu(parent_->handle_, static_cast<UINT>(position), MF_BYPOSITION);
    inMenu_ = false;
}

void MenuItem::UpdateInParent()
{
    if (!inMenu_)
        return;
    int position = MenuPosition();
    if (position < 0)
        return;
    MENUITEMINFOA info;
    std::string text;
    FillInfo(info, text);
    ::SetMenuItemInfoA(parent_->handle_, static_cast<UINT>(position), TRUE, &info);
    Changed();
}

void MenuItem::Changed() const
{
    // Only the top row of a menu bar needs an explicit redraw.
    if (parent_ && parent_->menu_)
        parent_->menu_->Changed();
}

Menu::Menu(HMENU handle)
{
    root_.handle_ = handle;
    root_.menu_ = this;
}

Menu::~Menu()
{
    root_.menu_ = nullptr;
    if (root_.handle_)
        root_.DestroySubmenu();
}

MainMenu::MainMenu()
    : Menu(NewMenu(true))
{
}

MainMenu::~MainMenu()
{
    if (window_ && ::IsWindow(window_) && ::GetMenu(window_) == Handle())
        ::SetMenu(window_, nullptr);
}

void MainMenu::Changed()
{
    if (window_)
        ::DrawMenuBar(window_);
}

PopupMenu::PopupMenu()
    : Menu(NewMenu(false))
{
}

PopupMenu::~PopupMenu()
{
    // Taken out first: a notified holder may remove its own entry.
    std::vector<FreeNotification> notifications;
    notifications.swap(freeNotifications_);
    for (FreeNotification& entry : notifications)
        entry.notify();
}

int PopupMenu::AddFreeNotification(std::function<void()> notify)
{
    int id = nextNotificationId_++;
    freeNotifications_.push_back({id, std::move(notify)});
    return id;
}

void PopupMenu::RemoveFreeNotification(int id)
{
    freeNotifications_.erase(std::remove_if(freeNotifications_.begin(), freeNotifications_.end(),
                                 [id](const FreeNotification& entry) { return entry.id == id; }),
        freeNotifications_.end());
}

bool PopupMenu::Popup(int x, int y, HWND owner)
{
    if (OnPopup)
        OnPopup(this);
    return ::TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr) != FALSE;
}

bool HandleMenuMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_MENUCOMMAND: {
        MenuItem* item = MenuItem::FromMenuPosition(reinterpret_cast<HMENU>(lParam), static_cast<int>(wParam));
        if (!item)
            return false;
        result = 0;
        item->Click();
        return true;
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU)
            return false;
        auto* item = reinterpret_cast<const MenuItem*>(measure->itemData);
        if (!MenuItem::IsLive(item))
            return false;
        if (MenuPainter* painter = PainterFor(*item)) {
            painter->Measure(*item, IsBarItem(*item), *measure);
            result = TRUE;
            return true;
        }
        Menu* menu = item->OwnerMenu();
        ImageList* images = menu ? menu->Images() : nullptr;
        measure->itemWidth = images ? static_cast<UINT>(images->Width()) : 16;
        measure->itemHeight = images ? static_cast<UINT>(images->Height()) : 16;
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU)
            return false;
        auto* item = reinterpret_cast<const MenuItem*>(draw->itemData);
        if (!MenuItem::IsLive(item))
            return false;
        if (MenuPainter* painter = PainterFor(*item)) {
            painter->Draw(*item, IsBarItem(*item), *draw);
            result = TRUE;
            return true;
        }
        Menu* menu = item->OwnerMenu();
        if (ImageList* images = menu ? menu->Images() : nullptr) {
            const RECT& r = draw->rcItem;
            int x = r.left + (r.right - r.left - images->Width()) / 2;
            int y = r.top + (r.bottom - r.top - images->Height()) / 2;
            images->Draw(draw->hDC, item->ImageIndex(), x, y, item->Enabled());
        }
        result = TRUE;
        return true;
    }
    default:
        return HandleMenuLoopMessage(message, wParam, lParam, result);
    }
    (void)wParam;
}
