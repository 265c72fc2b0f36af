// The standard controls' painting: pixels at points their geometry fixes
// (edges, box interiors, row bands, never the glyphs of text), one state
// per control, and a dialog of every kind written as a PNG for a person.
#include <cairo.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

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
  // Whether any pixel of `area` (client coordinates of `hwnd`) has
  // `colour`, give or take the blending of smoothed glyph edges: for text,
  // whose glyphs no test should pin down.
  bool Has(HWND hwnd, RECT area, COLORREF colour) const {
    const auto channel = [](COLORREF c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
    for (LONG y = area.top; y < area.bottom; ++y)
      for (LONG x = area.left; x < area.right; ++x) {
        const COLORREF seen = At(hwnd, POINT{x, y});
        int distance = 0;
        for (int shift : {0, 8, 16}) distance += std::abs(channel(seen, shift) - channel(colour, shift));
        if (distance <= 48) return true;
      }
    return false;
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

TEST_F(ControlPaintTest, EachControlStateShowsAtItsProbe) {
  const HWND edit = Control("Edit", ES_AUTOHSCROLL, RECT{10, 10, 200, 31}, "convert");
  const HWND list = Control("ListBox", LBS_NOTIFY, RECT{10, 40, 150, 120});
  for (const char* item : {"Altitude", "Heading", "Pressure"})
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  const HWND label = Control("Static", SS_LEFT, RECT{160, 40, 300, 60}, "Header");
  const HWND push = Control("Button", BS_PUSHBUTTON, RECT{160, 70, 235, 93}, "Apply");
  const HWND check = Control("Button", BS_AUTOCHECKBOX, RECT{160, 100, 300, 120}, "Append");
  const HWND progress = Control("msctls_progress32", 0, RECT{10, 130, 210, 146});
  const HWND smooth = Control("msctls_progress32", PBS_SMOOTH, RECT{10, 150, 210, 166});
  struct Probe {
    const char* what;
    std::function<void()> set;
    HWND control;
    RECT area;  // one pixel, or a region for text
    COLORREF colour;
  };
  const RECT row0{1, 1, 139, 14};
  const std::vector<Probe> probes = {
      {"an edit at rest: window colour", [] {}, edit, {150, 5, 151, 6}, Sys(COLOR_WINDOW)},
      {"selected text in the highlight", [&] { SetFocus(edit); SendMessage(edit, EM_SETSEL, 0, -1); }, edit,
       {2, 2, 40, 18}, Sys(COLOR_HIGHLIGHT)},
      {"a disabled edit: face colour", [&] { EnableWindow(edit, FALSE); }, edit, {150, 5, 151, 6}, Sys(COLOR_3DFACE)},
      {"a selected list row", [&] { SendMessage(list, LB_SETCURSEL, 1, 0); }, list, {130, 20, 131, 21},
       Sys(COLOR_HIGHLIGHT)},
      {"an unselected row", [] {}, list, {130, 6, 131, 7}, Sys(COLOR_WINDOW)},
      {"selected text in the highlight text colour", [] {}, list, {2, 14, 60, 26}, Sys(COLOR_HIGHLIGHTTEXT)},
      {"the focused list's caret row: the dotted outline over the highlight", [&] { SetFocus(list); }, list,
       {0, 13, 139, 14}, Sys(COLOR_HIGHLIGHT) ^ 0xFFFFFF},
      {"a disabled list's text is grey",
       [&] {
         SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
         EnableWindow(list, FALSE);
       },
       list, row0, Sys(COLOR_GRAYTEXT)},
      {"a disabled label is embossed: its highlight", [&] { EnableWindow(label, FALSE); }, label, {0, 0, 60, 20},
       Sys(COLOR_3DHIGHLIGHT)},
      {"and its shadow", [] {}, label, {0, 0, 60, 20}, Sys(COLOR_3DSHADOW)},
      {"a disabled push button's label is embossed", [&] { EnableWindow(push, FALSE); }, push, {10, 4, 65, 19},
       Sys(COLOR_3DHIGHLIGHT)},
      {"a checked box shows its tick", [&] { SendMessage(check, BM_SETCHECK, BST_CHECKED, 0); }, check, {3, 6, 10, 13},
       Sys(COLOR_WINDOWTEXT)},
      {"half way: blocks in the first half", [&] { SendMessage(progress, PBM_SETPOS, 50, 0); }, progress,
       {40, 8, 41, 9}, Sys(COLOR_HIGHLIGHT)},
      {"and none in the second", [] {}, progress, {150, 8, 151, 9}, Sys(COLOR_3DFACE)},
      {"blocks have gaps", [] {}, progress, {1, 8, 99, 9}, Sys(COLOR_3DFACE)},
      {"a smooth bar at the end is one band", [&] { SendMessage(smooth, PBM_SETPOS, 100, 0); }, smooth,
       {197, 8, 198, 9}, Sys(COLOR_HIGHLIGHT)},
  };
  for (const Probe& p : probes) {
    p.set();
    EXPECT_TRUE(Has(p.control, p.area, p.colour)) << p.what;
  }
  PaintAll();
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/control_states.png";
  ASSERT_TRUE(GetHeadlessHost().DumpWindowPng(frame, path));
}

TEST_F(ControlPaintTest, StaticFramesPicturesAndSunkenEdgesShowAtTheirProbes) {
  const HWND black = Control("Static", SS_BLACKFRAME, RECT{10, 10, 60, 40});
  const HWND gray = Control("Static", SS_GRAYFRAME, RECT{70, 10, 120, 40});
  const HWND etched = Control("Static", SS_ETCHEDFRAME, RECT{130, 10, 180, 40});
  const HWND sunken = Control("Static", SS_LEFT | SS_SUNKEN, RECT{190, 10, 300, 30}, "12 frames");
  const HWND icon = Control("Static", SS_ICON, RECT{10, 50, 42, 82});
  SendMessage(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(IDI_EXCLAMATION)), 0);
  const HWND picture = Control("Static", SS_BITMAP, RECT{60, 50, 76, 66});
  const HDC screen = GetDC(nullptr);
  const HBITMAP red_square = CreateCompatibleBitmap(screen, 16, 16);
  const HDC memory = CreateCompatibleDC(screen);
  const HGDIOBJ old = SelectObject(memory, red_square);
  const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const RECT square{0, 0, 16, 16};
  FillRect(memory, &square, red);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  SendMessage(picture, STM_SETIMAGE, 0, reinterpret_cast<LPARAM>(red_square));
  struct Probe {
    const char* what;
    HWND control;
    RECT area;
    COLORREF colour;
  };
  const Probe probes[] = {
      {"a black frame's edge", black, {0, 0, 1, 1}, Sys(COLOR_WINDOWFRAME)},
      {"a black frame's far edge", black, {49, 29, 50, 30}, Sys(COLOR_WINDOWFRAME)},
      {"inside it the face", black, {25, 15, 26, 16}, Sys(COLOR_3DFACE)},
      {"a grey frame's edge", gray, {0, 15, 1, 16}, Sys(COLOR_3DSHADOW)},
      {"an etched frame: shadow outside at the top left", etched, {0, 0, 1, 1}, Sys(COLOR_3DSHADOW)},
      {"and highlight inside it", etched, {1, 1, 2, 2}, Sys(COLOR_3DHIGHLIGHT)},
      {"highlight outside at the bottom right", etched, {49, 29, 50, 30}, Sys(COLOR_3DHIGHLIGHT)},
      {"and shadow inside it", etched, {48, 28, 49, 29}, Sys(COLOR_3DSHADOW)},
      {"a sunken static's top edge", sunken, {50, 0, 51, 1}, Sys(COLOR_3DSHADOW)},
      {"and its bottom edge", sunken, {50, 19, 51, 20}, Sys(COLOR_3DHIGHLIGHT)},
      {"a bitmap at the static's top left", picture, {0, 0, 1, 1}, RGB(255, 0, 0)},
      {"and across it", picture, {15, 15, 16, 16}, RGB(255, 0, 0)},
  };
  for (const Probe& p : probes) EXPECT_TRUE(Has(p.control, p.area, p.colour)) << p.what;
  // The icon is drawn: its 32 x 32 square is not the bare face.
  int drawn = 0;
  for (LONG y = 0; y < 32; y += 2)
    for (LONG x = 0; x < 32; x += 2) drawn += At(icon, POINT{x, y}) != Sys(COLOR_3DFACE) ? 1 : 0;
  EXPECT_GT(drawn, 20);
  PaintAll();
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/static_kinds.png";
  ASSERT_TRUE(GetHeadlessHost().DumpWindowPng(frame, path));
  DestroyWindow(picture);
  DeleteObject(red_square);
  DeleteObject(red);
}

TEST_F(ControlPaintTest, TheParentsControlColoursAreObeyed) {
  const COLORREF yellow = RGB(255, 255, 0), red = RGB(255, 0, 0), cyan = RGB(0, 255, 255), blue = RGB(0, 0, 255),
                 black = RGB(0, 0, 0), green = RGB(0, 255, 0);
  const HBRUSH yellow_brush = CreateSolidBrush(yellow), cyan_brush = CreateSolidBrush(cyan),
               black_brush = CreateSolidBrush(black);
  handler = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    switch (message) {
      case WM_CTLCOLORSTATIC: SetTextColor(dc, red); return reinterpret_cast<LRESULT>(yellow_brush);
      case WM_CTLCOLOREDIT: SetTextColor(dc, blue); return reinterpret_cast<LRESULT>(cyan_brush);
      case WM_CTLCOLORLISTBOX: SetTextColor(dc, green); return reinterpret_cast<LRESULT>(black_brush);
      case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
        return 1;
      }
    }
    return kDefault;
  };
  const HWND label = Control("Static", SS_LEFT, RECT{10, 10, 150, 30}, "Warning");
  const HWND box = Control("Button", BS_AUTOCHECKBOX, RECT{10, 40, 150, 60}, "Append");
  const HWND edit = Control("Edit", ES_AUTOHSCROLL, RECT{10, 70, 200, 91}, "flight");
  const HWND list = Control("ListBox", 0, RECT{10, 100, 200, 160});
  SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Altitude"));
  struct Probe {
    const char* what;
    HWND control;
    RECT area;
    COLORREF colour;
  };
  const Probe probes[] = {
      {"a static's background", label, {130, 15, 131, 16}, yellow},
      {"a static's text", label, {0, 0, 60, 20}, red},
      {"a check box's background", box, {130, 5, 131, 6}, yellow},
      {"a check box's label", box, {17, 0, 70, 20}, red},
      {"an edit's background", edit, {180, 5, 181, 6}, cyan},
      {"an edit's text", edit, {1, 1, 40, 20}, blue},
      {"a list's background", list, {150, 40, 151, 41}, black},
      {"a list's text", list, {1, 0, 60, 13}, green},
  };
  for (const Probe& p : probes) EXPECT_TRUE(Has(p.control, p.area, p.colour)) << p.what;
  PaintAll();
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/control_colours.png";
  ASSERT_TRUE(GetHeadlessHost().DumpWindowPng(frame, path));
  for (HBRUSH brush : {yellow_brush, cyan_brush, black_brush}) DeleteObject(brush);
}

}  // namespace
}  // namespace ui::test