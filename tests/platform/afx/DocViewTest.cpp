// The single document template joining a document, a frame and a form
// view, with command routing through them to the application.
#include <string>
#include <vector>

#include "AfxFixture.h"
#include "platform/afx/Controls.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/Document.h"
#include "platform/afx/FormView.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/SingleDocTemplate.h"

namespace afx::test {

// Every handler of the routing test appends its owner's name.
std::vector<std::string> routed;
constexpr UINT kRouted = 33000;      // every target takes it, passing it on
constexpr UINT kFrameOnly = 33001;   // only the frame handles it
constexpr UINT kAppOnly = 33002;     // only the application handles it
constexpr UINT kDocument = 33003;    // the document handles it, then the frame would

class CTestDocument : public CDocument {
  DECLARE_DYNCREATE(CTestDocument)
 public:
  static int contents_deleted;
  void DeleteContents() override { ++contents_deleted; }
  BOOL OnRouted(UINT) {
    routed.push_back("document");
    return FALSE;
  }
  void OnDocument() { routed.push_back("document only"); }
  DECLARE_MESSAGE_MAP()
};
int CTestDocument::contents_deleted = 0;
IMPLEMENT_DYNCREATE(CTestDocument, CDocument)
BEGIN_MESSAGE_MAP(CTestDocument, CDocument)
  ON_COMMAND_EX(kRouted, OnRouted)
  ON_COMMAND(kDocument, OnDocument)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CTestFrame)
 public:
  BOOL OnRouted(UINT) {
    routed.push_back("frame");
    return FALSE;
  }
  void OnFrameOnly() { routed.push_back("frame only"); }
  void OnDocumentToo() { routed.push_back("frame too"); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
  ON_COMMAND_EX(kRouted, OnRouted)
  ON_COMMAND(kFrameOnly, OnFrameOnly)
  ON_COMMAND(kDocument, OnDocumentToo)
END_MESSAGE_MAP()

constexpr UINT kFormTemplate = 4101;

class CTestForm : public CFormView {
  DECLARE_DYNCREATE(CTestForm)
 public:
  CTestForm() : CFormView(kFormTemplate) {}
  static int initial_updates;
  std::string name = "first";
  CListBox list;
  void OnInitialUpdate() override {
    ++initial_updates;
    CFormView::OnInitialUpdate();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, 1017, name);
    DDX_Control(dx, 1007, list);
  }
  BOOL OnRouted(UINT) {
    routed.push_back("view");
    return FALSE;
  }
  DECLARE_MESSAGE_MAP()
};
int CTestForm::initial_updates = 0;
IMPLEMENT_DYNCREATE(CTestForm, CFormView)
BEGIN_MESSAGE_MAP(CTestForm, CFormView)
  ON_COMMAND_EX(kRouted, OnRouted)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp("Test App") {}
  BOOL OnRouted(UINT) {
    routed.push_back("application");
    return FALSE;
  }
  void OnAppOnly() { routed.push_back("application only"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND_EX(kRouted, OnRouted)
  ON_COMMAND(kAppOnly, OnAppOnly)
END_MESSAGE_MAP()

namespace {

class DocViewTest : public AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    routed.clear();
    CTestDocument::contents_deleted = 0;
    CTestForm::initial_updates = 0;
    ::ui::RegisterStringResource(128, "Briven\n\nBriven\n\n\nBriven.Document\nBriven Document");
    ::ui::DialogTemplate form;
    form.style = WS_CHILD | DS_CONTROL;
    form.cx = 300;
    form.cy = 200;
    form.items = {
        {"ListBox", "", 1007, WS_VISIBLE | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL, 0, 5, 5, 90, 150},
        {"ListBox", "", 1008, WS_VISIBLE | WS_TABSTOP | LBS_NOTIFY, 0, 100, 5, 90, 150},
        {"Edit", "", 1017, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 200, 170, 90, 12},
    };
    ::ui::RegisterDialogResource(kFormTemplate, form);
    app.AddDocTemplate(new CSingleDocTemplate(128, RUNTIME_CLASS(CTestDocument), RUNTIME_CLASS(CTestFrame),
                                              RUNTIME_CLASS(CTestForm)));
  }
  void TearDown() override {
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    AfxFixture::TearDown();
  }
  CTestForm* View(CDocument* document) {
    POSITION position = document->GetFirstViewPosition();
    return static_cast<CTestForm*>(document->GetNextView(position));
  }
  CTestApp app;
};

TEST_F(DocViewTest, ANewDocumentGetsItsFrameAndFormViewWithTheTemplatesControls) {
  CDocument* document = app.GetDocTemplate(0)->OpenDocumentFile(nullptr, TRUE);
  ASSERT_TRUE(document);
  EXPECT_TRUE(document->IsKindOf(RUNTIME_CLASS(CTestDocument)));
  CTestForm* view = View(document);
  ASSERT_TRUE(view);
  CFrameWnd* frame = view->GetParentFrame();
  ASSERT_TRUE(frame);
  EXPECT_EQ(app.m_pMainWnd, frame);
  EXPECT_EQ(frame->GetActiveView(), view);
  EXPECT_EQ(frame->GetActiveDocument(), document);
  EXPECT_EQ(frame->GetTitle(), "Briven");
  EXPECT_EQ(document->GetTitle(), "Untitled");  // the template names no document
  EXPECT_EQ(view->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));

  struct Expected {
    int id;
    const char* class_name;
  };
  for (const Expected& e : {Expected{1007, "ListBox"}, Expected{1008, "ListBox"}, Expected{1017, "Edit"}}) {
    CWnd* control = view->GetDlgItem(e.id);
    ASSERT_TRUE(control) << e.id;
    EXPECT_EQ(::ui::GetClassName(control->m_hWnd), e.class_name);
    EXPECT_EQ(control->GetParent(), view);
  }
  // Shown: the initial update exchanged the view's data with its controls.
  EXPECT_TRUE(frame->IsWindowVisible());
  EXPECT_EQ(CTestForm::initial_updates, 1);
  EXPECT_EQ(view->GetDlgItemText(1017), "first");
  EXPECT_EQ(view->list.m_hWnd, view->GetDlgItem(1007)->m_hWnd);
  EXPECT_EQ(view->list.AddString("a.raw"), 0);
  RECT frame_rect, view_rect;
  frame->GetClientRect(&frame_rect);
  view->GetClientRect(&view_rect);
  EXPECT_EQ(view_rect, frame_rect);  // the view fills its frame
}

