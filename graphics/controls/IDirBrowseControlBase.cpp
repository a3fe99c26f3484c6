#include "IDirBrowseControlBase.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

namespace iplug::igraphics
{

IDirBrowseControlBase::IDirBrowseControlBase(const IRECT& bounds, const char* extension, bool showFileExtensions,
                                             bool showEmptySubmenus)
  : IControl(bounds)
  , mShowFileExtensions(showFileExtensions)
  , mShowEmptySubmenus(showEmptySubmenus)
  , mExtension(extension ? extension : "")
{
}

void IDirBrowseControlBase::AddPath(const char* path, const char* label)
{
  mPaths.emplace_back(path ? path : "");
  mPathLabels.emplace_back(label ? label : "");
}

const char* IDirBrowseControlBase::GetFilePath(int itemIdx) const
{
  if (itemIdx < 0 || itemIdx >= NItems())
    return nullptr;
  return mFiles[static_cast<std::size_t>(itemIdx)].Get();
}

void IDirBrowseControlBase::SetupMenu()
{
  mFiles.clear();
  mItems.clear();
  mMainMenu.Clear();
  mSelectedItemIndex = -1;
  if (mPaths.size() == 1)
    ScanDirectory(mPaths[0].Get(), mMainMenu);
  else
  {
    for (std::size_t i = 0; i < mPaths.size(); ++i)
    {
      auto* pSubmenu = new IPopupMenu(mPathLabels[i].Get());
      ScanDirectory(mPaths[i].Get(), *pSubmenu);
      mMainMenu.AddItem(mPathLabels[i].Get(), pSubmenu);
    }
    if (!mShowEmptySubmenus)
      mMainMenu.RemoveEmptySubmenus();
  }
  CollectSortedItems(&mMainMenu);
}

void IDirBrowseControlBase::ScanDirectory(const char* path, IPopupMenu& menu)
{
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator it(path ? path : "", error);
  // An unreadable folder simply adds nothing.
  for (; !error && it != fs::directory_iterator(); it.increment(error))
  {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.')
      continue;
    const std::string fullPath = std::string(path) + "/" + name;
    if (it->is_directory(error))
    {
      auto* pSubmenu = new IPopupMenu(name.c_str());
      ScanDirectory(fullPath.c_str(), *pSubmenu);
      menu.AddItem(name.c_str(), pSubmenu, IPopupMenu::kSorted);
      continue;
    }
    const std::string ext = mExtension.Get();
    const bool matches = !ext.empty() && name.size() >= ext.size() &&
                         name.compare(name.size() - ext.size(), ext.size(), ext) == 0;
    if (!matches)
      continue;
    std::string text = name;
    if (!mShowFileExtensions)
    {
      text.erase(text.size() - ext.size());
      if (!text.empty() && text.back() == '.')
        text.pop_back();
    }
    IPopupMenu::Item* pItem = menu.AddItem(text.c_str(), IPopupMenu::kSorted);
    pItem->SetTag(static_cast<int>(mFiles.size()));
    mFiles.emplace_back(fullPath.c_str());
  }
  if (!mShowEmptySubmenus)
    menu.RemoveEmptySubmenus();
}

void IDirBrowseControlBase::CollectSortedItems(IPopupMenu* pMenu)
{
  for (int i = 0; i < pMenu->NItems(); ++i)
  {
    IPopupMenu::Item* pItem = pMenu->GetItem(i);
    if (pItem->GetSubmenu())
      CollectSortedItems(pItem->GetSubmenu());
    else
      mItems.push_back(pItem);
  }
}

} // namespace iplug::igraphics
