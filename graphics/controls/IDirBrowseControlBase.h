#pragma once

#include <vector>

#include "IControl.h"
#include "IPopupMenu.h"

namespace iplug::igraphics
{

// Base of controls that pick a file from folders: scans its search paths into a menu of sub-menus
// (one per folder) and items (one per file with the wanted extension), and keeps the files' full
// paths in menu order. Subclasses draw it and open the menu. Main thread.
class IDirBrowseControlBase : public IControl
{
public:
  // Matches files ending in extension (e.g. ".txt"); showFileExtensions keeps it in item texts.
  IDirBrowseControlBase(const IRECT& bounds, const char* extension, bool showFileExtensions = true,
                        bool showEmptySubmenus = false);

  // Adds a folder to scan, shown as a sub-menu titled label when there are several.
  void AddPath(const char* path, const char* label);
  // Rescans every path into the main menu and the file list; the selection is reset.
  void SetupMenu();
  // Number of files found.
  int NItems() const { return static_cast<int>(mFiles.size()); }
  // Full path of file itemIdx (the item's tag), or null.
  const char* GetFilePath(int itemIdx) const;
  // The menu built by SetupMenu.
  IPopupMenu& GetMenu() { return mMainMenu; }
  // Index of the chosen file, -1 for none.
  int GetSelectedItemIndex() const { return mSelectedItemIndex; }
  // Chooses file itemIdx (-1: none).
  void SetSelectedItemIndex(int itemIdx) { mSelectedItemIndex = itemIdx >= -1 && itemIdx < NItems() ? itemIdx : -1; }

protected:
  // Adds the files and sub-folders of path to menu, sorted; hidden entries are skipped.
  void ScanDirectory(const char* path, IPopupMenu& menu);
  // Collects every leaf item of menu, depth first, into mItems.
  void CollectSortedItems(IPopupMenu* pMenu);

  bool mShowFileExtensions; // menu items show the file's extension
  bool mShowEmptySubmenus; // folders without matching files are listed
  int mSelectedItemIndex = -1; // index in mItems of the chosen file; -1: none
  IPopupMenu mMainMenu; // the menu of every scanned folder
  std::vector<IPopupMenu::Item*> mItems; // the menu's leaf items, depth first; owned by mMainMenu
  std::vector<WDL_String> mPaths; // the folders scanned
  std::vector<WDL_String> mPathLabels; // the label of each folder's submenu
  std::vector<WDL_String> mFiles; // the full path of each leaf item, in mItems' order
  WDL_String mExtension; // extension of the files listed, without the dot
};

} // namespace iplug::igraphics
