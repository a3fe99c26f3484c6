#include <gtest/gtest.h>

#include "StaticStorage.h"

using iplug::igraphics::StaticStorage;

namespace
{
// Counts its own destructions so ownership can be observed.
struct Tracked
{
  explicit Tracked(int* destroyed) : mDestroyed(destroyed) {}
  ~Tracked() { ++*mDestroyed; }
  int* mDestroyed;
};
} // namespace

TEST(StaticStorageKey, KeyTextIsNameThenScaleWithOneDecimal)
{
  WDL_String text;
  StaticStorage<Tracked>::KeyText(text, "controlKnob.png", 2.0);
  EXPECT_STREQ(text.Get(), "controlKnob.png-2.0x");
  StaticStorage<Tracked>::KeyText(text, "a.svg", 1.5);
  EXPECT_STREQ(text.Get(), "a.svg-1.5x");
}

TEST(StaticStorageFind, FindsOnlyTheExactNameAndScale)
{
  int destroyed = 0;
  StaticStorage<Tracked> storage;
  auto* knob = new Tracked(&destroyed);
  storage.Add(knob, "knob.png", 2.0);
  EXPECT_EQ(storage.Find("knob.png", 2.0), knob);
  EXPECT_EQ(storage.Find("knob.png", 1.0), nullptr);
  EXPECT_EQ(storage.Find("KNOB.png", 2.0), nullptr);
  EXPECT_EQ(storage.Find("knob.pn", 2.0), nullptr);
}

TEST(StaticStorageFind, ScalesThatFormatAlikeStillDiffer)
{
  // 2.0 and 2.04 share the key text "-2.0x" and so the hash; the scale itself must decide.
  int destroyed = 0;
  StaticStorage<Tracked> storage;
  storage.Add(new Tracked(&destroyed), "knob.png", 2.04);
  EXPECT_EQ(storage.Find("knob.png", 2.0), nullptr);
}

TEST(StaticStorageFind, FirstOfTwoEqualKeysWins)
{
  int destroyed = 0;
  StaticStorage<Tracked> storage;
  auto* first = new Tracked(&destroyed);
  storage.Add(first, "bg.png", 1.0);
  storage.Add(new Tracked(&destroyed), "bg.png", 1.0);
  EXPECT_EQ(storage.Size(), 2);
  EXPECT_EQ(storage.Find("bg.png", 1.0), first);
}

TEST(StaticStorageRemove, RemovingDeletesTheObjectAndItsEntry)
{
  int destroyed = 0;
  StaticStorage<Tracked> storage;
  auto* knob = new Tracked(&destroyed);
  storage.Add(knob, "knob.png", 1.0);
  EXPECT_TRUE(storage.Remove(knob));
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(storage.Find("knob.png", 1.0), nullptr);
  Tracked stranger(&destroyed);
  EXPECT_FALSE(storage.Remove(&stranger));
}

TEST(StaticStorageInstances, LastReleaseEmptiesTheCache)
{
  int destroyed = 0;
  StaticStorage<Tracked> storage;
  storage.Retain();
  storage.Retain();
  storage.Add(new Tracked(&destroyed), "a.png", 1.0);
  storage.Add(new Tracked(&destroyed), "b.png", 2.0);
  storage.Release();
  EXPECT_EQ(storage.Size(), 2);
  EXPECT_EQ(destroyed, 0);
  storage.Release();
  EXPECT_EQ(storage.Size(), 0);
  EXPECT_EQ(destroyed, 2);
  storage.Release();
  EXPECT_EQ(storage.InstanceCount(), 0);
}

TEST(StaticStorageAdd, NullIsNotAdded)
{
  StaticStorage<Tracked> storage;
  storage.Add(nullptr, "x.png", 1.0);
  EXPECT_EQ(storage.Size(), 0);
}

TEST(StaticStorageLock, AccessorMayBeHeldWhileUsingTheCache)
{
  int destroyed = 0;
  StaticStorage<Tracked> storage;
  StaticStorage<Tracked>::Accessor hold(storage);
  storage.Add(new Tracked(&destroyed), "x.png", 1.0);
  EXPECT_NE(storage.Find("x.png", 1.0), nullptr);
}
