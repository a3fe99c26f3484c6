#include <gtest/gtest.h>

#include <limits>

#include "support/RecordingGraphics.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // A delegate with two parameters whose callbacks make a RecordingGraphics and attach one control per parameter.
  class TestEditorDelegate : public IGEditorDelegate
  {
  public:
    TestEditorDelegate() : IGEditorDelegate(2)
    {
      GetParam(0)->InitDouble("Gain", 0.0, -10.0, 10.0, 0.1);
      GetParam(1)->InitDouble("Mix", 0.0, 0.0, 1.0, 0.01);
      SetSizeConstraints(100, 1000, 50, 500);
      mMakeGraphicsFunc = [this] { return new RecordingGraphics(*this, 300, 200, 60, 1.f); };
      mLayoutFunc = [](IGraphics* pGraphics) {
        pGraphics->AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), 0), 7);
        pGraphics->AttachControl(new RecordingControl(IRECT(10, 0, 20, 10), {1, 0}));
      };
    }

    void OnUIClose() override
    {
      ++mUICloses;
      if (mCloseFromInside)
        CloseWindow();
    }
    void OnParamChangeUI(int paramIdx, EParamSource source) override { mUIChanges.push_back({paramIdx, source}); }

    RecordingGraphics* Graphics() const { return static_cast<RecordingGraphics*>(GetUI()); }

    int mUICloses = 0;
    bool mCloseFromInside = false;
    std::vector<std::pair<int, EParamSource>> mUIChanges;
  };

  IByteChunk EditorState(int32_t width, int32_t height, float scale, bool withScale = true)
  {
    IByteChunk chunk;
    chunk.Put(&width);
    chunk.Put(&height);
    if (withScale)
      chunk.Put(&scale);
    return chunk;
  }
}

TEST(IGEditorDelegate, OpenWindowMakesTheContextAndCloseDestroysIt)
{
  TestEditorDelegate dlg;
  int parent = 0;
  EXPECT_EQ(dlg.OpenWindow(&parent), &parent);
  ASSERT_NE(dlg.GetUI(), nullptr);
  EXPECT_EQ(dlg.Graphics()->mOpenCount, 1);
  dlg.CloseWindow();
  EXPECT_EQ(dlg.GetUI(), nullptr);
  EXPECT_EQ(dlg.mUICloses, 1);
}

TEST(IGEditorDelegate, NoMakeGraphicsCallbackMeansNoView)
{
  IGEditorDelegate dlg(1);
  int parent = 0;
  EXPECT_EQ(dlg.OpenWindow(&parent), nullptr);
  EXPECT_EQ(dlg.GetUI(), nullptr);
}

TEST(IGEditorDelegate, CloseWindowFromInsideOnUICloseDoesNothingTheSecondTime)
{
  TestEditorDelegate dlg;
  dlg.OpenWindow(nullptr);
  dlg.mCloseFromInside = true;
  dlg.CloseWindow();
  EXPECT_EQ(dlg.mUICloses, 1);
  EXPECT_EQ(dlg.GetUI(), nullptr);
}

TEST(IGEditorDelegate, EditorStateRoundTripsThroughAClose)
{
  TestEditorDelegate dlg;
  dlg.OpenWindow(nullptr);
  dlg.GetUI()->Resize(400, 250, 1.5f);
  dlg.CloseWindow();

  IByteChunk chunk;
  EXPECT_TRUE(dlg.SerializeEditorState(chunk));
  ASSERT_EQ(chunk.Size(), 12);

  TestEditorDelegate restored;
  EXPECT_EQ(restored.UnserializeEditorState(chunk, 0), 12);
  restored.OpenWindow(nullptr);
  EXPECT_EQ(restored.GetUI()->Width(), 400);
  EXPECT_EQ(restored.GetUI()->Height(), 250);
  EXPECT_EQ(restored.GetUI()->GetDrawScale(), 1.5f);
}

TEST(IGEditorDelegate, EightByteEditorStateRemembersSizeWithoutScaleSoTheNextOpenDoesNotResize)
{
  TestEditorDelegate dlg;
  const IByteChunk chunk = EditorState(400, 250, 0.f, false);
  EXPECT_EQ(dlg.UnserializeEditorState(chunk, 0), -1);

  IByteChunk saved;
  dlg.SerializeEditorState(saved);
  int32_t width = 0, height = 0;
  float scale = -1.f;
  saved.Get(&scale, saved.Get(&height, saved.Get(&width, 0)));
  EXPECT_EQ(width, 400);
  EXPECT_EQ(height, 250);
  EXPECT_EQ(scale, 0.f);

  dlg.OpenWindow(nullptr);
  EXPECT_EQ(dlg.GetUI()->Width(), 300);
  EXPECT_EQ(dlg.Graphics()->mPlatformResizes, 0);
}

TEST(IGEditorDelegate, EditorStateOnAnOpenEditorResizesItWithinLimits)
{
  TestEditorDelegate dlg;
  dlg.OpenWindow(nullptr);
  EXPECT_EQ(dlg.UnserializeEditorState(EditorState(5000, 20, 1.f), 0), 12);
  EXPECT_EQ(dlg.GetUI()->Width(), 1000);
  EXPECT_EQ(dlg.GetUI()->Height(), 50);
  EXPECT_EQ(dlg.UnserializeEditorState(EditorState(0, 0, 0.f), 4), -1);
}

