// Bitmap menus: which items a popup hands to the plug-in and how they come
// back, items of other components judged menu by menu, the measured size,
// an item drawn in each state as a PNG, a colour change, and a popup of a
// frame run through the menu loop with its images, as a screen PNG.
#include "docking/QVTBmpMenuPlugIn.h"

#include <cairo.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "docking/QVTFrameWnd.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Messages.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking {
namespace {

constexpr UINT kParameters = 101, kHeader = 102, kExit = 107;
constexpr char kParametersText[] = "&Parameters...\tCtrl+P";
const auto kForeignData = static_cast<UINT_PTR>(0x1234);

// A 16 x 15 image on the face colour: a blue page with a black 4 x 4
// square at (6, 5).
HBITMAP TestImage() {
  HBITMAP bitmap = CreateBitmap(16, 15, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ before = SelectObject(dc, bitmap);
  StylePainter::FillSolid(dc, RECT{0, 0, 16, 15}, GetSysColor(COLOR_BTNFACE));
  StylePainter::FillSolid(dc, RECT{3, 1, 13, 14}, RGB(40, 90, 200));
  StylePainter::FillSolid(dc, RECT{6, 5, 10, 9}, RGB(0, 0, 0));
  SelectObject(dc, before);
  DeleteDC(dc);
  return bitmap;
}

MENUITEMINFO ItemInfo(HMENU menu, int position) {
  MENUITEMINFO info;
  info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
  EXPECT_TRUE(GetMenuItemInfo(menu, static_cast<UINT>(position), TRUE, &info));
  return info;
}

bool OwnerDrawn(HMENU menu, int position) { return (ItemInfo(menu, position).fType & MFT_OWNERDRAW) != 0; }

class QVTBmpMenuPlugInTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    plugIn = std::make_unique<QVTBmpMenuPlugIn>();
    image = TestImage();
    ASSERT_TRUE(plugIn->AddBitmapHandles(image, nullptr, &kParameters, 1));
  }
  void TearDown() override {
    plugIn.reset();
    DeleteObject(image);
    AfxFixture::TearDown();
  }
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam, BOOL* handled) {
    LRESULT result = 0;
    *handled = plugIn->OnFrameMessage(message, wParam, lParam, &result);
    return result;
  }
  void Prepare(HMENU menu) {
    BOOL handled = TRUE;
    Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0, &handled);
    EXPECT_FALSE(handled) << "the frame's own initialisation must still run";
  }
  BOOL Draws(HMENU menu, UINT_PTR data) {
    HBITMAP target = CreateBitmap(200, 24, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(dc, target);
    DRAWITEMSTRUCT draw;
    draw.CtlType = ODT_MENU;
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = dc;
    draw.rcItem = RECT{0, 0, 200, 24};
    draw.itemData = data;
    BOOL handled = FALSE;
    Send(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &handled);
    SelectObject(dc, before);
    DeleteDC(dc);
    DeleteObject(target);
    return handled;
  }

  std::unique_ptr<QVTBmpMenuPlugIn> plugIn;
  HBITMAP image = nullptr;
};

