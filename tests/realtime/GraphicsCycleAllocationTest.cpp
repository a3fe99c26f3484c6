#include <gtest/gtest.h>

#include "AllocationCounter.h"
#include "support/HundredControlEditor.h"

using namespace iplug::igraphics;

// The editor runs a frame 60 times a second while the host plays: frames with nothing or one small
// control dirty (the duck meter) must not touch the heap once the dirty list has grown.
TEST(GraphicsCycleAllocation, FramesWithNothingOrOneControlDirtyAllocateNothing)
{
  HundredControlEditor editor;
  IControl* meter = editor.graphics.GetControl(50);
  for (int i = 0; i < 3; ++i)
  {
    meter->SetDirty(false);
    editor.Frame();
  }

  int idleFramesDrawn = 0;
  int meterFramesDrawn = 0;
  long allocations = 0;
  {
    ScopedAllocationCounter counter;
    for (int i = 0; i < 100; ++i)
    {
      idleFramesDrawn += editor.Frame() ? 1 : 0;
      meter->SetDirty(false);
      meterFramesDrawn += editor.Frame() ? 1 : 0;
    }
    allocations = counter.Count();
  }
  EXPECT_EQ(allocations, 0);
  EXPECT_EQ(idleFramesDrawn, 0);
  EXPECT_EQ(meterFramesDrawn, 100);
}

TEST(GraphicsCycleAllocation, TheCounterSeesAllocationsInsideAFrame)
{
  HundredControlEditor editor;
  editor.graphics.mLogging = true;
  editor.graphics.GetControl(50)->SetDirty(false);
  ScopedAllocationCounter counter;
  editor.Frame();
  EXPECT_GT(counter.Count(), 0) << "with logging on the recording back end allocates its log lines";
}
