// Activation and reset requested from any thread run once, on the thread that starts the next block, in
// the order activation then reset, with the latest activation winning.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "TestProcessor.h"

using namespace iplug;

namespace
{
class RecordingProcessor : public test::TestProcessor
{
public:
  RecordingProcessor() : TestProcessor("2-2") {}
  void OnReset() override { calls.push_back("reset"); }
  void OnActivate(bool active) override { calls.push_back(active ? "activate" : "deactivate"); }

  std::vector<std::string> calls;
};
} // namespace

TEST(ProcessorRequest, NothingRunsUntilTheNextBlockStarts)
{
  RecordingProcessor processor;
  processor.RequestReset();
  processor.RequestActivate(true);
  EXPECT_TRUE(processor.calls.empty());
  processor.RunPendingRequests();
  EXPECT_EQ(processor.calls, (std::vector<std::string>{"activate", "reset"}));
  processor.RunPendingRequests();
  EXPECT_EQ(processor.calls.size(), 2u) << "each request runs once";
}

TEST(ProcessorRequest, TheLatestActivationWinsAndResetsCollapse)
{
  RecordingProcessor processor;
  processor.RequestActivate(false);
  processor.RequestReset();
  processor.RequestActivate(true);
  processor.RequestReset();
  processor.RunPendingRequests();
  EXPECT_EQ(processor.calls, (std::vector<std::string>{"activate", "reset"}));

  processor.calls.clear();
  processor.RequestActivate(true);
  processor.RequestActivate(false);
  processor.RunPendingRequests();
  EXPECT_EQ(processor.calls, (std::vector<std::string>{"deactivate"}));
}

TEST(ProcessorRequestThreads, RequestsFromAnotherThreadRunOnTheBlockThreadOnly)
{
  RecordingProcessor processor;
  std::atomic<bool> done{false};
  std::thread host([&] {
    for (int i = 0; i < 20000; ++i)
    {
      processor.RequestActivate(i % 2 == 0);
      processor.RequestReset();
      processor.SetBypassed(i % 3 == 0);
      processor.SetSampleRate(i % 2 ? 44100.0 : 48000.0);
    }
    done = true;
  });
  while (!done.load())
  {
    processor.RunPendingRequests();
    (void)processor.GetBypassed();
    (void)processor.GetSampleRate();
  }
  host.join();
  processor.RunPendingRequests();
  ASSERT_FALSE(processor.calls.empty());
  EXPECT_EQ(processor.calls.back(), "reset") << "the last request of the host ran after it";
}
