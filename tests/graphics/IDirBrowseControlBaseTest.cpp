#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "IDirBrowseControlBase.h"

using namespace iplug::igraphics;

namespace
{
  class TestBrowser : public IDirBrowseControlBase
  {
  public:
    using IDirBrowseControlBase::IDirBrowseControlBase;
    void Draw(IGraphics&) override {}
  };

  // A fresh folder under the system's temporary folder, removed with its contents.
  struct TempFolder
  {
    TempFolder()
    {
      char name[] = "/tmp/tidewell-browse-XXXXXX";
      path = mkdtemp(name);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    void Touch(const std::string& relative) const { std::ofstream(path + "/" + relative) << "x"; }
    std::string path;
  };
}

TEST(IDirBrowseControlBase, HiddenFilesAndEmptyFoldersAreLeftOut)
{
  TempFolder folder;
  folder.Touch("a.txt");
  folder.Touch(".hidden.txt");
  folder.Touch("b.wav");
  std::filesystem::create_directory(folder.path + "/empty");
  TestBrowser browser(IRECT(0, 0, 10, 10), ".txt", false);
  browser.AddPath(folder.path.c_str(), "Presets");
  browser.SetupMenu();
  ASSERT_EQ(browser.GetMenu().NItems(), 1);
  EXPECT_STREQ(browser.GetMenu().GetItemText(0), "a");
  EXPECT_EQ(browser.GetMenu().GetItem(0)->GetSubmenu(), nullptr);
  EXPECT_EQ(browser.NItems(), 1);
  EXPECT_EQ(std::string(browser.GetFilePath(0)), folder.path + "/a.txt");
}

TEST(IDirBrowseControlBase, FoldersBecomeSortedSubmenusAndSeveralPathsGetTheirLabels)
{
  TempFolder one, two;
  one.Touch("zeta.txt");
  one.Touch("Alpha.txt");
  std::filesystem::create_directory(one.path + "/sub");
  one.Touch("sub/inner.txt");
  two.Touch("other.txt");
  TestBrowser browser(IRECT(0, 0, 10, 10), ".txt", true);
  browser.AddPath(one.path.c_str(), "Mine");
  browser.AddPath(two.path.c_str(), "Theirs");
  browser.SetupMenu();
  ASSERT_EQ(browser.GetMenu().NItems(), 2);
  IPopupMenu* mine = browser.GetMenu().GetItem(0)->GetSubmenu();
  ASSERT_NE(mine, nullptr);
  ASSERT_EQ(mine->NItems(), 3);
  EXPECT_STREQ(mine->GetItemText(0), "Alpha.txt");
  EXPECT_STREQ(mine->GetItemText(1), "sub");
  EXPECT_STREQ(mine->GetItemText(2), "zeta.txt");
  EXPECT_EQ(browser.NItems(), 4);
  EXPECT_EQ(browser.GetFilePath(9), nullptr);
  browser.SetSelectedItemIndex(2);
  browser.SetupMenu();
  EXPECT_EQ(browser.GetSelectedItemIndex(), -1) << "a rescan forgets the selection";
}

TEST(IDirBrowseControlBase, AMissingFolderGivesAnEmptyMenu)
{
  TestBrowser browser(IRECT(0, 0, 10, 10), ".txt");
  browser.AddPath("/nonexistent/folder/for/tidewell", "Nothing");
  browser.SetupMenu();
  EXPECT_EQ(browser.GetMenu().NItems(), 0);
  EXPECT_EQ(browser.NItems(), 0);
}
