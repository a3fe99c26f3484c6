#include <gtest/gtest.h>

#include <string>

#include "IParam.h"
#include "ITextEntryControl.h"
#include "IVirtualKeys.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

// A context with a drawn text entry and a control over (10, 10, 110, 40) linked to paramIdx, whose value
// prompt has opened the entry.
struct EntryFixture : GraphicsFixture
{
  explicit EntryFixture(int paramIdx)
  {
    graphics.AttachTextEntryControl();
    entry = graphics.GetTextEntryControl();
    control = Add(IRECT(10, 10, 110, 40), paramIdx);
    control->DisablePrompt(false);
    control->SetText(IText(10.f));
    if (paramIdx >= 0)
      control->PromptUserInput(0);
  }

  // Presses a key as the window layer sends it: digits and letters carry their virtual key, the rest only text.
  bool Key(const char* text, int vk = 0, bool shift = false, bool ctrl = false)
  {
    return graphics.OnKeyDown(20.f, 20.f, IKeyPress(text, vk, shift, ctrl));
  }

  // Types every character of text.
  void Type(const std::string& text)
  {
    for (char c : text)
    {
      const char s[2] = {c, '\0'};
      const bool hasVK = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
      const int vk = c >= 'a' && c <= 'z' ? c - 'a' + 'A' : hasVK ? c : 0;
      Key(s, vk);
    }
  }

  ITextEntryControl* entry = nullptr;
  RecordingControl* control = nullptr;
};

} // namespace

TEST(ITextEntryControl, TypingAValueAndReturnSetsADoubleParameterThroughTheDelegate)
{
  EntryFixture f(0);
  ASSERT_TRUE(f.entry->GetEditing());
  EXPECT_TRUE(f.graphics.mTextEntries.empty()) << "the drawn entry replaces the platform's field";
  EXPECT_EQ(f.entry->GetStr(), "0.50");
  f.Type("0.25");
  EXPECT_EQ(f.entry->GetStr(), "0.25") << "the first character replaced the whole selected text";
  EXPECT_TRUE(f.Key("\r", kVK_RETURN));
  EXPECT_DOUBLE_EQ(f.dlg.GetParam(0)->Value(), 0.25);
  EXPECT_EQ(f.dlg.mHost.back(), "set 0 0.25");
  EXPECT_FALSE(f.entry->GetEditing());
  EXPECT_TRUE(f.entry->GetRECT().Empty());
  EXPECT_EQ(f.graphics.GetEntryTarget(), nullptr);
}

TEST(ITextEntryControl, EscapeCancelsWithoutTouchingTheParameter)
{
  EntryFixture f(0);
  f.Type("0.9");
  EXPECT_TRUE(f.Key(nullptr, kVK_ESCAPE));
  EXPECT_DOUBLE_EQ(f.dlg.GetParam(0)->Value(), 0.5);
  EXPECT_FALSE(f.entry->GetEditing());
  EXPECT_TRUE(f.entry->GetRECT().Empty());
  EXPECT_EQ(f.graphics.GetEntryTarget(), nullptr);
  EXPECT_FALSE(f.Key("1", '1')) << "keys after the entry closed are not the entry's";
}

TEST(ITextEntryControl, AnIntegerParameterRefusesLettersAndThePointAsTheyAreTyped)
{
  EntryFixture f(2);
  f.Type("1a-");
  EXPECT_EQ(f.entry->GetStr(), "1-");
  EXPECT_FALSE(f.Key(".")) << "a refused key is swallowed unhandled";
  EXPECT_EQ(f.entry->GetStr(), "1-");
}

TEST(ITextEntryControl, ADoubleParameterAcceptsThePointAndSigns)
{
  EntryFixture f(0);
  f.Type("-.5+x");
  EXPECT_EQ(f.entry->GetStr(), "-.5+");
}

TEST(ITextEntryControl, ShiftWithATopRowDigitIsRefusedButKeypadDigitsPass)
{
  EntryFixture f(2);
  EXPECT_FALSE(f.Key("!", '1', true));
  EXPECT_EQ(f.entry->GetStr(), "2") << "the selected initial text stays";
  EXPECT_TRUE(f.Key("7", 0x67));
  EXPECT_EQ(f.entry->GetStr(), "7");
}

TEST(ITextEntryControl, AnEntryWithoutParameterTakesAnyTextAndHandsItOver)
{
  EntryFixture f(-1);
  f.graphics.CreateTextEntry(*f.control, IText(10.f), IRECT(10, 10, 110, 40), "old", 0);
  f.Type("hi. ");
  f.Key("\xC3\xA9");
  f.Key("\r", kVK_RETURN);
  EXPECT_EQ(f.control->mEvents.back(), "text hi. \xC3\xA9 0");
}

