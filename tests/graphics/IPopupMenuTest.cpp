#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IPopupMenu.h"

using iplug::igraphics::IPopupMenu;
using Item = IPopupMenu::Item;

namespace {

std::vector<std::string> Texts(const IPopupMenu& menu)
{
  std::vector<std::string> texts;
  for (int i = 0; i < menu.NItems(); ++i)
    texts.emplace_back(menu.GetItemText(i));
  return texts;
}

using TextList = std::vector<std::string>;

} // namespace

TEST(IPopupMenuConstruction, OnePlainItemPerText)
{
  const IPopupMenu menu("Mode", 2, true, {"one", "two"});
  EXPECT_STREQ(menu.GetRootTitle(), "Mode");
  EXPECT_EQ(menu.GetPrefix(), 2);
  EXPECT_TRUE(menu.GetCanMultiCheck());
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  ASSERT_EQ(menu.NItems(), 2);
  EXPECT_EQ(Texts(menu), (TextList{"one", "two"}));
  EXPECT_EQ(menu.GetItem(1)->GetFlags(), Item::kNoFlags);
  EXPECT_EQ(menu.GetItem(1)->GetTag(), -1);
  EXPECT_EQ(menu.GetItem(1)->GetSubmenu(), nullptr);
}

TEST(IPopupMenuConstruction, PrefixStyleIsClampedToTheFourKnownStyles)
{
  EXPECT_EQ(IPopupMenu("", 7).GetPrefix(), 3);
  EXPECT_EQ(IPopupMenu("", -1).GetPrefix(), 0);
}

TEST(IPopupMenuAddItem, SortedInsertionIgnoresCase)
{
  IPopupMenu menu;
  menu.AddItem("beta", IPopupMenu::kSorted);
  menu.AddItem("Alpha", IPopupMenu::kSorted);
  menu.AddItem("gamma", IPopupMenu::kSorted);
  EXPECT_EQ(Texts(menu), (TextList{"Alpha", "beta", "gamma"}));
}

TEST(IPopupMenuAddItem, SortedInsertionPutsTextlessItemsFirstAndEqualTextsInArrivalOrder)
{
  IPopupMenu menu;
  menu.AddItem("b", IPopupMenu::kSorted)->SetTag(1);
  menu.AddItem("B", IPopupMenu::kSorted)->SetTag(2);
  menu.AddItem(new Item(nullptr), IPopupMenu::kSorted);
  menu.AddItem("a", IPopupMenu::kSorted);
  EXPECT_EQ(Texts(menu), (TextList{"", "a", "b", "B"}));
  EXPECT_EQ(menu.GetItem(2)->GetTag(), 1);
  EXPECT_EQ(menu.GetItem(3)->GetTag(), 2);
}

TEST(IPopupMenuAddItem, ExplicitIndexInsertsThereAndOutOfRangeIsClamped)
{
  IPopupMenu menu("", 0, false, {"a", "c"});
  menu.AddItem("b", 1);
  menu.AddItem("end", 99);
  menu.AddItem("start", -7);
  EXPECT_EQ(Texts(menu), (TextList{"start", "a", "b", "c", "end"}));
}

TEST(IPopupMenuAddItem, NullItemAddsNothing)
{
  IPopupMenu menu;
  EXPECT_EQ(menu.AddItem(static_cast<Item*>(nullptr)), nullptr);
  EXPECT_EQ(menu.NItems(), 0);
}

TEST(IPopupMenuAddItem, SubmenuInheritsTheSelectionFunction)
{
  IPopupMenu* chosen = nullptr;
  IPopupMenu menu("", {"x"}, [&chosen](IPopupMenu* m) { chosen = m; });
  auto* submenu = new IPopupMenu("", 0, false, {"deep"});
  menu.AddItem("more", submenu);
  ASSERT_TRUE(submenu->GetFunction());

  submenu->SetChosenItemIdx(0);
  submenu->ExecFunction();
  EXPECT_EQ(chosen, submenu);
  EXPECT_STREQ(chosen->GetChosenItem()->GetText(), "deep");
}

TEST(IPopupMenuAddItem, SubmenuOfAMenuWithoutFunctionGetsNone)
{
  IPopupMenu menu;
  auto* submenu = new IPopupMenu();
  menu.AddItem("more", 0, submenu);
  EXPECT_FALSE(submenu->GetFunction());
  EXPECT_EQ(menu.GetItem(0)->GetSubmenu(), submenu);
}

