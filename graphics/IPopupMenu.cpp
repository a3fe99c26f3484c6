#include "IPopupMenu.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace iplug::igraphics {

namespace {

bool LessIgnoringCase(const char* a, const char* b)
{
  return std::lexicographical_compare(a, a + std::strlen(a), b, b + std::strlen(b), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

} // namespace

IPopupMenu::Item::Item(const char* text, int flags, int tag) : mText(text), mFlags(flags), mTag(tag) {}

IPopupMenu::Item::Item(const char* text, IPopupMenu* submenu) : mText(text), mSubmenu(submenu) {}

IPopupMenu::Item::~Item() = default;

void IPopupMenu::Item::SetSubmenu(IPopupMenu* submenu) { mSubmenu.reset(submenu); }

IPopupMenu::IPopupMenu(const char* rootTitle, int prefix, bool multicheck, std::initializer_list<const char*> items)
  : mCanMultiCheck(multicheck)
  , mRootTitle(rootTitle)
{
  SetPrefix(prefix);
  for (const char* text : items)
    AddItem(new Item(text));
}

IPopupMenu::IPopupMenu(const char* rootTitle, std::initializer_list<const char*> items, MenuFunc func)
  : IPopupMenu(rootTitle, 0, false, items)
{
  mMenuFunc = std::move(func);
}

IPopupMenu::Item* IPopupMenu::AddItem(Item* item, int index)
{
  if (!item)
    return nullptr;

  if (index == kAppend)
    return mMenuItems.Add(item);

  if (index == kSorted)
  {
    // Binary search for the first item whose text sorts after the new one, so equal texts keep their order.
    int lo = 0;
    int hi = NItems();
    while (lo < hi)
    {
      const int mid = lo + (hi - lo) / 2;
      if (LessIgnoringCase(item->GetText(), GetItem(mid)->GetText()))
        hi = mid;
      else
        lo = mid + 1;
    }
    index = lo;
  }
  return mMenuItems.Insert(index, item);
}

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, int index, IPopupMenu* submenu)
{
  if (submenu && mMenuFunc)
    submenu->SetFunction(mMenuFunc);
  return AddItem(new Item(text, submenu), index);
}

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, IPopupMenu* submenu, int index)
{
  return AddItem(text, index, submenu);
}

IPopupMenu::Item* IPopupMenu::AddSeparator(int index) { return AddItem(new Item("", Item::kSeparator), index); }

void IPopupMenu::RemoveEmptySubmenus()
{
  for (int i = NItems() - 1; i >= 0; --i)
  {
    const IPopupMenu* submenu = GetItem(i)->GetSubmenu();
    if (submenu && submenu->NItems() == 0)
      mMenuItems.Delete(i, true);
  }
}

void IPopupMenu::Clear(bool resetEverything)
{
  mMenuItems.Empty(true);
  mChosenItemIdx = -1;
  if (!resetEverything)
    return;
  mPrefix = 0;
  mCanMultiCheck = false;
  mMenuFunc = nullptr;
  mRootTitle.Clear();
}

const char* IPopupMenu::GetItemText(int index) const
{
  const Item* item = GetItem(index);
  return item ? item->GetText() : nullptr;
}

void IPopupMenu::CheckItem(int index, bool checked)
{
  Item* item = GetItem(index);
  if (!item)
    return;
  if (checked && !mCanMultiCheck)
    for (int i = 0; i < NItems(); ++i)
      GetItem(i)->SetChecked(false);
  item->SetChecked(checked);
}

void IPopupMenu::SetPrefix(int prefix) { mPrefix = std::clamp(prefix, 0, 3); }

void IPopupMenu::ExecFunction()
{
  if (mMenuFunc)
    mMenuFunc(this);
}

} // namespace iplug::igraphics
