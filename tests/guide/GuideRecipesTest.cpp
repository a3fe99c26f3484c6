// The recipes the guide (docs/) quotes that no product shows: a parameter with a display of its own and a
// processor that follows MIDI notes. The guide's code blocks are checked against the regions between the
// "guide:" markers here (docs/check-guide), and these tests check that the code does what the guide says.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "IParam.h"
#include "plugin_core/TestProcessor.h"

using namespace iplug;

namespace
{
// guide:custom-display
// Shows a pan position (-1 to 1) as "C" in the middle, else how far it leans and to which side: "40 L", "100 R".
void PanDisplay(double value, WDL_String& display)
{
  const int percent = static_cast<int>(std::lround(std::fabs(value) * 100.));
  if (percent == 0)
    display.Set("C");
  else
    display.SetFormatted(32, "%d %s", percent, value < 0. ? "L" : "R");
}

void DeclarePan(IParam& pan)
{
  pan.InitDouble("Pan", 0., -1., 1., 0.01, "", 0, "", IParam::ShapeLinear(), IParam::kUnitCustom, PanDisplay);
}
// guide:end

// The guide's MIDI recipe on the tests' processor, which stands in for a format's adapter.
class NoteGate : public test::TestProcessor
{
public:
  NoteGate() : TestProcessor("1-1", 0, true) {}

  // guide:midi
  // Lets sound through only while a note is held. Every message for a block arrives through ProcessMidiMsg
  // before that block's ProcessBlock, on the audio thread.
  void ProcessMidiMsg(const IMidiMsg& msg) override
  {
    const int kind = msg.mStatus & 0xF0;
    if (kind == 0x90 && msg.mData2 > 0)
      mHeldNote = msg.mData1;
    else if ((kind == 0x80 || kind == 0x90) && msg.mData1 == mHeldNote)
      mHeldNote = -1;
  }

  void ProcessBlock(sample** inputs, sample** outputs, int nFrames) override
  {
    const double gain = mHeldNote >= 0 ? 1. : 0.;
    for (int c = 0; c < MaxNChannels(kOutput); ++c)
    {
      for (int i = 0; i < nFrames; ++i)
        outputs[c][i] = inputs[c][i] * gain;
    }
  }

private:
  int mHeldNote = -1; // the note that holds the gate open; -1: none. Audio thread only.
  // guide:end
};
}

TEST(GuideRecipes, ThePanDisplayShowsTheSideAndTheCentre)
{
  IParam pan;
  DeclarePan(pan);
  WDL_String text;
  pan.GetDisplay(-0.4, false, text);
  EXPECT_STREQ(text.Get(), "40 L");
  pan.GetDisplay(1., false, text);
  EXPECT_STREQ(text.Get(), "100 R");
  pan.GetDisplay(0.001, false, text);
  EXPECT_STREQ(text.Get(), "C");
  pan.GetDisplay(0.5, true, text);
  EXPECT_STREQ(text.Get(), "C");
}

TEST(GuideRecipes, TheNoteGateOpensOnANoteAndClosesOnItsRelease)
{
  NoteGate gate;
  double input[4] = {0.5, 0.5, 0.5, 0.5};
  double output[4] = {};
  sample* inputs[] = {input};
  sample* outputs[] = {output};
  const auto render = [&] {
    gate.ProcessBlock(inputs, outputs, 4);
    return output[3];
  };
  EXPECT_EQ(render(), 0.);
  gate.ProcessMidiMsg(IMidiMsg(0, 0x90, 60, 100));
  EXPECT_EQ(render(), 0.5);
  gate.ProcessMidiMsg(IMidiMsg(0, 0x80, 61, 0));
  EXPECT_EQ(render(), 0.5);
  gate.ProcessMidiMsg(IMidiMsg(0, 0x90, 60, 0));
  EXPECT_EQ(render(), 0.);
}
