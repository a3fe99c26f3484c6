#include <gtest/gtest.h>

#include "ILayer.h"

using namespace iplug::igraphics;

namespace {

// Counts destructions so the test can see that the layer deletes its bitmap.
class CountedBitmap : public APIBitmap
{
public:
  explicit CountedBitmap(int& destroyed) : APIBitmap(3, 200, 100, 2.f, 1.f), mDestroyed(destroyed) {}
  ~CountedBitmap() override { ++mDestroyed; }

private:
  int& mDestroyed;
};

} // namespace

TEST(ILayerOwnership, DeletesItsBitmapWithIt)
{
  int destroyed = 0;
  {
    ILayerPtr layer = std::make_unique<ILayer>(new CountedBitmap(destroyed), IRECT(0.f, 0.f, 100.f, 50.f), nullptr,
                                               IRECT());
    EXPECT_EQ(layer->GetBitmap().W(), 100);
    EXPECT_EQ(layer->GetBitmap().N(), 1);
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}

TEST(ILayerControlBounds, EmptyWithoutAControl)
{
  ILayer layer(nullptr, IRECT(0.f, 0.f, 10.f, 10.f), nullptr, IRECT(1.f, 2.f, 3.f, 4.f));
  EXPECT_TRUE(layer.ControlBounds().Empty());
  EXPECT_FALSE(layer.IsInvalid());
}

TEST(ILayerControlBounds, AChangedControlRectangleInvalidatesTheContent)
{
  ILayer layer(nullptr, IRECT(0.f, 0.f, 10.f, 10.f), nullptr, IRECT());
  EXPECT_FALSE(layer.UpdateControlBounds(IRECT()));
  EXPECT_FALSE(layer.IsInvalid());
  EXPECT_TRUE(layer.UpdateControlBounds(IRECT(5.f, 0.f, 15.f, 10.f)));
  EXPECT_TRUE(layer.IsInvalid());
  EXPECT_EQ(layer.ControlBounds(), IRECT(5.f, 0.f, 15.f, 10.f));
}
