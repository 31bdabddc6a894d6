#include <utility>

#include "gdi_test_support.h"

namespace lumaveil::gdi::testing {
namespace {

using Ownership = NoLeaks;

TEST_F(Ownership, AnOwnedObjectIsFreedOnceByWhoeverHoldsItLast) {
  const int live = LiveObjectCount();
  Owned<Brush> moved_to;
  {
    Owned<Brush> made(CreateSolidBrush(kRed));
    ASSERT_TRUE(made);
    EXPECT_EQ(LiveObjectCount(), live + 1);
    moved_to = std::move(made);
    EXPECT_FALSE(made);
  }
  EXPECT_EQ(LiveObjectCount(), live + 1) << "the moved-from owner freed what it gave away";
  moved_to = Owned<Brush>(CreateSolidBrush(kBlue));
  EXPECT_EQ(LiveObjectCount(), live + 1) << "the replaced brush was not freed";
  moved_to.Reset();
  EXPECT_EQ(LiveObjectCount(), live);
  moved_to.Reset();  // nothing left to free
  EXPECT_FALSE(Owned<Pen>(CreatePen(7, 1, kRed))) << "a failed creation owns nothing";
}

TEST_F(Ownership, AScopedSelectionPutsBackWhatItDisplaced) {
  const Owned<Dc> dc(CreateCompatibleDC(0));
  const Owned<Pen> red(CreatePen(PS_SOLID, 1, kRed));
  const Owned<Pen> blue(CreatePen(PS_SOLID, 1, kBlue));
  const HGDIOBJ stock = SelectObject(dc.get(), red.get());
  {
    const ScopedSelect selected(dc.get(), blue.get());
    EXPECT_EQ(selected.previous(), red.get());
    EXPECT_EQ(SelectObject(dc.get(), blue.get()), blue.get());
  }
  EXPECT_EQ(SelectObject(dc.get(), stock), red.get()) << "the red pen was not put back";
}

TEST_F(Ownership, AFailedSelectionPutsNothingBack) {
  const Owned<Dc> dc(CreateCompatibleDC(0));
  const Owned<Brush> brush(CreateSolidBrush(kRed));
  const HGDIOBJ stock = SelectObject(dc.get(), brush.get());
  {
    const ScopedSelect stale(dc.get(), 0x7FFFFFF0);
    EXPECT_EQ(stale.previous(), 0);
    const ScopedSelect no_context(0, brush.get());
    EXPECT_EQ(no_context.previous(), 0);
  }
  EXPECT_EQ(SelectObject(dc.get(), stock), brush.get());
}

// A bitmap cannot be freed while it is selected: declared in the order they are made, the
// owners let go of the selection first, so the bitmap and the context are both freed.
TEST_F(Ownership, OwnersDeclaredInOrderFreeASelectedBitmap) {
  const int live = LiveObjectCount();
  {
    const Owned<Dc> dc(CreateCompatibleDC(0));
    const Owned<Bitmap> bitmap(CreateCompatibleBitmap(dc.get(), 2, 2));
    ScopedSelect selected(dc.get(), bitmap.get());
    ASSERT_NE(selected.previous(), 0);
    ScopedSelect moved = std::move(selected);
    EXPECT_EQ(selected.previous(), 0);
    EXPECT_EQ(LiveObjectCount(), live + 2);
  }
  EXPECT_EQ(LiveObjectCount(), live);
}

}  // namespace
}  // namespace lumaveil::gdi::testing
