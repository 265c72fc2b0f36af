// The About box made from its template, filled from the application object.
#include <gtest/gtest.h>

#include "app/AboutDlg.h"
#include "app/AppResources.h"
#include "app/BrivenApp.h"
#include "platform/sys/Version.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"

namespace {

TEST(AboutBox, ShowsTheVersionBlockAndLeavesAbsentValuesAlone) {
  CBrivenApp application;
  application.ReadVersionInfo();
  CAboutDlg about(&application);
  ASSERT_TRUE(about.Create(app::kAboutDialog));
  const ui::HWND dialog = about.m_hWnd;
  const sys::VersionBlock& block = sys::GetVersionBlock();
  EXPECT_EQ(ui::GetWindowTextString(dialog), "About Briven");
  EXPECT_EQ(ui::GetDlgItemTextString(dialog, app::kAboutProductName), block.product_name);
  EXPECT_EQ(ui::GetDlgItemTextString(dialog, app::kAboutVersion), std::string("Version ") + block.product_version);
  EXPECT_EQ(ui::GetDlgItemTextString(dialog, app::kAboutCopyright), block.legal_copyright);
  // No installation key here: the template's empty fields stay empty.
  EXPECT_EQ(ui::GetDlgItemTextString(dialog, app::kAboutUserName), "");
  about.DestroyWindow();

  // Without an application object nothing is filled in, and nothing fails.
  CAboutDlg bare(nullptr);
  ASSERT_TRUE(bare.Create(app::kAboutDialog));
  EXPECT_EQ(ui::GetDlgItemTextString(bare.m_hWnd, app::kAboutVersion), "Version");
  bare.DestroyWindow();
}

}  // namespace
