// The multiple-document frame, its document frames and the template that
// makes them: menus follow the active document frame, commands go to it
// first, and a template opens any number of documents.
#include <string>
#include <vector>

#include "AfxFixture.h"
#include "platform/afx/Document.h"
#include "platform/afx/MDIChildWnd.h"
#include "platform/afx/MDIFrameWnd.h"
#include "platform/afx/MultiDocTemplate.h"
#include "platform/afx/View.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Resources.h"

namespace afx::test {

std::vector<std::string> mdi_routed;
constexpr UINT kMdiRouted = 33100;  // every target takes it and passes it on

class CMdiTestDocument : public CDocument {
  DECLARE_DYNCREATE(CMdiTestDocument)
 public:
  BOOL OnRouted(UINT) {
    mdi_routed.push_back("document");
    return FALSE;
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CMdiTestDocument, CDocument)
BEGIN_MESSAGE_MAP(CMdiTestDocument, CDocument)
  ON_COMMAND_EX(kMdiRouted, OnRouted)
END_MESSAGE_MAP()

class CMdiTestView : public CView {
  DECLARE_DYNCREATE(CMdiTestView)
 public:
  BOOL OnRouted(UINT) {
    mdi_routed.push_back("view");
    return FALSE;
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CMdiTestView, CView)
BEGIN_MESSAGE_MAP(CMdiTestView, CView)
  ON_COMMAND_EX(kMdiRouted, OnRouted)
END_MESSAGE_MAP()

class CMdiTestChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(CMdiTestChild)
 public:
  BOOL OnRouted(UINT) {
    mdi_routed.push_back("child frame");
    return FALSE;
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CMdiTestChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CMdiTestChild, CMDIChildWnd)
  ON_COMMAND_EX(kMdiRouted, OnRouted)
END_MESSAGE_MAP()

class CMdiTestFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CMdiTestFrame)
 public:
  BOOL OnRouted(UINT) {
    mdi_routed.push_back("main frame");
    return FALSE;
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CMdiTestFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CMdiTestFrame, CMDIFrameWnd)
  ON_COMMAND_EX(kMdiRouted, OnRouted)
END_MESSAGE_MAP()

class CMdiTestApp : public CWinApp {
 public:
  CMdiTestApp() : CWinApp("MDI Test") {}
  BOOL OnRouted(UINT) {
    mdi_routed.push_back("application");
    return FALSE;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMdiTestApp, CWinApp)
  ON_COMMAND_EX(kMdiRouted, OnRouted)
END_MESSAGE_MAP()

namespace {

constexpr UINT kFrameMenu = 1;
constexpr UINT kTextMenu = 2;
constexpr UINT kPlotMenu = 3;

std::vector<::ui::MenuItemTemplate> MenuOf(const std::vector<std::string>& titles) {
  std::vector<::ui::MenuItemTemplate> items;
  UINT id = 40000;
  for (const std::string& title : titles)
    items.push_back({0, title, MF_POPUP, {{id++, title + " item", MF_STRING, {}}}});
  return items;
}

std::string TitleOfPopup(HMENU menu, int index) {
  return menu ? ::ui::GetMenuStringText(menu, static_cast<UINT>(index), MF_BYPOSITION) : "";
}

class MDIFrameTest : public AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    mdi_routed.clear();
    ::ui::RegisterStringResource(kFrameMenu, "MDI Test");
    ::ui::RegisterStringResource(kTextMenu, "\nText\nText");
    ::ui::RegisterStringResource(kPlotMenu, "\nPlot\nPlot");
    ::ui::RegisterMenuResource(kFrameMenu, MenuOf({"&File", "&Window", "&Help"}));
    ::ui::RegisterMenuResource(kTextMenu, MenuOf({"&File", "&Edit", "&Window", "&Help"}));
    ::ui::RegisterMenuResource(kPlotMenu, MenuOf({"&File", "&Plot", "&View", "&Window", "&Help"}));
    text = new CMultiDocTemplate(kTextMenu, RUNTIME_CLASS(CMdiTestDocument), RUNTIME_CLASS(CMdiTestChild),
                                 RUNTIME_CLASS(CMdiTestView));
    plot = new CMultiDocTemplate(kPlotMenu, RUNTIME_CLASS(CMdiTestDocument), RUNTIME_CLASS(CMdiTestChild),
                                 RUNTIME_CLASS(CMdiTestView));
    app.AddDocTemplate(text);
    app.AddDocTemplate(plot);
    frame = new CMdiTestFrame;
    ASSERT_TRUE(frame->LoadFrame(kFrameMenu));
    app.m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER);
    frame->ShowWindow(SW_SHOW);
  }
  void TearDown() override {
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    AfxFixture::TearDown();
  }
  CFrameWnd* FrameOf(CDocument* document) {
    POSITION position = document->GetFirstViewPosition();
    CView* view = document->GetNextView(position);
    return view ? view->GetParentFrame() : nullptr;
  }
  HMENU Shown() { return ::ui::GetMenu(frame->m_hWnd); }

