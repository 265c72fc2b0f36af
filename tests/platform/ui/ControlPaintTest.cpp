// The standard controls' painting: pixels at points their geometry fixes
// (edges, box interiors, row bands, never the glyphs of text), one state
// per control, and a dialog of every kind written as a PNG for a person.
#include <cairo.h>

#include <string>

#include "UiFixture.h"
#include "platform/ui/HeadlessHost.h"

namespace ui::test {
namespace {

class ControlPaintTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    handler = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
      if (message != WM_ERASEBKGND) return kDefault;
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_3DFACE));
      return 1;
    };
    frame = CreateWindowEx(0, kTestClass, "Conversion options", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                           40, 40, 420, 300, nullptr, nullptr, nullptr);
  }
  HWND Control(const char* class_name, DWORD style, RECT rect, const char* text = "", DWORD ex_style = 0) {
    return CreateWindowEx(ex_style, class_name, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, frame, nullptr, nullptr);
  }
  // The back-buffer colour at client point `at` of the control `hwnd`.
  static void PaintAll() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  COLORREF At(HWND hwnd, POINT at) const {
    PaintAll();
    RECT top, window;
    GetWindowRect(frame, &top);
    GetWindowRect(hwnd, &window);
    cairo_surface_t* buffer = GetBackBuffer(frame);
    cairo_surface_flush(buffer);
    const int x = window.left - top.left + at.x, y = window.top - top.top + at.y;
    const unsigned char* row = cairo_image_surface_get_data(buffer) + y * cairo_image_surface_get_stride(buffer);
    const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }
  static COLORREF Sys(int index) { return GetSysColor(index); }
  HWND frame = nullptr;
};

TEST_F(ControlPaintTest, PushButtonEdgesShowPressedDefaultAndFocus) {
  const HWND button = Control("Button", BS_PUSHBUTTON, RECT{10, 10, 85, 33}, "Apply");
  const HWND default_button = Control("Button", BS_DEFPUSHBUTTON, RECT{100, 10, 175, 33}, "OK");
  const POINT corner{0, 0}, far_corner{74, 22}, focus_line{4, 11};
  EXPECT_EQ(At(button, far_corner), Sys(COLOR_3DDKSHADOW));  // raised: dark outside bottom-right
  EXPECT_NE(At(button, corner), Sys(COLOR_3DSHADOW));
  EXPECT_EQ(At(default_button, corner), Sys(COLOR_WINDOWFRAME));  // the default's outline
  EXPECT_EQ(At(button, focus_line), Sys(COLOR_3DFACE));
  SendMessage(button, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(At(button, corner), Sys(COLOR_3DSHADOW));  // pressed: one flat shadow line
  EXPECT_EQ(At(button, far_corner), Sys(COLOR_3DSHADOW));
  SendMessage(button, BM_SETSTATE, FALSE, 0);
  SetFocus(button);
  // The dotted focus outline runs three pixels inside the edge; one of two
  // neighbouring dots differs from the face.
  EXPECT_TRUE(At(button, POINT{3, 11}) != Sys(COLOR_3DFACE) || At(button, POINT{3, 12}) != Sys(COLOR_3DFACE));
}

TEST_F(ControlPaintTest, CheckBoxesAndRadiosShowCheckedAndDisabled) {
  const HWND check = Control("Button", BS_AUTOCHECKBOX, RECT{10, 10, 150, 30}, "Append");
  const HWND radio = Control("Button", BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 40, 150, 60}, "Binary");
  const POINT box_inside{2, 6}, radio_centre{6, 10};  // the 13-pixel box is centred on the 20-pixel row
  EXPECT_EQ(At(check, box_inside), Sys(COLOR_WINDOW));
  EXPECT_EQ(At(radio, radio_centre), Sys(COLOR_WINDOW));
  SendMessage(radio, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(At(radio, radio_centre), Sys(COLOR_WINDOWTEXT));  // the dot
  EnableWindow(check, FALSE);
  EXPECT_EQ(At(check, box_inside), Sys(COLOR_3DFACE));  // a disabled box has the face inside
}

TEST_F(ControlPaintTest, ListRowsEditsAndStaticsShowTheirStates) {
  const HWND list = Control("ListBox", LBS_NOTIFY, RECT{10, 10, 150, 110});
  for (const char* name : {"one", "two", "three"}) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  const int row = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  const POINT second_row_end{130, row + row / 2}, first_row_end{130, row / 2};
  EXPECT_EQ(At(list, second_row_end), Sys(COLOR_WINDOW));
  SendMessage(list, LB_SETCURSEL, 1, 0);
  EXPECT_EQ(At(list, second_row_end), Sys(COLOR_HIGHLIGHT));
  EXPECT_EQ(At(list, first_row_end), Sys(COLOR_WINDOW));
  const HWND edit = Control("Edit", ES_AUTOHSCROLL, RECT{10, 120, 150, 141}, "text");
  const HWND read_only = Control("Edit", ES_AUTOHSCROLL | ES_READONLY, RECT{10, 150, 150, 171}, "text");
  EXPECT_EQ(At(edit, POINT{130, 2}), Sys(COLOR_WINDOW));
  EXPECT_EQ(At(read_only, POINT{130, 2}), Sys(COLOR_3DFACE));
  const HWND etched = Control("Static", SS_ETCHEDHORZ, RECT{160, 10, 300, 12});
  EXPECT_EQ(At(etched, POINT{50, 0}), Sys(COLOR_3DSHADOW));
  EXPECT_EQ(At(etched, POINT{50, 1}), Sys(COLOR_3DHIGHLIGHT));
  const HWND group = Control("Button", BS_GROUPBOX, RECT{160, 20, 300, 100}, "Output");
  EXPECT_EQ(At(group, POINT{139, 79}), Sys(COLOR_3DHIGHLIGHT));  // the groove's outer bottom-right
}

TEST_F(ControlPaintTest, AMultiLineEditShowsItsBarsThumbAndSelection) {
  const HWND edit = Control("Edit", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL, RECT{10, 10, 210, 126});
  std::string text;
  for (int i = 0; i < 100; ++i) text += "Frame " + std::to_string(i) + ": 12.5 1013.2 -0.004 3.3 17 ok\r\n";
  SetWindowText(edit, text.c_str());
  // 200 x 116 with two 16 px bars: the vertical track runs from y 16 to 84.
  const POINT thumb_at_top{192, 20}, track_middle{192, 60}, thumb_at_bottom{192, 80};
  const auto is_track = [&](COLORREF c) { return c == Sys(COLOR_3DFACE) || c == Sys(COLOR_3DHIGHLIGHT); };
  EXPECT_EQ(At(edit, thumb_at_top), Sys(COLOR_3DFACE));
  EXPECT_TRUE(is_track(At(edit, track_middle)));
  EXPECT_EQ(At(edit, POINT{192, 108}), Sys(COLOR_3DFACE));  // the corner square between the bars
  SendMessage(edit, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(At(edit, thumb_at_bottom), Sys(COLOR_3DFACE));
  EXPECT_TRUE(is_track(At(edit, thumb_at_top)));
  SetFocus(edit);
  const LRESULT last_line_start = SendMessage(edit, EM_LINEINDEX, 99, 0);
  SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(last_line_start), last_line_start + 8);
  const int line_height = [&] {
    TEXTMETRIC metrics;
    const HDC dc = GetDC(edit);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(edit, WM_GETFONT, 0, 0)));
    GetTextMetrics(dc, &metrics);
    ReleaseDC(edit, dc);
    return static_cast<int>(metrics.tmHeight);
  }();
  // Line 99 sits above the empty last line, the bottom one in view.
  const int rows = 100 / line_height;
  const int y99 = (rows - 2) * line_height + line_height / 2;
  EXPECT_EQ(At(edit, POINT{4, y99}), Sys(COLOR_HIGHLIGHT));
  PaintAll();
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/log_edit.png";
  ASSERT_TRUE(GetHeadlessHost().DumpWindowPng(frame, path));
}

