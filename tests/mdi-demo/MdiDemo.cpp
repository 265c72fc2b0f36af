#include "tests/mdi-demo/MdiDemo.h"

#include "docking/QVTMDIChildWnd.h"
#include "tests/mdi-demo/MdiDemoDocument.h"
#include "tests/mdi-demo/MdiDemoPlotView.h"
#include "tests/mdi-demo/MdiDemoResources.h"
#include "tests/mdi-demo/MdiDemoTextView.h"

namespace mdidemo {

using namespace ui;
using namespace afx;

MdiDemo::MdiDemo() {
  RegisterMdiDemoResources();
  text = new CMultiDocTemplate(kTextResource, RUNTIME_CLASS(MdiDemoDocument), RUNTIME_CLASS(docking::QVTMDIChildWnd),
                               RUNTIME_CLASS(MdiDemoTextView));
  plot = new CMultiDocTemplate(kPlotResource, RUNTIME_CLASS(MdiDemoDocument), RUNTIME_CLASS(docking::QVTMDIChildWnd),
                               RUNTIME_CLASS(MdiDemoPlotView));
  app.AddDocTemplate(text);
  app.AddDocTemplate(plot);
  frame = new MdiDemoFrame;
  if (!frame->LoadFrame(kFrameResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
    frame = nullptr;
    return;
  }
  frame_hwnd = frame->m_hWnd;
  app.m_pMainWnd = frame;
  frame->SetWindowPos(nullptr, 60, 60, 820, 620, SWP_NOZORDER | SWP_NOACTIVATE);
  frame->ShowWindow(SW_SHOW);
  frame->RecalcLayout();
  text->OpenDocumentFile(nullptr);
  text->OpenDocumentFile(nullptr);
  plot->OpenDocumentFile(nullptr);
  frame->GetStatusBar().SetWindowText("Ready");
}

MdiDemo::~MdiDemo() {
  if (IsWindow(frame_hwnd)) DestroyWindow(frame_hwnd);
  app.m_pMainWnd = nullptr;
}

}  // namespace mdidemo