TEST(ITextEntryControl, EditingKeysMoveTheCursorAndDelete)
{
  EntryFixture f(-1);
  f.graphics.CreateTextEntry(*f.control, IText(10.f), IRECT(10, 10, 110, 40), "", 0);
  f.Type("abc");
  EXPECT_TRUE(f.Key(nullptr, kVK_LEFT));
  EXPECT_EQ(f.entry->GetCursor(), 2);
  EXPECT_TRUE(f.Key(nullptr, kVK_BACK));
  EXPECT_EQ(f.entry->GetStr(), "ac");
  EXPECT_TRUE(f.Key(nullptr, kVK_LEFT, true)) << "shift extends the selection";
  EXPECT_EQ(f.entry->GetSelectionStart(), 1);
  EXPECT_EQ(f.entry->GetSelectionEnd(), 0);
  EXPECT_FALSE(f.Key(nullptr, 0x09)) << "tab is left to the host";
}

TEST(ITextEntryControl, RightClickShowsCutCopyPasteAndPasteReplacesTheSelection)
{
  EntryFixture f(0);
  f.graphics.mClipboard = "0.75";
  f.graphics.mMenuChoice = 2;
  f.graphics.OnMouseDown({Mouse(60, 25, false, true)});
  f.graphics.OnMouseUp({Mouse(60, 25, false, true)});
  ASSERT_EQ(f.graphics.mMenus.size(), 1u);
  const IPopupMenu& menu = *f.graphics.mMenus[0].menu;
  ASSERT_EQ(menu.NItems(), 3);
  EXPECT_STREQ(menu.GetItemText(0), "Cut");
  EXPECT_STREQ(menu.GetItemText(1), "Copy");
  EXPECT_STREQ(menu.GetItemText(2), "Paste");
  EXPECT_EQ(f.graphics.mMenus[0].bounds, IRECT(60, 25, 60, 25));
  EXPECT_EQ(f.entry->GetStr(), "0.75");
  EXPECT_TRUE(f.entry->GetEditing());
}

TEST(ITextEntryControl, UndoAfterAPasteRestoresTheTextAndRedoRepeatsIt)
{
  EntryFixture f(0);
  f.graphics.mClipboard = "0.1";
  EXPECT_TRUE(f.Key("v", 'V', false, true));
  EXPECT_EQ(f.entry->GetStr(), "0.1");
  EXPECT_TRUE(f.Key("z", 'Z', false, true));
  EXPECT_EQ(f.entry->GetStr(), "0.50");
  EXPECT_TRUE(f.Key("Z", 'Z', true, true));
  EXPECT_EQ(f.entry->GetStr(), "0.1");
}

TEST(ITextEntryControl, CopyAndCutGoThroughTheClipboard)
{
  EntryFixture f(0);
  EXPECT_TRUE(f.Key("c", 'C', false, true));
  EXPECT_EQ(f.graphics.mClipboard, "0.50");
  f.graphics.mClipboard.clear();
  EXPECT_TRUE(f.Key("x", 'X', false, true));
  EXPECT_EQ(f.graphics.mClipboard, "0.50");
  EXPECT_EQ(f.entry->GetStr(), "");
  f.graphics.mClipboard.clear();
  EXPECT_TRUE(f.Key("v", 'V', false, true));
  EXPECT_EQ(f.entry->GetStr(), "") << "an empty clipboard pastes nothing";
}

TEST(ITextEntryControl, ADragFromRightToLeftSelectsBackwardsWithTheSameHighlight)
{
  EntryFixture f(-1);
  // Ten characters of 5 units each, centred in 10..110: the text runs from 35 to 85.
  f.graphics.CreateTextEntry(*f.control, IText(10.f), IRECT(10, 10, 110, 40), "abcdefghij", 0);
  f.graphics.OnMouseDown({Mouse(46, 20)});
  f.graphics.OnMouseDrag({Mouse(66, 20, true, false, 20, 0)});
  f.graphics.OnMouseUp({Mouse(66, 20)});
  EXPECT_EQ(f.entry->GetSelectionStart(), 2);
  EXPECT_EQ(f.entry->GetSelectionEnd(), 6);
  f.graphics.mLogging = true;
  f.graphics.mLog.clear();
  f.entry->Draw(f.graphics);
  const std::vector<std::string> forward = f.graphics.mLog;

  f.graphics.OnMouseDown({Mouse(66, 20)});
  f.graphics.OnMouseDrag({Mouse(46, 20, true, false, -20, 0)});
  f.graphics.OnMouseUp({Mouse(46, 20)});
  EXPECT_EQ(f.entry->GetSelectionStart(), 6);
  EXPECT_EQ(f.entry->GetSelectionEnd(), 2);
  f.graphics.mLog.clear();
  f.entry->Draw(f.graphics);
  EXPECT_EQ(f.graphics.mLog, forward);
}

TEST(ITextEntryControl, ADoubleClickSelectsAll)
{
  EntryFixture f(0);
  f.graphics.OnMouseDown({Mouse(60, 20)});
  f.graphics.OnMouseUp({Mouse(60, 20)});
  EXPECT_EQ(f.entry->GetSelectionStart(), f.entry->GetSelectionEnd());
  f.graphics.OnMouseDblClick(60, 20, IMouseMod());
  EXPECT_EQ(f.entry->GetSelectionStart(), 0);
  EXPECT_EQ(f.entry->GetSelectionEnd(), 4);
}

