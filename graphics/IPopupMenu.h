#pragma once

#include <functional>
#include <initializer_list>
#include <memory>

#include "WDL_PtrList.h"
#include "WDL_String.h"

namespace iplug::igraphics {

// A titled, ordered tree of menu items, shown as a native or a drawn menu. After the user chooses, the chosen
// item's index is recorded and the menu's selection function, if any, is called. Owns its items and their
// submenus; main thread; not copyable.
class IPopupMenu
{
public:
  // Called after a selection in this menu, with the menu that holds the chosen item.
  using MenuFunc = std::function<void(IPopupMenu*)>;

  // One entry of a menu: text, optional owned submenu, flags and a tag.
  class Item
  {
  public:
    // Flag bits.
    enum Flags : int
    {
      kNoFlags = 0,
      kDisabled = 1,  // shown but cannot be chosen
      kTitle = 2,     // a heading; never chosen
      kChecked = 4,   // shows a tick
      kSeparator = 8  // a dividing line; its text is not drawn and it is never chosen
    };

    // An item with text (null is empty), flags and tag (-1 = none).
    explicit Item(const char* text, int flags = kNoFlags, int tag = -1);
    // An item with text (null is empty) that owns submenu (may be null).
    Item(const char* text, IPopupMenu* submenu);
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;
    ~Item();

    // The item's text (empty when it has none).
    const char* GetText() const { return mText.Get(); }
    // Replaces the text (null is empty).
    void SetText(const char* text) { mText.Set(text); }
    // All flag bits.
    int GetFlags() const { return mFlags; }
    // Whether it can be chosen as far as the disabled flag goes.
    bool GetEnabled() const { return !(mFlags & kDisabled); }
    // Whether it shows a tick.
    bool GetChecked() const { return mFlags & kChecked; }
    // Whether it is a heading.
    bool GetIsTitle() const { return mFlags & kTitle; }
    // Whether it is a separator.
    bool GetIsSeparator() const { return mFlags & kSeparator; }
    // Whether it may be chosen at all: enabled, not a title, not a separator.
    bool GetIsChoosable() const { return GetEnabled() && !GetIsTitle() && !GetIsSeparator(); }
    // Sets or clears the disabled flag.
    void SetEnabled(bool enabled) { SetFlag(kDisabled, !enabled); }
    // Sets or clears the checked flag (IPopupMenu::CheckItem also honours single-check menus).
    void SetChecked(bool checked) { SetFlag(kChecked, checked); }
    // Sets or clears the title flag.
    void SetTitle(bool title) { SetFlag(kTitle, title); }
    // The tag, -1 when none.
    int GetTag() const { return mTag; }
    // Replaces the tag.
    void SetTag(int tag) { mTag = tag; }
    // The owned submenu, or null.
    IPopupMenu* GetSubmenu() const { return mSubmenu.get(); }
    // Replaces (and deletes) the submenu with submenu, which the item then owns; null removes it.
    void SetSubmenu(IPopupMenu* submenu);

  private:
    void SetFlag(int flag, bool on) { mFlags = on ? (mFlags | flag) : (mFlags & ~flag); }

    WDL_String mText;
    std::unique_ptr<IPopupMenu> mSubmenu;
    int mFlags = kNoFlags;
    int mTag = -1;
  };

  // Insertion index that appends.
  static constexpr int kAppend = -1;
  // Insertion index that keeps items in case-insensitive alphabetical order of their texts.
  static constexpr int kSorted = -2;

  // A menu titled rootTitle (null is empty) with numbering prefix style prefix (0 none, 1 "%1d: ",
  // 2 "%02d: ", 3 "%03d: "; clamped to 0-3), multi-check as given and one plain item per text.
  explicit IPopupMenu(const char* rootTitle = "", int prefix = 0, bool multicheck = false,
                      std::initializer_list<const char*> items = {});
  // The same with prefix 0, no multi-check and a selection function.
  IPopupMenu(const char* rootTitle, std::initializer_list<const char*> items, MenuFunc func);
  IPopupMenu(const IPopupMenu&) = delete;
  IPopupMenu& operator=(const IPopupMenu&) = delete;
  // Deletes all items and their submenus.
  ~IPopupMenu() = default;

  // Adds item, which the menu then owns, at index: kAppend (-1) appends, kSorted (-2) inserts in
  // case-insensitive alphabetical order after equal texts, other values insert there (clamped to the list).
  // Returns item, or null (nothing added) when item is null.
  Item* AddItem(Item* item, int index = kAppend);
  // Adds a plain item with text and optional submenu (owned) at index as above. When this menu has a
  // selection function, the submenu receives a copy of it.
  Item* AddItem(const char* text, int index = kAppend, IPopupMenu* submenu = nullptr);
  // Same as AddItem(text, index, submenu).
  Item* AddItem(const char* text, IPopupMenu* submenu, int index = kAppend);
  // Adds a separator at index as above.
  Item* AddSeparator(int index = kAppend);
  // Deletes every item whose submenu has no items (one level; submenus are not searched).
  void RemoveEmptySubmenus();
  // Deletes all items and forgets the chosen item; with resetEverything also the title, prefix, multi-check
  // and selection function, as a freshly made menu.
  void Clear(bool resetEverything = true);

  // Number of items.
  int NItems() const { return mMenuItems.GetSize(); }
  // Item at index, or null when out of range.
  Item* GetItem(int index) const { return mMenuItems.Get(index); }
  // Index of item in this menu, or -1.
  int GetItemIndex(const Item* item) const { return mMenuItems.Find(item); }
  // Text of the item at index, or null when out of range.
  const char* GetItemText(int index) const;
  // Sets the checked flag of the item at index; unless the menu allows multi-check, checking one item
  // unchecks all the others. Out of range does nothing.
  void CheckItem(int index, bool checked);

  // Index of the chosen item, -1 when nothing was chosen.
  int GetChosenItemIdx() const { return mChosenItemIdx; }
  // Records the chosen item's index (-1 = nothing chosen; other out-of-range values also record -1).
  void SetChosenItemIdx(int index) { mChosenItemIdx = index >= 0 && index < NItems() ? index : -1; }
  // The chosen item, or null.
  Item* GetChosenItem() const { return GetItem(mChosenItemIdx); }

  // Numbering prefix style, 0-3.
  int GetPrefix() const { return mPrefix; }
  // Sets the numbering prefix style (clamped to 0-3).
  void SetPrefix(int prefix);
  // Whether several items may carry the checked flag.
  bool GetCanMultiCheck() const { return mCanMultiCheck; }
  // Allows or forbids several checked items (existing flags are left as they are).
  void SetMultiCheck(bool multicheck) { mCanMultiCheck = multicheck; }
  // The menu's title (empty when none).
  const char* GetRootTitle() const { return mRootTitle.Get(); }
  // Replaces the title (null is empty).
  void SetRootTitle(const char* title) { mRootTitle.Set(title); }

  // The selection function (may be empty).
  const MenuFunc& GetFunction() const { return mMenuFunc; }
  // Replaces the selection function.
  void SetFunction(MenuFunc func) { mMenuFunc = std::move(func); }
  // Calls the selection function with this menu when one is set.
  void ExecFunction();

private:
  int mPrefix = 0;
  int mChosenItemIdx = -1;
  bool mCanMultiCheck = false;
  WDL_PtrList_DeleteOnDestroy<Item> mMenuItems;
  MenuFunc mMenuFunc;
  WDL_String mRootTitle;
};

} // namespace iplug::igraphics
