// The display's services on the wx host: the folder and file choosers keep
// our queue moving while open and answer a cancel as no choice; the help
// viewer opens our HTML book at the topic a context number maps to (the
// ID of the topic's entry in the book's contents).
#include <gtest/gtest.h>

#include "platform/ui/WinApi.h"
#include "tests/support/TempFolder.h"
#include "tests/x11/ChildProcess.h"
#include "tests/x11/DemoWindows.h"
#include "tests/x11/X11Session.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>

namespace {

int g_ticks = 0;
const char* g_title = "";
std::unique_ptr<x11test::ChildProcess> g_escape;

// Once our timer has fired 3 times, a person presses Escape in the chooser.
// GTK's own dialogs are not wx's top-level windows: only the display can
// reach them.
void PressEscapeInChooserAfterThreeTicks(ui::HWND, ui::UINT, ui::UINT_PTR, ui::DWORD) {
  if (++g_ticks != 3) return;
  // Two runs of xdotool: after a window search, its `key` would send the
  // key to that window as a synthetic event, which GTK ignores.
  g_escape = std::make_unique<x11test::ChildProcess>(std::vector<std::string>{
      "sh", "-c", "xdotool search --sync --name \"$0\" windowactivate --sync %1 && xdotool key Escape", g_title});
}

TEST(Choosers, ACancelledChooserAnswersNoChoiceAndOurTimersRanMeanwhile) {
  X11_REQUIRE_HOST();
  for (const bool folder : {true, false}) {
    g_ticks = 0;
    g_title = folder ? "Select Log File Path:" : "Select Instrument Package File:";
    const ui::UINT_PTR timer = ui::SetTimer(nullptr, 0, 30, PressEscapeInChooserAfterThreeTicks);
    std::string chosen = "unchanged";
    const bool ok =
        folder ? ui::ChooseFolder({nullptr, g_title, "/tmp"}, chosen)
               : ui::ChooseFile({nullptr, g_title, "Instrument Package Files (*.hip)|*.hip|", "/tmp"}, chosen);
    ui::KillTimer(nullptr, timer);
    EXPECT_FALSE(ok) << g_title;
    EXPECT_EQ(chosen, "unchanged");
    EXPECT_GE(g_ticks, 3) << g_title;
    g_escape.reset();
  }
}

// Tells which window the chooser is transient for, and the ids of the
// demo frame, then presses Escape in the chooser.
void ReportTransientAndEscape(ui::HWND, ui::UINT, ui::UINT_PTR, ui::DWORD) {
  if (++g_ticks != 3) return;
  g_escape = std::make_unique<x11test::ChildProcess>(std::vector<std::string>{
      "sh", "-c",
      "d=$(xdotool search --sync --name \"^$0$\" | head -n 1); "
      "printf 'transient %d\\n' $(xprop -id $d WM_TRANSIENT_FOR | grep -o '0x[0-9a-f]*'); "
      "for f in $(xdotool search --name '^Briven demo$'); do echo \"frame $f\"; done; "
      "xdotool windowactivate --sync $d && xdotool key Escape",
      g_title});
}

TEST(Choosers, AChooserIsTransientForTheHostWindowOfTheCallingWindow) {
  X11_REQUIRE_HOST();
  x11test::DemoWindows demo;
  ASSERT_TRUE(demo.WaitUntilShown());
  g_ticks = 0;
  g_title = "Select Log File Path:";
  const ui::UINT_PTR timer = ui::SetTimer(nullptr, 0, 30, ReportTransientAndEscape);
  std::string chosen;
  // A child of the frame calls: its top-level window's host window is the parent.
  EXPECT_FALSE(ui::ChooseFolder({demo.child, g_title, "/tmp"}, chosen));
  ui::KillTimer(nullptr, timer);
  ASSERT_NE(g_escape, nullptr);
  x11test::PumpUntil([] { return g_escape->Finished(); }, 5000);
  const std::string report = g_escape->Output();
  g_escape.reset();
  const auto transient = report.find("transient ");
  ASSERT_NE(transient, std::string::npos) << report;
  const std::string id = report.substr(transient + 10, report.find('\n', transient) - transient - 10);
  EXPECT_NE(id, "0") << report;
  EXPECT_NE(report.find("frame " + id + "\n"), std::string::npos) << report;
}

TEST(HelpViewer, OpensTheTopicOfAContextNumber) {
  X11_REQUIRE_HOST();
  testsupport::TempFolder folder;
  folder.Write("index.html", "<html><head><title>Contents</title></head><body>Contents</body></html>");
  folder.Write("settings.html", "<html><head><title>Settings</title></head><body>Settings</body></html>");
  folder.Write("book.hhc",
               "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Settings\">"
               "<param name=\"Local\" value=\"settings.html\"><param name=\"ID\" value=\"131207\"></object></ul>");
  const std::string book = folder.Write("book.hhp",
                                        "[OPTIONS]\nContents file=book.hhc\nTitle=Test Help\n"
                                        "Default topic=index.html\n\n[FILES]\nindex.html\nsettings.html\n");
  ASSERT_TRUE(ui::ShowHelp(nullptr, book, 0x20087));
  wxWindow* window = x11test::Host()->HelpViewer().Window();
  ASSERT_NE(window, nullptr);
  auto* frame = dynamic_cast<wxHtmlHelpFrame*>(window);
  ASSERT_NE(frame, nullptr);
  x11test::PumpUntil([&] { return frame->IsShownOnScreen(); }, 5000);
  EXPECT_TRUE(frame->IsShownOnScreen());
  EXPECT_TRUE(frame->GetHelpWindow()->GetHtmlWindow()->GetOpenedPage().EndsWith("settings.html"))
      << frame->GetHelpWindow()->GetHtmlWindow()->GetOpenedPage();
  EXPECT_FALSE(ui::ShowHelp(nullptr, folder.Path("missing.hhp"), 0));
  frame->Close(true);
  x11test::PumpUntil([] { return false; }, 100);  // the frame goes in idle time
}

}  // namespace
