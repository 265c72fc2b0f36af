// The program's own pictures: the icon and the list headings reach the
// statics that name them, and the main window's form and the About box
// are written with them for a person to look at (pictures_<id>.png).
#include "app/DialogPictures.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/MessageLoop.h"
#include "tests/app/SettingsDialogFixture.h"

namespace {

using settingstest::SettingsDialogFixture;

class DialogPicturesTest : public SettingsDialogFixture {
 protected:
  static ui::INT_PTR Quiet(ui::HWND, ui::UINT, ui::WPARAM, ui::LPARAM) { return 0; }
  static void PaintAll() {
    ui::MSG msg;
    while (ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_REMOVE)) ui::DispatchMessage(&msg);
  }
};

TEST_F(DialogPicturesTest, TheIconAndTheHeadingsFillTheirStatics) {
  app::RegisterResources();
  for (int id : {app::kAboutDialog, app::kFormView}) {
    SCOPED_TRACE(id);
    ui::DialogTemplate t = *app::LoadAppDialog(id);
    if (id == app::kFormView) {
      // The form is a child window; shown on its own here as a popup.
      t.style = (t.style & ~ui::WS_CHILD) | ui::WS_POPUP | ui::WS_CAPTION;
      t.caption = "Briven";
    }
    const ui::HWND dialog = ui::CreateDialogIndirectParam(&t, nullptr, &DialogPicturesTest::Quiet, 0);
    ASSERT_NE(dialog, nullptr);
    app::LoadDialogPictures(dialog);
    int pictures = 0;
    for (ui::HWND child = ui::GetWindow(dialog, ui::GW_CHILD); child; child = ui::GetWindow(child, ui::GW_HWNDNEXT)) {
      const ui::DWORD type = static_cast<ui::DWORD>(ui::GetWindowLongPtr(child, ui::GWL_STYLE)) & ui::SS_TYPEMASK;
      if (ui::GetClassName(child) != "Static" || (type != ui::SS_ICON && type != ui::SS_BITMAP)) continue;
      EXPECT_NE(ui::SendMessage(child, type == ui::SS_ICON ? ui::STM_GETICON : ui::STM_GETIMAGE, 0, 0), 0)
          << ui::GetWindowTextString(child);
      ++pictures;
    }
    EXPECT_EQ(pictures, id == app::kFormView ? 4 : 1);
    ui::ShowWindow(dialog, ui::SW_SHOW);
    PaintAll();
    const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/pictures_" + std::to_string(id) + ".png";
    EXPECT_TRUE(ui::GetHeadlessHost().DumpWindowPng(dialog, path));
    ui::DestroyWindow(dialog);
  }
  // The icon is see-through around its page.
  ui::ICONINFO info;
  ASSERT_TRUE(ui::GetIconInfo(ui::LoadIcon(app::kMainResource), &info));
  const ui::HDC dc = ui::CreateCompatibleDC(nullptr);
  const ui::HGDIOBJ old = ui::SelectObject(dc, info.hbmMask);
  EXPECT_EQ(ui::GetPixel(dc, 0, 0), ui::RGB(255, 255, 255));
  EXPECT_EQ(ui::GetPixel(dc, 15, 15), ui::RGB(0, 0, 0));
  ui::SelectObject(dc, old);
  ui::DeleteDC(dc);
  ui::DeleteObject(info.hbmMask);
  ui::DeleteObject(info.hbmColor);
}

}  // namespace