TEST(IPopupMenuRemoveEmptySubmenus, MenuWhoseOnlySubmenuIsEmptyEndsWithNoItems)
{
  IPopupMenu menu;
  menu.AddItem("folder", new IPopupMenu());
  menu.RemoveEmptySubmenus();
  EXPECT_EQ(menu.NItems(), 0);
}

TEST(IPopupMenuRemoveEmptySubmenus, KeepsPlainItemsAndFilledSubmenus)
{
  IPopupMenu menu;
  menu.AddItem("empty1", new IPopupMenu());
  menu.AddItem("plain");
  menu.AddItem("full", new IPopupMenu("", 0, false, {"x"}));
  menu.AddItem("empty2", new IPopupMenu());
  menu.RemoveEmptySubmenus();
  EXPECT_EQ(Texts(menu), (TextList{"plain", "full"}));
}

TEST(IPopupMenuFlags, TitlesSeparatorsAndDisabledItemsAreNotChoosable)
{
  IPopupMenu menu;
  menu.AddItem(new Item("Heading", Item::kTitle));
  menu.AddSeparator();
  menu.AddItem(new Item("Off", Item::kDisabled | Item::kChecked, 12));
  menu.AddItem("On");

  EXPECT_TRUE(menu.GetItem(0)->GetIsTitle());
  EXPECT_FALSE(menu.GetItem(0)->GetIsChoosable());
  EXPECT_TRUE(menu.GetItem(1)->GetIsSeparator());
  EXPECT_FALSE(menu.GetItem(1)->GetIsChoosable());
  EXPECT_FALSE(menu.GetItem(2)->GetEnabled());
  EXPECT_TRUE(menu.GetItem(2)->GetChecked());
  EXPECT_EQ(menu.GetItem(2)->GetTag(), 12);
  EXPECT_FALSE(menu.GetItem(2)->GetIsChoosable());
  EXPECT_TRUE(menu.GetItem(3)->GetIsChoosable());

  menu.GetItem(2)->SetEnabled(true);
  EXPECT_EQ(menu.GetItem(2)->GetFlags(), Item::kChecked);
}

TEST(IPopupMenuCheckItem, SingleCheckMenuKeepsOneTick)
{
  IPopupMenu menu("", 0, false, {"a", "b", "c"});
  menu.CheckItem(0, true);
  menu.CheckItem(2, true);
  EXPECT_FALSE(menu.GetItem(0)->GetChecked());
  EXPECT_TRUE(menu.GetItem(2)->GetChecked());
}

TEST(IPopupMenuCheckItem, MultiCheckMenuKeepsEveryTick)
{
  IPopupMenu menu("", 0, true, {"a", "b", "c"});
  menu.CheckItem(0, true);
  menu.CheckItem(2, true);
  menu.CheckItem(5, true);
  EXPECT_TRUE(menu.GetItem(0)->GetChecked());
  EXPECT_TRUE(menu.GetItem(2)->GetChecked());
}

TEST(IPopupMenuChosenItem, OutOfRangeChoiceMeansNothingChosen)
{
  IPopupMenu menu("", 0, false, {"a", "b"});
  menu.SetChosenItemIdx(1);
  EXPECT_STREQ(menu.GetChosenItem()->GetText(), "b");
  menu.SetChosenItemIdx(2);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  EXPECT_EQ(menu.GetChosenItem(), nullptr);
}

TEST(IPopupMenuExecFunction, WithoutFunctionDoesNothing)
{
  IPopupMenu menu("", 0, false, {"a"});
  menu.ExecFunction();
  int calls = 0;
  menu.SetFunction([&calls](IPopupMenu*) { ++calls; });
  menu.ExecFunction();
  EXPECT_EQ(calls, 1);
}

TEST(IPopupMenuClear, ResetsToAFreshMenuOrKeepsTheSettings)
{
  IPopupMenu menu("Title", 3, true, {"a"});
  menu.SetFunction([](IPopupMenu*) {});
  menu.SetChosenItemIdx(0);

  menu.Clear(false);
  EXPECT_EQ(menu.NItems(), 0);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  EXPECT_STREQ(menu.GetRootTitle(), "Title");
  EXPECT_TRUE(menu.GetFunction());

  menu.Clear();
  EXPECT_STREQ(menu.GetRootTitle(), "");
  EXPECT_EQ(menu.GetPrefix(), 0);
  EXPECT_FALSE(menu.GetCanMultiCheck());
  EXPECT_FALSE(menu.GetFunction());
}