  CMdiTestApp app;
  CMultiDocTemplate* text = nullptr;
  CMultiDocTemplate* plot = nullptr;
  CMdiTestFrame* frame = nullptr;
};

TEST_F(MDIFrameTest, TheFrameShowsItsMenuAndItsClientFillsWhatIsLeft) {
  ASSERT_TRUE(frame->m_hWndMDIClient);
  EXPECT_EQ(MDIClientOf(frame), frame->m_hWndMDIClient);
  EXPECT_EQ(::ui::GetWindowTextString(frame->m_hWnd), "MDI Test");
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Shown(), frame->GetDefaultMenu());
  EXPECT_EQ(TitleOfPopup(Shown(), 0), "&File");
  RECT area, client;
  frame->GetClientRect(&area);
  ::ui::GetWindowRect(frame->m_hWndMDIClient, &client);
  EXPECT_EQ(client.right - client.left, area.right);
  EXPECT_EQ(client.bottom - client.top, area.bottom);
  EXPECT_EQ(frame->MDIGetActive(), nullptr);
}

TEST_F(MDIFrameTest, ATemplateOpensEachDocumentInADocumentFrameOfItsOwn) {
  CDocument* first = text->OpenDocumentFile(nullptr);
  CDocument* second = text->OpenDocumentFile(nullptr);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->GetTitle(), "Text1");
  EXPECT_EQ(second->GetTitle(), "Text2");
  CFrameWnd* first_frame = FrameOf(first);
  CFrameWnd* second_frame = FrameOf(second);
  ASSERT_TRUE(first_frame && second_frame);
  EXPECT_NE(first_frame, second_frame);
  EXPECT_TRUE(first_frame->IsKindOf(RUNTIME_CLASS(CMdiTestChild)));
  EXPECT_EQ(::ui::GetParent(first_frame->m_hWnd), frame->m_hWndMDIClient);
  EXPECT_TRUE(second_frame->IsWindowVisible());
  EXPECT_EQ(frame->MDIGetActive(), second_frame);
  EXPECT_EQ(frame->GetActiveDocument(), second);
  EXPECT_EQ(::ui::GetWindowTextString(second_frame->m_hWnd), "Text2");
  EXPECT_EQ(app.m_pMainWnd, frame);  // documents never take the main window's place
  POSITION position = text->GetFirstDocPosition();
  int documents = 0;
  while (position) documents += text->GetNextDoc(position) ? 1 : 0;
  EXPECT_EQ(documents, 2);
}

TEST_F(MDIFrameTest, TheMenuFollowsTheActiveDocumentFrameAndTheFramesMenuComesBackAtTheEnd) {
  CDocument* note = text->OpenDocumentFile(nullptr);
  EXPECT_EQ(Shown(), text->m_hMenuShared);
  CDocument* graph = plot->OpenDocumentFile(nullptr);
  EXPECT_EQ(Shown(), plot->m_hMenuShared);
  static_cast<CMDIChildWnd*>(FrameOf(note))->MDIActivate();
  EXPECT_EQ(Shown(), text->m_hMenuShared);
  // The window menu of the menu shown lists the document frames.
  const HMENU window = SecondLastPopup(Shown());
  ASSERT_TRUE(window);
  const int count = ::ui::GetMenuItemCount(window);
  EXPECT_EQ(::ui::GetMenuStringText(window, static_cast<UINT>(count - 2), MF_BYPOSITION), "&1 Text1");
  EXPECT_EQ(::ui::GetMenuStringText(window, static_cast<UINT>(count - 1), MF_BYPOSITION), "&2 Plot1");

  FrameOf(note)->SendMessage(WM_CLOSE);
  EXPECT_EQ(frame->MDIGetActive(), FrameOf(graph));
  EXPECT_EQ(Shown(), plot->m_hMenuShared);
  FrameOf(graph)->SendMessage(WM_CLOSE);
  EXPECT_EQ(frame->MDIGetActive(), nullptr);
  EXPECT_EQ(Shown(), frame->GetDefaultMenu());
  EXPECT_EQ(text->GetFirstDocPosition(), nullptr);
}

TEST_F(MDIFrameTest, CommandsGoToTheActiveDocumentFrameBeforeTheMainFrame) {
  text->OpenDocumentFile(nullptr);
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(kMdiRouted, 0), 0);
  EXPECT_EQ(mdi_routed,
            (std::vector<std::string>{"view", "document", "child frame", "main frame", "application"}));
}

TEST_F(MDIFrameTest, AMaximisedDocumentFrameFillsTheClientAndTheFrameReportsIt) {
  text->OpenDocumentFile(nullptr);
  auto* child = static_cast<CMDIChildWnd*>(frame->MDIGetActive());
  ASSERT_TRUE(child);
  child->MDIMaximize();
  BOOL maximised = FALSE;
  EXPECT_EQ(frame->MDIGetActive(&maximised), child);
  EXPECT_TRUE(maximised);
  RECT area, inner;
  ::ui::GetClientRect(frame->m_hWndMDIClient, &area);
  child->GetClientRect(&inner);
  EXPECT_EQ(inner, area);
  // The view fills its document frame.
  RECT view;
  child->GetActiveView()->GetWindowRect(&view);
  EXPECT_EQ(view.right - view.left, area.right);
  EXPECT_EQ(view.bottom - view.top, area.bottom);
  child->MDIRestore();
  EXPECT_EQ(frame->MDIGetActive(&maximised), child);
  EXPECT_FALSE(maximised);
}

}  // namespace
}  // namespace afx::test
