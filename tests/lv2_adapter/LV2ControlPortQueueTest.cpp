// Control-port changes under LV2 reach the parameters and nothing else: the editor of an LV2 plug-in is fed by
// the host's port events, so nothing is left on the queue toward an editor, where no idle timer would drain it.

#include <gtest/gtest.h>

#include <vector>

#include "IPlugLV2.h"

namespace
{
  iplug::Config EditorConfig()
  {
    return iplug::Config{.paramCount = 2,
                         .channelIO = "1-1",
                         .pluginName = "Probe",
                         .makerName = "Example Audio",
                         .hasEditor = true,
                         .editorWidth = 100,
                         .editorHeight = 100,
                         .bundleId = "org.example.Probe",
                         .lv2Class = "UtilityPlugin"};
  }

  // The adapter with an editor, and a look at its queue toward the editor.
  class QueueProbe : public iplug::IPlugLV2
  {
  public:
    QueueProbe()
      : IPlugLV2(iplug::InstanceInfo(), EditorConfig())
    {
      GetParam(0)->InitDouble("Level", 0.5, 0.0, 1.0, 0.001);
      GetParam(1)->InitDouble("Tone", 0.5, 0.0, 1.0, 0.001);
    }

    // Empties the queue toward the editor; returns how many changes it held.
    int TakeQueuedChanges()
    {
      int count = 0;
      iplug::ParamTuple change;
      while (mParamChangeToUIQueue.Pop(change))
        ++count;
      return count;
    }
  };
}

TEST(LV2ControlPorts, ChangesReachTheParametersAndQueueNothingTowardAnEditor)
{
  QueueProbe plug;
  float level = 0.f, tone = 0.f;
  std::vector<float> input(64, 0.25f), output(64);
  plug.ConnectPort(0, &level);
  plug.ConnectPort(1, &tone);
  plug.ConnectPort(2, input.data());
  plug.ConnectPort(3, output.data());
  plug.Activate();
  // More changes than the queue holds, so a queue nobody drains would have filled.
  for (int run = 0; run < 3 * iplug::IPlugAPIBase::kParamChangeQueueSize; ++run)
  {
    level = static_cast<float>(run % 1000) / 1000.f;
    tone = 1.f - level;
    plug.Run(64);
    ASSERT_EQ(plug.GetParam(0)->Value(), static_cast<double>(level)) << run;
    ASSERT_EQ(plug.GetParam(1)->Value(), static_cast<double>(tone)) << run;
  }
  EXPECT_EQ(plug.TakeQueuedChanges(), 0);
}
