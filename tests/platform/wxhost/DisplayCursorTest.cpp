#include "platform/wxhost/DisplayCursor.h"

#include <gtest/gtest.h>

#include "platform/ui/ImageResources.h"

// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/image.h>

namespace {

TEST(DisplayCursor, TheArrowKeepsItsShapeOutlineAndHotSpot) {
  const wxImage arrow = wxhost::DisplayCursor::Picture(ui::LoadCursor(ui::IDC_ARROW));
  ASSERT_TRUE(arrow.IsOk());
  EXPECT_EQ(arrow.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_X), 0);
  EXPECT_EQ(arrow.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_Y), 0);
  // The black outline, the white inside, the screen beside the tip.
  EXPECT_EQ(arrow.GetAlpha(0, 0), 255);
  EXPECT_EQ(arrow.GetRed(0, 0), 0);
  EXPECT_EQ(arrow.GetAlpha(1, 3), 255);
  EXPECT_EQ(arrow.GetRed(1, 3), 255);
  EXPECT_EQ(arrow.GetAlpha(5, 0), 0);
}

TEST(DisplayCursor, WhatIsNoCursorGivesNoPicture) {
  EXPECT_FALSE(wxhost::DisplayCursor::Picture(nullptr).IsOk());
  EXPECT_FALSE(wxhost::DisplayCursor::Picture(reinterpret_cast<ui::HCURSOR>(0x1234)).IsOk());
}

TEST(DisplayCursor, TheSizingCursorsHotSpotIsItsMiddle) {
  const wxImage sizing = wxhost::DisplayCursor::Picture(ui::LoadCursor(ui::IDC_SIZEWE));
  ASSERT_TRUE(sizing.IsOk());
  EXPECT_EQ(sizing.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_X), 7);
  EXPECT_EQ(sizing.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_Y), 3);
}

}  // namespace
