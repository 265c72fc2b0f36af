// The program's toolbar: resource 128 lists the default toolbar's eleven
// entries and bitmap 128 holds one image for each button.
#include <gtest/gtest.h>

#include "app/AppResources.h"
#include "platform/ui/Gdi.h"

namespace app {
namespace {

TEST(ImageResourcesTest, ToolbarResourceAndBitmapAgree) {
  RegisterResources();
  const ui::ToolbarResource* toolbar = ui::FindToolbarResource(kMainResource);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(toolbar->items.size(), 11u);
  EXPECT_EQ(toolbar->items[3], kCmdConvert);
  EXPECT_EQ(toolbar->items[4], 0);
  int buttons = 0;
  for (auto id : toolbar->items) buttons += id != 0;
  const ui::HBITMAP bitmap = ui::LoadBitmap(kMainResource);
  ASSERT_NE(bitmap, nullptr);
  ui::SIZE size;
  ASSERT_TRUE(ui::GetBitmapDimensionEx(bitmap, &size));
  EXPECT_EQ(size.cx, toolbar->width * buttons);
  EXPECT_EQ(size.cy, toolbar->height);
  // The face grey is the background, so the colour mapping replaces it.
  EXPECT_EQ(ui::GetBitmapPixel(bitmap, 0, 0), ui::RGB(192, 192, 192));
  ui::DeleteObject(bitmap);
}

}  // namespace
}  // namespace app
