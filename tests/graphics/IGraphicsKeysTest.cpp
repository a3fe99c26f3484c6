#include <gtest/gtest.h>

#include <cmath>

#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  // "on 48" / "off 48" for each message.
  std::vector<std::string> Notes(const std::vector<IMidiMsg>& messages)
  {
    std::vector<std::string> notes;
    for (const IMidiMsg& msg : messages)
      notes.push_back((msg.mStatus == 0x90 ? "on " : msg.mStatus == 0x80 ? "off " : "? ") + std::to_string(msg.mData1));
    return notes;
  }

  IKeyPress Key(char letter) { return IKeyPress(nullptr, letter); }
}

TEST(IGraphicsKeys, TheControlUnderThePointerGetsTheKeyFirstThenTheKeyHandler)
{
  GraphicsFixture f;
  RecordingControl* background = f.Add(IRECT(0, 0, 300, 200));
  background->mHandlesKeys = true;
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50));
  EXPECT_FALSE(f.graphics.OnKeyDown(100, 100, Key('Q'))) << "the background never takes keys";
  EXPECT_TRUE(background->mEvents.empty());

  std::vector<std::pair<int, bool>> handled;
  f.graphics.SetKeyHandlerFunc([&](const IKeyPress& key, bool isUp) {
    handled.push_back({key.VK, isUp});
    return true;
  });
  EXPECT_TRUE(f.graphics.OnKeyDown(20, 20, Key('Q')));
  EXPECT_TRUE(f.graphics.OnKeyUp(20, 20, Key('Q')));
  EXPECT_EQ(knob->mEvents, (std::vector<std::string>{"keydown 81", "keyup 81"}));
  EXPECT_EQ(handled, (std::vector<std::pair<int, bool>>{{'Q', false}, {'Q', true}}));

  knob->mHandlesKeys = true;
  EXPECT_TRUE(f.graphics.OnKeyDown(20, 20, Key('W')));
  EXPECT_EQ(handled.size(), 2u) << "a control that handles the key stops it";
}

TEST(IGraphicsKeys, KeysAtAnUnusablePointerPositionGoStraightToTheHandler)
{
  GraphicsFixture f;
  f.Add(IRECT(0, 0, 300, 200));
  RecordingControl* knob = f.Add(IRECT(10, 10, 50, 50));
  EXPECT_FALSE(f.graphics.OnKeyDown(std::nanf(""), 20, Key('Q')));
  EXPECT_TRUE(knob->mEvents.empty());
}

TEST(IGraphicsKeys, TheComputerKeyboardPlaysNotesAndSwitchesOctaves)
{
  GraphicsFixture f;
  std::vector<IMidiMsg> copies;
  f.graphics.SetQwertyMidiKeyHandlerFunc([&](const IMidiMsg& msg) { copies.push_back(msg); });

  EXPECT_TRUE(f.graphics.OnKeyDown(0, 0, Key('A')));
  EXPECT_TRUE(f.graphics.OnKeyDown(0, 0, Key('A'))) << "a repeat of a held key sends nothing";
  f.graphics.OnKeyDown(0, 0, Key('X'));
  f.graphics.OnKeyUp(0, 0, Key('A'));
  EXPECT_EQ(Notes(f.dlg.mMidi), (std::vector<std::string>{"on 48", "off 48"}))
    << "the octave switch silences the held note; its release is for note 60 and sends nothing";
  EXPECT_EQ(f.dlg.mMidi[0].mData2, 127);

  f.graphics.OnKeyDown(0, 0, Key('Z'));
  f.graphics.OnKeyUp(0, 0, Key('A'));
  EXPECT_EQ(Notes(f.dlg.mMidi), (std::vector<std::string>{"on 48", "off 48", "off 48", "off 48"}));
  EXPECT_EQ(Notes(copies), Notes(f.dlg.mMidi)) << "the callback sees every message";

  f.dlg.mMidi.clear();
  for (int i = 0; i < 5; ++i)
    f.graphics.OnKeyDown(0, 0, Key('Z'));
  f.graphics.OnKeyDown(0, 0, Key('L'));
  f.graphics.OnKeyUp(0, 0, Key('L'));
  for (int i = 0; i < 10; ++i)
    f.graphics.OnKeyDown(0, 0, Key('X'));
  f.graphics.OnKeyDown(0, 0, Key('W'));
  f.graphics.OnKeyUp(0, 0, Key('W'));
  EXPECT_EQ(Notes(f.dlg.mMidi), (std::vector<std::string>{"on 38", "off 38", "on 97", "off 97"}))
    << "the base stays within 24 and 96";
  EXPECT_TRUE(f.graphics.OnKeyDown(0, 0, Key('B'))) << "the keyboard takes every key, playing or not";
  EXPECT_EQ(f.dlg.mMidi.size(), 4u);

  for (int i = 0; i < 4; ++i)
    f.graphics.OnKeyDown(0, 0, Key('Z'));
}
