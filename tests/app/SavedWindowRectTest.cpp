// Saved window positions: read field by field (a five-character number
// does not shift the fields after it), refused unless every field is a
// number and the rectangle has a size, and kept on the screen there is.
#include <gtest/gtest.h>

#include "app/SavedWindowRect.h"

namespace {

TEST(SavedWindowRect, RectanglesAreReadByFieldsAndValidated) {
  struct Case {
    const char* text;
    bool taken;
    ui::RECT rect;
  };
  const Case cases[] = {
      {"0100 0050 0700 0550", true, {100, 50, 700, 550}},
      {"-1200 0050 -0600 0550", true, {-1200, 50, -600, 550}},  // a monitor to the left
      {"  100   50  700  550  ", true, {100, 50, 700, 550}},
      {"0100 0050 0700", false, {}},
      {"0100 0050 0700 0550 0001", false, {}},
      {"0100 0050 07x0 0550", false, {}},
      {"0700 0050 0100 0550", false, {}},  // no width
      {"0100 0550 0700 0550", false, {}},  // no height
      {"99999999999 0 10 10", false, {}},
      {"", false, {}},
  };
  for (const Case& c : cases) {
    ui::RECT rect{1, 2, 3, 4};
    EXPECT_EQ(app::ParseWindowRect(c.text, rect), c.taken) << c.text;
    EXPECT_EQ(rect, c.taken ? c.rect : (ui::RECT{1, 2, 3, 4})) << c.text;
  }
  EXPECT_EQ(app::FormatWindowRect({100, 50, 700, 550}), "0100 0050 0700 0550");
  EXPECT_EQ(app::FormatWindowRect({-12, 5, 700, 550}), "-012 0005 0700 0550");
  ui::RECT back;
  ASSERT_TRUE(app::ParseWindowRect(app::FormatWindowRect({-1200, 50, -600, 550}), back));
  EXPECT_EQ(back, (ui::RECT{-1200, 50, -600, 550}));
}

TEST(SavedWindowRect, CornersAreReadTheSameWay) {
  ui::POINT corner{7, 7};
  EXPECT_TRUE(app::ParseWindowCorner("0120 -0040", corner));
  EXPECT_EQ(corner.x, 120);
  EXPECT_EQ(corner.y, -40);
  EXPECT_FALSE(app::ParseWindowCorner("0120", corner));
  EXPECT_FALSE(app::ParseWindowCorner("0120 0040 0001", corner));
  EXPECT_EQ(corner.x, 120);
  EXPECT_EQ(app::FormatWindowCorner({120, 40, 0, 0}), "0120 0040");
}

TEST(SavedWindowRect, ARectangleFromAScreenThatIsGoneComesBack) {
  const ui::RECT screen{0, 0, 1280, 1024};
  struct Case {
    ui::RECT saved, shown;
  };
  const Case cases[] = {
      {{100, 50, 700, 550}, {100, 50, 700, 550}},         // on the screen: unchanged
      {{2000, 50, 2600, 550}, {680, 50, 1280, 550}},      // a monitor to the right that is gone
      {{-1200, -300, -600, 200}, {0, 0, 600, 500}},       // one to the left and above
      {{100, 900, 700, 1400}, {100, 524, 700, 1024}},     // hanging off the bottom
      {{500, 500, 2500, 2500}, {0, 0, 2000, 2000}},       // larger than the screen: its corner on it
  };
  for (const Case& c : cases) EXPECT_EQ(app::KeepOnScreen(c.saved, screen), c.shown) << c.saved.left;
}

}  // namespace