TEST(ITextEntryControl, APressOutsideTheFieldCommitsAndReachesNoOtherControl)
{
  EntryFixture f(0);
  RecordingControl* other = f.Add(IRECT(150, 150, 200, 190));
  f.Type("0.3");
  f.graphics.OnMouseDown({Mouse(160, 160)});
  f.graphics.OnMouseUp({Mouse(160, 160)});
  EXPECT_DOUBLE_EQ(f.dlg.GetParam(0)->Value(), 0.3);
  EXPECT_FALSE(f.entry->GetEditing());
  for (const std::string& event : other->mEvents)
    EXPECT_EQ(event.rfind("down", 0), std::string::npos) << "the press ended the entry only";
}

TEST(ITextEntryControl, WhileTheDrawnEntryEditsOnlyItReceivesDrags)
{
  EntryFixture f(-1);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  f.graphics.CreateTextEntry(*f.control, IText(10.f), IRECT(10, 10, 110, 40), "abcdefghij", 0);
  f.graphics.OnMouseDrag({Mouse(30, 20, true, false, 10, 0)});
  EXPECT_EQ(f.control->mEvents, (std::vector<std::string>{"down 20,20"})) << "the captured control gets no drag";
  f.graphics.OnMouseUp({Mouse(30, 20)});
  f.graphics.OnMouseDown({Mouse(40, 20)});
  f.graphics.OnMouseDrag({Mouse(70, 20, true, false, 30, 0)});
  EXPECT_NE(f.entry->GetSelectionStart(), f.entry->GetSelectionEnd()) << "the entry's own drag selects text";
}

TEST(ITextEntryControl, TypingStopsAtTheControlsTextEntryLength)
{
  EntryFixture f(0);
  f.Type("0.123456789");
  EXPECT_EQ(f.entry->GetStr(), "0.12345");
}

TEST(ITextEntryControl, ANewEntryStartsWithAnEmptyUndoHistory)
{
  EntryFixture f(0);
  f.Type("0.3");
  f.Key("\r", kVK_RETURN);
  f.control->PromptUserInput(0);
  EXPECT_TRUE(f.Key("z", 'Z', false, true));
  EXPECT_EQ(f.entry->GetStr(), "0.30") << "nothing of the previous entry is undone into this one";
}

TEST(ITextEntryControl, TextBeyondTheBasicPlaneSurvivesEditing)
{
  EntryFixture f(-1);
  f.graphics.CreateTextEntry(*f.control, IText(10.f), IRECT(10, 10, 110, 40), "a\xF0\x9F\x8E\xB5", 0);
  EXPECT_EQ(f.entry->GetLength(), 3) << "the note is a surrogate pair";
  f.Key(nullptr, 0x23);
  f.Key("\xF0\x9F\x8E\xB6");
  EXPECT_EQ(f.entry->GetStr(), "a\xF0\x9F\x8E\xB5\xF0\x9F\x8E\xB6");
  f.entry->SetStr("\xFF\xFE");
  EXPECT_EQ(f.entry->GetStr(), "\xEF\xBF\xBD\xEF\xBF\xBD") << "malformed bytes become replacement characters";
}

TEST(ITextEntryControl, CharacterWidthsCountKerningAgainstThePreviousCharacter)
{
  EntryFixture f(-1);
  f.graphics.CreateTextEntry(*f.control, IText(10.f), IRECT(10, 10, 110, 40), "ab", 0);
  EXPECT_FLOAT_EQ(f.entry->MeasureCharWidth(u'b', u'a'), 5.f);
  EXPECT_FLOAT_EQ(f.entry->GetCharWidth(0) + f.entry->GetCharWidth(1), 10.f);
  float x0 = 0.f;
  float x1 = 0.f;
  float top = 0.f;
  float bottom = 0.f;
  f.entry->GetRowLayout(x0, x1, top, bottom);
  EXPECT_FLOAT_EQ(x0, 55.f);
  EXPECT_FLOAT_EQ(x1, 65.f);
  EXPECT_FLOAT_EQ(top, 10.f);
  EXPECT_FLOAT_EQ(bottom, 20.f);
}

TEST(ITextEntryControl, TheCursorBlinksWhileEditing)
{
  EntryFixture f(0);
  EXPECT_TRUE(f.entry->GetCursorVisible());
  EXPECT_TRUE(f.entry->GetAnimationFunction());
  f.entry->OnEndAnimation();
  EXPECT_TRUE(f.entry->GetAnimationFunction()) << "the end of a cycle starts the next while editing";
  f.Key(nullptr, kVK_ESCAPE);
  f.entry->OnEndAnimation();
  EXPECT_FALSE(f.entry->GetAnimationFunction()) << "no new cycle after the edit";
}

TEST(ITextEntryControl, APasteLongerThanTheLimitPastesWhatFitsAndUndoesInOneStep)
{
  EntryFixture f(0);
  f.graphics.mClipboard = "123456789";
  f.Key("v", 'V', false, true);
  EXPECT_EQ(f.entry->GetStr(), "1234567");
  f.Key("z", 'Z', false, true);
  EXPECT_EQ(f.entry->GetStr(), "0.50");
}