TEST_F(ControlPaintTest, DialogOfEveryControlKindIsWrittenForAPersonToLookAt) {
  Control("Static", SS_LEFT, RECT{12, 12, 90, 28}, "&File name:");
  const HWND name = Control("Edit", ES_AUTOHSCROLL, RECT{92, 10, 300, 31}, "flight_0412.raw", WS_EX_CLIENTEDGE);
  Control("Button", BS_GROUPBOX, RECT{10, 40, 200, 130}, "Output");
  const HWND ascii = Control("Button", BS_AUTORADIOBUTTON | WS_GROUP, RECT{20, 58, 190, 76}, "&ASCII text");
  Control("Button", BS_AUTORADIOBUTTON, RECT{20, 80, 190, 98}, "&Binary");
  Control("Button", BS_AUTOCHECKBOX, RECT{20, 102, 190, 120}, "A&ppend to file");
  SendMessage(ascii, BM_SETCHECK, BST_CHECKED, 0);
  const HWND list = Control("ListBox", LBS_NOTIFY | LBS_EXTENDEDSEL, RECT{210, 40, 400, 130}, "", WS_EX_CLIENTEDGE);
  for (const char* item : {"Altitude", "Heading", "Pressure", "Temperature", "Voltage"})
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessage(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(1, 2));
  const HWND combo = Control("ComboBox", CBS_DROPDOWNLIST, RECT{92, 140, 250, 240});
  for (const char* item : {"Comma", "Tab", "Space"}) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessage(combo, CB_SETCURSEL, 0, 0);
  Control("Static", SS_LEFT, RECT{12, 143, 90, 160}, "&Separator:");
  const HWND limit = Control("Button", BS_AUTOCHECKBOX, RECT{260, 142, 400, 160}, "Disabled choice");
  EnableWindow(limit, FALSE);
  Control("Static", SS_ETCHEDHORZ, RECT{10, 178, 400, 180});
  Control("Button", BS_DEFPUSHBUTTON, RECT{240, 190, 315, 213}, "OK");
  Control("Button", BS_PUSHBUTTON, RECT{325, 190, 400, 213}, "Cancel");
  SetFocus(name);
  SendMessage(name, EM_SETSEL, 0, 11);
  PaintAll();
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/controls_dialog.png";
  ASSERT_TRUE(GetHeadlessHost().DumpWindowPng(frame, path));
  EXPECT_EQ(At(list, POINT{170, 13 + 6}), Sys(COLOR_HIGHLIGHT));  // the selected second row
  EXPECT_EQ(At(ascii, POINT{6, 9}), Sys(COLOR_WINDOWTEXT));  // the radio inside the group box shows its dot
}

}  // namespace
}  // namespace ui::test
