#include <gtest/gtest.h>

#include <vector>

#include "IEditorDelegate.h"

namespace
{
  // Records the product hook's calls.
  class RecordingDelegate : public iplug::IEditorDelegate
  {
  public:
    using IEditorDelegate::IEditorDelegate;
    using IEditorDelegate::OnParamChange;
    void OnParamChange(int paramIdx) override { mChanged.push_back(paramIdx); }
    std::vector<int> mChanged;
  };
}

TEST(IEditorDelegate, OwnsOneParameterPerIndex)
{
  RecordingDelegate delegate(3);
  EXPECT_EQ(delegate.NParams(), 3);
  EXPECT_NE(delegate.GetParam(2), nullptr);
  EXPECT_NE(delegate.GetParam(0), delegate.GetParam(1));
  EXPECT_EQ(delegate.GetParam(3), nullptr);
  EXPECT_EQ(delegate.GetParam(-1), nullptr);
}

TEST(IEditorDelegate, ParamResetReachesTheProductHookInIndexOrder)
{
  RecordingDelegate delegate(4);
  delegate.OnParamReset(iplug::kPresetRecall);
  EXPECT_EQ(delegate.mChanged, (std::vector<int>{0, 1, 2, 3}));
  delegate.OnParamChange(2, iplug::kHost, 17);
  EXPECT_EQ(delegate.mChanged.back(), 2);
}