TEST_F(QVTBmpMenuPlugInTest, PlainItemsBecomeOwnerDrawnAndComeBackOnDestruction) {
  const std::string longText = std::string(300, 'w') + "&Z\tCtrl+Z";
  HMENU sub = CreatePopupMenu();
  HMENU menu = CreatePopupMenu();
  struct Case {
    const char* name;
    UINT flags;
    UINT_PTR idOrPopup;
    std::string text;
    bool ours;
  } cases[] = {
      {"a command", MF_STRING, kParameters, kParametersText, true},
      {"a separator", MF_SEPARATOR, 0, "", false},
      {"a popup item", MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Recent", true},
      {"a system command", MF_STRING, 0xF060, "&Close", false},
      {"someone else's owner-drawn item", MF_OWNERDRAW, kHeader, "", false},
      {"a text longer than 256 bytes", MF_STRING, 106, longText, true},
      {"a greyed command", MF_STRING | MF_GRAYED, kExit, "E&xit", true},
  };
  for (const Case& c : cases) {
    const char* text = (c.flags & MF_OWNERDRAW) ? reinterpret_cast<const char*>(kForeignData) : c.text.c_str();
    AppendMenu(menu, c.flags, c.idOrPopup, text);
  }
  Prepare(menu);
  Prepare(menu);  // a second time changes nothing
  HMENU system = CreatePopupMenu();
  AppendMenu(system, MF_STRING, 201, "&Restore");
  BOOL handled = FALSE;
  Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, 1), &handled);
  EXPECT_FALSE(OwnerDrawn(system, 0)) << "a system menu stays native";
  EXPECT_EQ(plugIn->ItemInfoCount(), 4u);
  // A settings change has the menu measure the items again; they stay the
  // plug-in's, with the same infos.
  Send(WM_SETTINGCHANGE, 0, 0, &handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(plugIn->ItemInfoCount(), 4u);

  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    const MENUITEMINFO item = ItemInfo(menu, i);
    const QVTBmpMenuItemInfo* info = plugIn->FindItemInfo(menu, item.dwItemData);
    EXPECT_EQ(info != nullptr, c.ours);
    EXPECT_EQ(OwnerDrawn(menu, i), c.ours || (c.flags & MF_OWNERDRAW));
    if (!info) continue;
    EXPECT_EQ(info->text, c.text);
    EXPECT_EQ(info->id, (c.flags & MF_POPUP) ? 0u : static_cast<UINT>(c.idOrPopup));
  }

  plugIn.reset();
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    const MENUITEMINFO item = ItemInfo(menu, i);
    if (c.flags & MF_OWNERDRAW) {
      EXPECT_TRUE(item.fType & MFT_OWNERDRAW);
      EXPECT_EQ(item.dwItemData, kForeignData);
      continue;
    }
    EXPECT_FALSE(item.fType & MFT_OWNERDRAW);
    EXPECT_EQ(item.dwItemData, 0u);
    EXPECT_EQ(GetMenuStringText(menu, static_cast<UINT>(i), MF_BYPOSITION), c.text);
  }
  DestroyMenu(menu);
  DestroyMenu(system);
}

TEST_F(QVTBmpMenuPlugInTest, OtherComponentsItemsAreJudgedMenuByMenu) {
  // Another menu holds owner-drawn items of someone else with the same
  // ids (a popup counts as id 0): they must not keep this menu's items
  // native.
  HMENU otherSub = CreatePopupMenu();
  HMENU other = CreatePopupMenu();
  AppendMenu(other, MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(otherSub),
             reinterpret_cast<const char*>(kForeignData));
  AppendMenu(other, MF_OWNERDRAW, kParameters, reinterpret_cast<const char*>(kForeignData));
  HMENU sub = CreatePopupMenu();
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Recent");
  AppendMenu(menu, MF_STRING, kParameters, kParametersText);
  Prepare(other);
  Prepare(menu);
  EXPECT_TRUE(plugIn->FindItemInfo(menu, ItemInfo(menu, 0).dwItemData));
  EXPECT_TRUE(plugIn->FindItemInfo(menu, ItemInfo(menu, 1).dwItemData));
  EXPECT_EQ(ItemInfo(other, 1).dwItemData, kForeignData);

  // Data pointing at an item info of one menu is not the plug-in's in
  // another; unknown data is never read.
  const UINT_PTR ours = ItemInfo(menu, 1).dwItemData;
  EXPECT_TRUE(Draws(menu, ours));
  EXPECT_FALSE(Draws(other, ours));
  EXPECT_FALSE(Draws(other, kForeignData));
  MEASUREITEMSTRUCT measure;
  measure.CtlType = ODT_MENU;
  measure.itemData = kForeignData;
  BOOL handled = TRUE;
  Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), &handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(measure.itemWidth, 0u);

  // An item set back to a plain string (a command's new text), and a
  // menu that is gone, are forgotten at idle time.
  ModifyMenu(menu, 1, MF_BYPOSITION | MF_STRING, kParameters, "&Parameters");
  DestroyMenu(other);
  EXPECT_EQ(plugIn->MenuCount(), 2u);
  Send(afx::WM_IDLEUPDATECMDUI, 0, 0, &handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(plugIn->MenuCount(), 1u);
  EXPECT_EQ(plugIn->ItemInfoCount(), 1u);
  Prepare(menu);
  EXPECT_EQ(plugIn->FindItemInfo(menu, ItemInfo(menu, 1).dwItemData)->text, "&Parameters");
  DestroyMenu(menu);
}