TEST(IGEditorDelegate, ParameterValuesReachEveryLinkedSlotNormalised)
{
  TestEditorDelegate dlg;
  dlg.OpenWindow(nullptr);
  dlg.LayoutUI(dlg.GetUI());
  dlg.SendParameterValueFromDelegate(0, 5.0, false);
  EXPECT_DOUBLE_EQ(dlg.GetUI()->GetControl(0)->GetValue(0), 0.75);
  EXPECT_DOUBLE_EQ(dlg.GetUI()->GetControl(1)->GetValue(1), 0.75);
  EXPECT_DOUBLE_EQ(dlg.GetUI()->GetControl(1)->GetValue(0), 0.0);
  ASSERT_FALSE(dlg.mUIChanges.empty());
  EXPECT_EQ(dlg.mUIChanges.back().first, 0);
  EXPECT_EQ(dlg.mUIChanges.back().second, kDelegate);
}

TEST(IGEditorDelegate, ParameterValuesWithTheEditorClosedStillReachTheHook)
{
  TestEditorDelegate dlg;
  dlg.SendParameterValueFromDelegate(1, 0.5, true);
  dlg.SendParameterValueFromDelegate(9, 0.5, true);
  EXPECT_EQ(dlg.mUIChanges.size(), 2u);
}

TEST(IGEditorDelegate, ControlMessagesGoByTagAndMissingTagsAreDropped)
{
  TestEditorDelegate dlg;
  dlg.SendControlValueFromDelegate(7, 0.5);
  dlg.OpenWindow(nullptr);
  dlg.LayoutUI(dlg.GetUI());
  auto* tagged = static_cast<RecordingControl*>(dlg.GetUI()->GetControlWithTag(7));
  ASSERT_NE(tagged, nullptr);
  dlg.SendControlValueFromDelegate(7, 0.25);
  dlg.SendControlValueFromDelegate(8, 0.9);
  dlg.SendControlMsgFromDelegate(7, 42);
  dlg.SendControlMsgFromDelegate(99, 43);
  EXPECT_EQ(tagged->GetValue(), 0.25);
  EXPECT_EQ(tagged->mMessages, (std::vector<int>{42}));
}

TEST(IGEditorDelegate, HostValuesThatAreNoNumbersAreIgnoredAndOthersClamped)
{
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  TestEditorDelegate dlg;
  dlg.OpenWindow(nullptr);
  dlg.LayoutUI(dlg.GetUI());
  IControl* tagged = dlg.GetUI()->GetControlWithTag(7);
  IControl* mix = dlg.GetUI()->GetControl(1);
  ASSERT_NE(tagged, nullptr);

  dlg.SendControlValueFromDelegate(7, 1e30);
  EXPECT_EQ(tagged->GetValue(), 1.0);
  dlg.SendControlValueFromDelegate(7, kNaN);
  dlg.SendControlValueFromDelegate(7, -kInf);
  EXPECT_EQ(tagged->GetValue(), 1.0);
  dlg.SendControlValueFromDelegate(7, -5.0);
  EXPECT_EQ(tagged->GetValue(), 0.0);

  dlg.SendParameterValueFromDelegate(1, 7.0, true);
  EXPECT_EQ(mix->GetValue(0), 1.0);
  const std::size_t changes = dlg.mUIChanges.size();
  dlg.SendParameterValueFromDelegate(1, kNaN, true);
  dlg.SendParameterValueFromDelegate(0, kInf, false);
  EXPECT_EQ(mix->GetValue(0), 1.0);
  EXPECT_EQ(tagged->GetValue(), 0.0);
  EXPECT_EQ(dlg.mUIChanges.size(), changes) << "an ignored value is no change";
  dlg.SendParameterValueFromDelegate(0, 1e30, false);
  dlg.SendParameterValueFromDelegate(1, -5.0, true);
  EXPECT_EQ(tagged->GetValue(), 1.0);
  EXPECT_EQ(mix->GetValue(0), 0.0);
}

TEST(IGEditorDelegate, MidiGoesOnlyToControlsThatWantIt)
{
  TestEditorDelegate dlg;
  dlg.OpenWindow(nullptr);
  dlg.LayoutUI(dlg.GetUI());
  auto* wanting = static_cast<RecordingControl*>(dlg.GetUI()->GetControl(1));
  wanting->SetWantsMidi(true);
  dlg.SendMidiMsgFromDelegate(IMidiMsg(0, 0x90, 60, 100));
  EXPECT_EQ(wanting->mMidiStatus, (std::vector<int>{0x90}));
  EXPECT_TRUE(static_cast<RecordingControl*>(dlg.GetUI()->GetControl(0))->mMidiStatus.empty());
}

TEST(IGEditorDelegate, KeysGoToTheContextAtThePointerAndAreUnhandledWhenClosed)
{
  TestEditorDelegate dlg;
  const IKeyPress key("a", 0);
  EXPECT_FALSE(dlg.OnKeyDown(key));
  dlg.OpenWindow(nullptr);
  // The fake platform reports the pointer at (12, 34); the background never takes keys.
  dlg.GetUI()->AttachControl(new RecordingControl(IRECT(0, 0, 300, 200)));
  auto* underPointer = new RecordingControl(IRECT(10, 30, 20, 40));
  underPointer->mHandlesKeys = true;
  dlg.GetUI()->AttachControl(underPointer);
  EXPECT_TRUE(dlg.OnKeyDown(key));
  EXPECT_EQ(underPointer->mEvents, (std::vector<std::string>{"keydown 0"}));
  underPointer->mHandlesKeys = false;
  EXPECT_FALSE(dlg.OnKeyUp(key));
}
