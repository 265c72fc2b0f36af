#include "tests/x11/DockingDemoWindows.h"

#include "platform/afx/Dc.h"
#include "platform/afx/PaintDC.h"

namespace x11test {

using namespace ui;
using namespace afx;
using docking::QVTControlBar;

namespace {

// A bar that shows its name, so a person sees which is which.
class NamedBar : public QVTControlBar {
 public:
  explicit NamedBar(COLORREF colour) : colour_(colour) {}
  void DoPaint(CDC* dc) override {
    RECT client;
    GetClientRect(&client);
    RECT inside;
    GetInsideRect(inside);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    DrawBorders(dc, client);
    ::ui::InflateRect(&inside, -4, -4);
    dc->FillSolidRect(&inside, colour_);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    dc->DrawText(GetWindowTextString(), &inside, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }

 private:
  COLORREF colour_;
};

// The toolbar-like bar: a row of button faces.
class ButtonRowBar : public QVTControlBar {
 public:
  void DoPaint(CDC* dc) override {
    RECT client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    DrawBorders(dc, client);
    for (int i = 0; i < 6; ++i) {
      RECT button{6 + i * 26, 3, 6 + i * 26 + 22, 25};
      dc->Draw3dRect(&button, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
  }
};

// The client area: white, as a document view would be.
class WhiteView : public CWnd {
 public:
  void OnPaint() {
    CPaintDC dc(this);
    RECT client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(WhiteView, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

QVTControlBar* Dock(docking::QVTFrameWnd* frame, QVTControlBar* bar, const char* name, UINT id, DWORD side,
                    DWORD ex_style, SIZE horizontal, SIZE vertical, SIZE floating) {
  bar->m_bAutoDelete = TRUE;
  bar->Create(frame, name, WS_CHILD | WS_VISIBLE | CBRS_SIZE_DYNAMIC | side, ex_style, id);
  bar->m_szHorz = horizontal;
  bar->m_szVert = vertical;
  bar->m_szFloat = floating;
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar);
  return bar;
}

}  // namespace

DockingDemo::DockingDemo() {
  frame = new docking::QVTFrameWnd;
  frame->Create(nullptr, "Briven docking demo", WS_OVERLAPPEDWINDOW, RECT{60, 60, 860, 660});
  frame_hwnd = frame->m_hWnd;
  auto* view = new WhiteView;
  view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 0, 0}, frame, AFX_IDW_PANE_FIRST);
  status = new docking::QVTStatusBar;
  status->m_bAutoDelete = TRUE;
  status->Create(frame);
  const UINT indicators[] = {0};
  status->SetIndicators(indicators, 1);
  frame->EnableDocking(CBRS_ALIGN_ANY);
  const DWORD sizable = docking::QVT_BARSTYLE_SIZABLE | docking::QVT_BARSTYLE_OWN_BORDERS |
                        docking::QVT_BARSTYLE_GRIPPER | docking::QVT_BARSTYLE_CLOSE_BUTTON;
  tools = Dock(frame, new ButtonRowBar, "Tools", kDemoToolsId, CBRS_TOP, docking::QVT_BARSTYLE_ALONE_IN_ROW,
               SIZE{166, 28}, SIZE{28, 166}, SIZE{166, 28});
  output = Dock(frame, new NamedBar(RGB(255, 255, 200)), "Output", kDemoOutputId, CBRS_BOTTOM, sizable,
                SIZE{300, 130}, SIZE{170, 300}, SIZE{280, 150});
  files = Dock(frame, new NamedBar(RGB(210, 230, 255)), "Files", kDemoFilesId, CBRS_LEFT, sizable,
               SIZE{300, 120}, SIZE{170, 300}, SIZE{200, 240});
  frame->ShowWindow(SW_SHOW);
  frame->RecalcLayout();
  status->SetWindowText("Ready");
}

DockingDemo::~DockingDemo() {
  if (::ui::IsWindow(frame_hwnd)) ::ui::DestroyWindow(frame_hwnd);
}

}  // namespace x11test