TEST_F(QVTBmpMenuPlugInTest, MnemonicsOfItsItemsAnswerWithWrapAround) {
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, kParameters, kParametersText);
  AppendMenu(menu, MF_OWNERDRAW, 103, reinterpret_cast<const char*>(kForeignData));
  AppendMenu(menu, MF_STRING, kHeader, "&Header\tCtrl+H");
  AppendMenu(menu, MF_STRING, 104, "&Print");
  Prepare(menu);
  struct Case {
    char typed;
    int highlighted;
    LRESULT answer;
  } cases[] = {
      {'p', -1, 0x30000 + 0}, {'p', 0, 0x30000 + 3}, {'P', 3, 0x30000 + 0}, {'h', -1, 0x20000 + 2}, {'q', -1, 0},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 4; ++i) {
      MENUITEMINFO state;
      state.fMask = MIIM_STATE;
      state.fState = i == c.highlighted ? MFS_HILITE : 0;
      SetMenuItemInfo(menu, static_cast<UINT>(i), TRUE, &state);
    }
    BOOL handled = FALSE;
    EXPECT_EQ(Send(WM_MENUCHAR, static_cast<WPARAM>(c.typed), reinterpret_cast<LPARAM>(menu), &handled), c.answer)
        << c.typed << " after " << c.highlighted;
    EXPECT_EQ(handled, c.answer != 0);
  }
  DestroyMenu(menu);
}

TEST_F(QVTBmpMenuPlugInTest, WidthIsTheTextAndTheImageAndThirty) {
  NONCLIENTMETRICS metrics;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
  HFONT font = CreateFontIndirect(&metrics.lfMenuFont);
  HDC dc = GetDC(nullptr);
  struct Case {
    const char* text;
    bool largeImages;
  } cases[] = {{kParametersText, false}, {"E&xit", false}, {"", false}, {kParametersText, true}};
  HMENU menu = CreatePopupMenu();
  for (const Case& c : cases) AppendMenu(menu, MF_STRING, kParameters, c.text);
  Prepare(menu);
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.text);
    plugIn->GetBitmapManager()->SetUseNormalImages(!c.largeImages);
    const SIZE image{plugIn->GetBitmapManager()->GetImageWidth(), plugIn->GetBitmapManager()->GetImageHeight()};
    const HGDIOBJ before = SelectObject(dc, font);
    RECT text{0, 0, 0, 0};
    DrawText(dc, c.text, -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, before);
    MEASUREITEMSTRUCT measure;
    measure.CtlType = ODT_MENU;
    measure.itemData = ItemInfo(menu, i).dwItemData;
    BOOL handled = FALSE;
    Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), &handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(static_cast<int>(measure.itemWidth), text.right - text.left + image.cx + 30);
    EXPECT_EQ(static_cast<int>(measure.itemHeight),
              std::max({static_cast<int>(text.bottom - text.top), static_cast<int>(image.cy) + 4,
                        GetSystemMetrics(SM_CYMENU)}));
  }
  plugIn->GetBitmapManager()->SetUseNormalImages(TRUE);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  DestroyMenu(menu);
}

