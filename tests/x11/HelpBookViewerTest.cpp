// The program's own help book in the display's help viewer: the book
// loads, a dialog's context opens its page and a control's context its
// anchor, and a picture of the viewer is kept for a person to look at
// (help-book.png).
#include <gtest/gtest.h>

#include "platform/ui/HelpViewer.h"
#include "tests/x11/ChildProcess.h"
#include "tests/x11/X11Session.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>

namespace {

const std::string kBook = std::string(BRIVEN_BUILD_DATA_DIR) + "/help/briven.hhp";

TEST(HelpBookViewer, OpensTheProgramsBookAtADialogsPageAndAControlsAnchor) {
  X11_REQUIRE_HOST();
  struct Case {
    unsigned long context;
    const char* page;
  };
  const Case cases[] = {
      // (The other viewer test's book, open in the same viewer, has 0x20087.)
      {0x20092, "program-properties.html"},
      {1003UL * 65536 + 135, "parameters.html#limit"},
      {0x2008F, "file-naming.html"},
      {0x20080, "main-window.html"},
  };
  wxHtmlHelpFrame* frame = nullptr;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    ASSERT_TRUE(ui::ShowHelp(nullptr, kBook, c.context));
    frame = dynamic_cast<wxHtmlHelpFrame*>(x11test::Host()->HelpViewer().Window());
    ASSERT_NE(frame, nullptr);
    x11test::PumpUntil([&] { return frame->IsShownOnScreen(); }, 5000);
    const std::string local = c.page;
    const std::string page = local.substr(0, local.find('#'));
    const std::string anchor = local.find('#') == std::string::npos ? "" : local.substr(local.find('#') + 1);
    wxHtmlWindow* html = frame->GetHelpWindow()->GetHtmlWindow();
    // The page opened may carry the anchor, or report it apart.
    std::string opened = html->GetOpenedPage().utf8_string();
    std::string opened_anchor = html->GetOpenedAnchor().utf8_string();
    if (opened.find('#') != std::string::npos) {
      opened_anchor = opened.substr(opened.find('#') + 1);
      opened.resize(opened.find('#'));
    }
    EXPECT_TRUE(opened.size() >= page.size() && opened.compare(opened.size() - page.size(), page.size(), page) == 0)
        << opened;
    EXPECT_EQ(opened_anchor, anchor);
  }
  ASSERT_TRUE(ui::ShowHelp(nullptr, kBook, 0x2008F));
  x11test::PumpUntil([] { return false; }, 500);
  x11test::RunHelper({"import", "-window", "root", x11test::ScreenshotFolder() + "/help-book.png"});
  frame->Close(true);
  x11test::PumpUntil([] { return false; }, 100);
}

}  // namespace