TEST_F(DocViewTest, AHiddenFramesViewGetsNoInitialUpdate) {
  CDocument* document = app.GetDocTemplate(0)->OpenDocumentFile(nullptr, FALSE);
  ASSERT_TRUE(document);
  CFrameWnd* frame = View(document)->GetParentFrame();
  EXPECT_FALSE(frame->IsWindowVisible());
  EXPECT_EQ(CTestForm::initial_updates, 0);
  EXPECT_EQ(View(document)->GetDlgItemText(1017), "");
}

TEST_F(DocViewTest, CommandsRouteThroughViewDocumentFrameAndApplicationInThatOrder) {
  CDocument* document = app.GetDocTemplate(0)->OpenDocumentFile(nullptr, TRUE);
  ASSERT_TRUE(document);
  CWnd* frame = app.m_pMainWnd;
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(kRouted, 0), 0);
  EXPECT_EQ(routed, (std::vector<std::string>{"view", "document", "frame", "application"}));
  routed.clear();
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(kFrameOnly, 0), 0);
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(kAppOnly, 0), 0);
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(kDocument, 0), 0);  // the first taker ends the route
  EXPECT_EQ(routed, (std::vector<std::string>{"frame only", "application only", "document only"}));
}

TEST_F(DocViewTest, ClosingTheMainFrameClosesTheDocumentAndEndsTheLoop) {
  CDocument* document = app.GetDocTemplate(0)->OpenDocumentFile(nullptr, TRUE);
  ASSERT_TRUE(document);
  const int deleted_before = CTestDocument::contents_deleted;
  app.m_pMainWnd->PostMessage(WM_CLOSE);
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_GT(CTestDocument::contents_deleted, deleted_before);
  EXPECT_EQ(app.GetDocTemplate(0)->GetFirstDocPosition(), nullptr);
  EXPECT_EQ(::ui::GetTopWindow(nullptr), nullptr);
}

TEST_F(DocViewTest, ASingleDocumentTemplateReusesItsDocumentAndFrame) {
  CDocument* first = app.GetDocTemplate(0)->OpenDocumentFile(nullptr, TRUE);
  CWnd* frame = app.m_pMainWnd;
  const int deleted_before = CTestDocument::contents_deleted;
  app.OnFileNew();
  POSITION position = app.GetDocTemplate(0)->GetFirstDocPosition();
  EXPECT_EQ(app.GetDocTemplate(0)->GetNextDoc(position), first);
  EXPECT_EQ(position, nullptr);
  EXPECT_EQ(app.m_pMainWnd, frame);
  EXPECT_EQ(CTestDocument::contents_deleted, deleted_before + 1);  // its contents were new again
}

TEST_F(DocViewTest, APopupMenusItemsAreUpdatedThroughTheRoute) {
  app.GetDocTemplate(0)->OpenDocumentFile(nullptr, TRUE);
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_STRING, kDocument, "&Document");
  popup.AppendMenu(MF_SEPARATOR);
  popup.AppendMenu(MF_STRING, 34999, "&Nobody");
  popup.AppendMenu(MF_STRING | MF_GRAYED, kAppOnly, "&Application");
  app.m_pMainWnd->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
  EXPECT_EQ(popup.GetMenuState(kDocument, MF_BYCOMMAND), MF_ENABLED);
  EXPECT_EQ(popup.GetMenuState(34999, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(popup.GetMenuState(kAppOnly, MF_BYCOMMAND), MF_ENABLED);
}

TEST_F(DocViewTest, DocumentStringsSplitAtLineBreaks) {
  std::string part;
  CDocTemplate* doc_template = app.GetDocTemplate(0);
  EXPECT_TRUE(doc_template->GetDocString(part, CDocTemplate::regFileTypeId));
  EXPECT_EQ(part, "Briven.Document");
  EXPECT_TRUE(doc_template->GetDocString(part, CDocTemplate::regFileTypeName));
  EXPECT_EQ(part, "Briven Document");
  EXPECT_FALSE(doc_template->GetDocString(part, CDocTemplate::docName));
  EXPECT_EQ(part, "");
}

}  // namespace
}  // namespace afx::test