class PngPixels {
 public:
  explicit PngPixels(const std::string& path) : surface_(cairo_image_surface_create_from_png(path.c_str())) {}
  ~PngPixels() { cairo_surface_destroy(surface_); }
  bool Ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
  COLORREF At(int x, int y) const {
    const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

 private:
  cairo_surface_t* surface_;
};

struct Probe {
  int x, y;     // from the item's top-left
  int colour;   // a system colour index, or -1 for black
};

struct LookCase {
  const char* name;
  UINT state;
  bool withImage;
  std::vector<Probe> probes;
  bool dithered;  // the image background shows the checked dither
  int background;  // the text area's colour
};

TEST_F(QVTBmpMenuPlugInTest, AnItemInEveryStateAsAPng) {
  constexpr int kWidth = 240, kHeight = 24, kPitch = kHeight + 2;
  const int F = COLOR_BTNFACE, S = COLOR_BTNSHADOW, H = COLOR_BTNHIGHLIGHT, M = COLOR_MENU, L = COLOR_HIGHLIGHT;
  const int K = -1;
  // The image box is 20 wide; the frame of 19 rows is centred (top 2),
  // the image at (2, 4), its page at (5..14, 5..17), its square at
  // (8..11, 9..12). Disabled, the page's right edge casts highlight.
  const std::vector<LookCase> cases = {
      {"normal", 0, true, {{0, 2, M}, {8, 9, K}, {2, 4, F}}, false, M},
      {"selected", ODS_SELECTED, true, {{0, 2, H}, {19, 20, S}, {8, 9, K}}, false, L},
      {"disabled", ODS_GRAYED, true, {{0, 2, M}, {8, 9, S}, {15, 9, H}, {2, 4, M}}, false, M},
      {"checked", ODS_CHECKED, true, {{0, 2, S}, {19, 20, H}, {8, 9, K}}, true, M},
      {"checked and selected", ODS_CHECKED | ODS_SELECTED, true, {{0, 2, S}, {8, 9, K}}, false, L},
      {"checked, no image of its own", ODS_CHECKED, false, {{0, 2, S}}, true, M},
      {"no image, selected", ODS_SELECTED, false, {{0, 2, L}, {20, 12, L}}, false, L},
  };
  HMENU menu = CreatePopupMenu();
  for (const LookCase& c : cases) AppendMenu(menu, MF_STRING, c.withImage ? kParameters : kHeader, kParametersText);
  Prepare(menu);

  const int height = kPitch * static_cast<int>(cases.size());
  HBITMAP strip = CreateBitmap(kWidth, height, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ before = SelectObject(dc, strip);
  StylePainter::FillSolid(dc, RECT{0, 0, kWidth, height}, RGB(255, 0, 255));
  for (int i = 0; i < static_cast<int>(cases.size()); ++i) {
    DRAWITEMSTRUCT draw;
    draw.CtlType = ODT_MENU;
    draw.itemState = cases[i].state;
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = dc;
    draw.rcItem = RECT{0, i * kPitch, kWidth, i * kPitch + kHeight};
    draw.itemData = ItemInfo(menu, i).dwItemData;
    BOOL handled = FALSE;
    Send(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &handled);
    EXPECT_TRUE(handled);
  }
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/bitmap_menu_items.png";
  ASSERT_TRUE(WriteDCPng(dc, path.c_str()));
  SelectObject(dc, before);
  DeleteDC(dc);
  DeleteObject(strip);
  DestroyMenu(menu);

  const PngPixels png(path);
  ASSERT_TRUE(png.Ok());
  const auto colour = [](int index) { return index < 0 ? RGB(0, 0, 0) : GetSysColor(index); };
  for (int i = 0; i < static_cast<int>(cases.size()); ++i) {
    const LookCase& c = cases[i];
    SCOPED_TRACE(c.name);
    const int top = i * kPitch;
    for (const Probe& p : c.probes) EXPECT_EQ(png.At(p.x, top + p.y), colour(p.colour)) << p.x << "," << p.y;
    if (c.dithered) {
      EXPECT_NE(png.At(2, top + 4), png.At(3, top + 4));
    }
    // The label starts right after the image box; the accelerator ends 23
    // pixels before the right edge, with nothing but background after it.
    int leftmost = kWidth, rightmost = -1;
    for (int y = top; y < top + kHeight; ++y)
      for (int x = 21; x < kWidth; ++x)
        if (png.At(x, y) != colour(c.background)) {
          leftmost = std::min(leftmost, x);
          rightmost = std::max(rightmost, x);
        }
    EXPECT_GE(leftmost, 22);
    EXPECT_LE(leftmost, 26);
    EXPECT_LT(rightmost, kWidth - 23 + (c.state & ODS_GRAYED ? 1 : 0));
    EXPECT_GE(rightmost, kWidth - 23 - 3);
  }
}

TEST_F(QVTBmpMenuPlugInTest, AColourChangeIsSeenByTheNextDrawing) {
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, kParameters, kParametersText);
  Prepare(menu);
  const int index = COLOR_HIGHLIGHT;
  const COLORREF before = GetSysColor(index), changed = RGB(150, 30, 60);
  const auto selectedBackground = [&] {
    HBITMAP target = CreateBitmap(200, 24, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, target);
    DRAWITEMSTRUCT draw;
    draw.CtlType = ODT_MENU;
    draw.itemState = ODS_SELECTED;
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = dc;
    draw.rcItem = RECT{0, 0, 200, 24};
    draw.itemData = ItemInfo(menu, 0).dwItemData;
    BOOL handled = FALSE;
    Send(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), &handled);
    const COLORREF seen = GetPixel(dc, 190, 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(target);
    return seen;
  };
  EXPECT_EQ(selectedBackground(), before);
  SetSysColors(1, &index, &changed);
  BOOL handled = TRUE;
  Send(WM_SYSCOLORCHANGE, 0, 0, &handled);
  EXPECT_FALSE(handled) << "the frame and its bars hear of it too";
  EXPECT_EQ(selectedBackground(), changed);
  SetSysColors(1, &index, &before);
  Send(WM_SYSCOLORCHANGE, 0, 0, &handled);
  DestroyMenu(menu);
}

// A popup of a frame with bitmap menus, run through the menu loop: the
// loop asks the frame to measure and draw, and a mnemonic runs its item.
class BitmapMenuFrameTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    frame = new QVTFrameWnd;
    frame->EnableBitmapMenus(TRUE, TRUE);
    frame->m_bAutoMenuEnable = FALSE;  // the test's commands have no handlers
    ASSERT_TRUE(frame->Create(nullptr, "Bitmap menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{40, 40, 500, 400}));
    plugIn = dynamic_cast<QVTBmpMenuPlugIn*>(frame->GetMenuPlugIn());
    ASSERT_NE(plugIn, nullptr);
    image = TestImage();
    plugIn->AddBitmapHandles(image, nullptr, &kParameters, 1);
    menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, kParameters, kParametersText);
    AppendMenu(menu, MF_STRING, 103, "&File Naming...\tCtrl+F");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING | MF_GRAYED, kHeader, "&Header\tCtrl+H");
    AppendMenu(menu, MF_STRING | MF_CHECKED, kExit, "E&xit");
  }
  void TearDown() override {
    if (frame) DestroyWindow(frame->m_hWnd);
    DestroyMenu(menu);
    DeleteObject(image);
    AfxFixture::TearDown();
  }
  UINT Track(const std::vector<std::function<void()>>& steps) {
    for (const auto& step : steps) GetHeadlessHost().AddScriptStep(step);
    const UINT result = static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD, 100, 100, frame->m_hWnd, nullptr));
    EXPECT_EQ(GetHeadlessHost().PendingScriptSteps(), 0u);
    GetHeadlessHost().ClearScript();
    return result;
  }

  QVTFrameWnd* frame = nullptr;
  QVTBmpMenuPlugIn* plugIn = nullptr;
  HBITMAP image = nullptr;
  HMENU menu = nullptr;
};

TEST_F(BitmapMenuFrameTest, APopupShowsItsImagesAndAnswersItsMnemonics) {
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/bitmap_menu_popup.png";
  EXPECT_EQ(Track({[] { InjectKeyPress(VK_DOWN); }, [&] { GetHeadlessHost().DumpScreenPng(path); },
                   [] { InjectKeyPress(VK_ESCAPE); }}),
            0u);
  EXPECT_EQ(plugIn->ItemInfoCount(), 4u);
  const PngPixels png(path);
  ASSERT_TRUE(png.Ok());
  // The popup's frame is 3 pixels; the first item's image box is raised
  // under the highlight, and its image's square is black.
  int black = 0;
  for (int y = 103; y < 103 + 24; ++y)
    for (int x = 103; x < 103 + 24; ++x)
      if (png.At(x, y) == RGB(0, 0, 0)) ++black;
  EXPECT_GE(black, 16);
  EXPECT_EQ(Track({[] { InjectKeyPress('P'); }}), kParameters);
}

}  // namespace
}  // namespace docking
