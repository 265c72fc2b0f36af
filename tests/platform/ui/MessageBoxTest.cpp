// The message box as a dialog: its buttons and default from the flags,
// answered by keys as a user answers it, and the notifier that shows every
// notice as a box on the interface thread, whichever thread raised it.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "UiFixture.h"
#include "platform/sys/Notify.h"
#include "platform/ui/MessageBoxNotifier.h"

namespace ui::test {
namespace {

class MessageBoxTest : public UiFixture {
 protected:
  // The box on screen: its buttons' texts left to right and the one drawn
  // as the default.
  struct Seen {
    std::string caption;
    std::vector<std::string> buttons;
    int default_look = 0;
    bool has_icon = false;
    bool owner_disabled = false;
  };
  static Seen Look(HWND owner) {
    Seen seen;
    const HWND box = GetActiveWindow();
    seen.caption = GetWindowTextString(box);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const LONG_PTR style = GetWindowLongPtr(child, GWL_STYLE);
      if (GetClassName(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON)
        seen.has_icon = SendMessage(child, STM_GETICON, 0, 0) != 0;
      if (GetClassName(child) != "Button") continue;
      seen.buttons.push_back(GetWindowTextString(child));
      if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) seen.default_look = GetDlgCtrlID(child);
    }
    seen.owner_disabled = owner && !IsWindowEnabled(owner);
    return seen;
  }
};

TEST_F(MessageBoxTest, ButtonsAndTheDefaultFollowTheFlagsAndKeysAnswer) {
  struct Key {
    WPARAM key;
    BYTE modifiers;
  };
  struct Case {
    const char* what;
    UINT type;
    std::vector<Key> keys;
    std::vector<std::string> buttons;
    int default_look;
    int answer;
  };
  const std::vector<Case> cases = {
      {"OK answers Enter", MB_OK, {{VK_RETURN, 0}}, {"OK"}, IDOK, IDOK},
      {"an OK-only box takes Esc as OK", MB_OK | MB_ICONEXCLAMATION, {{VK_ESCAPE, 0}}, {"OK"}, IDOK, IDOK},
      {"OK and Cancel: Enter is OK", MB_OKCANCEL, {{VK_RETURN, 0}}, {"OK", "Cancel"}, IDOK, IDOK},
      {"OK and Cancel: Esc is Cancel", MB_OKCANCEL, {{VK_ESCAPE, 0}}, {"OK", "Cancel"}, IDOK, IDCANCEL},
      {"the second button as default", MB_OKCANCEL | MB_DEFBUTTON2, {{VK_RETURN, 0}}, {"OK", "Cancel"}, IDCANCEL,
       IDCANCEL},
      {"Yes and No: Enter is Yes", MB_YESNO | MB_ICONQUESTION, {{VK_RETURN, 0}}, {"&Yes", "&No"}, IDYES, IDYES},
      {"Yes and No have no Cancel: Esc does nothing", MB_YESNO, {{VK_ESCAPE, 0}, {VK_RETURN, 0}}, {"&Yes", "&No"},
       IDYES, IDYES},
      {"a button's letter answers", MB_YESNO, {{'N', 0}}, {"&Yes", "&No"}, IDYES, IDNO},
      {"Alt with the letter too", MB_YESNO, {{'Y', FALT}}, {"&Yes", "&No"}, IDYES, IDYES},
      {"Tab moves to No, Enter presses it", MB_YESNOCANCEL, {{VK_TAB, 0}, {VK_RETURN, 0}}, {"&Yes", "&No", "Cancel"},
       IDYES, IDNO},
      {"the third button as default", MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_ICONSTOP, {{VK_RETURN, 0}},
       {"&Yes", "&No", "Cancel"}, IDCANCEL, IDCANCEL},
      {"Yes, No, Cancel: Esc is Cancel", MB_YESNOCANCEL | MB_DEFBUTTON2, {{VK_ESCAPE, 0}}, {"&Yes", "&No", "Cancel"},
       IDNO, IDCANCEL},
      {"retry and cancel", MB_RETRYCANCEL | MB_ICONINFORMATION, {{'R', FALT}}, {"&Retry", "Cancel"}, IDRETRY, IDRETRY},
      {"abort, retry, ignore", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {{VK_RETURN, 0}}, {"&Abort", "&Retry", "&Ignore"},
       IDIGNORE, IDIGNORE},
      {"a default past the last button is the first", MB_OK | MB_DEFBUTTON3, {{VK_RETURN, 0}}, {"OK"}, IDOK, IDOK},
  };
  const HWND owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  for (const Case& c : cases) {
    Seen seen;
    GetHeadlessHost().AddScriptStep([&] { seen = Look(owner); });
    for (const Key& key : c.keys)
      GetHeadlessHost().AddScriptStep([key] { PostKeyPress(key.key, key.modifiers); });
    EXPECT_EQ(MessageBox(owner, "Replace the output file?", "Briven", c.type), c.answer) << c.what;
    EXPECT_EQ(GetHeadlessHost().PendingScriptSteps(), 0u) << c.what;
    EXPECT_EQ(seen.caption, "Briven") << c.what;
    EXPECT_EQ(seen.buttons, c.buttons) << c.what;
    EXPECT_EQ(seen.default_look, c.default_look) << c.what;
    EXPECT_EQ(seen.has_icon, (c.type & MB_ICONMASK) != 0) << c.what;
    EXPECT_TRUE(seen.owner_disabled) << c.what;
    EXPECT_TRUE(IsWindowEnabled(owner)) << c.what;
  }
}

TEST_F(MessageBoxTest, ALongTextWrapsInsideTheBoxAndIsWrittenForAPersonToLookAt) {
  const std::string text =
      "The output file \"flight_0412.txt\" already exists.\r\n\r\nDo you want to replace it? The file is "
      "overwritten as the conversion runs, and its present contents are lost.";
  GetHeadlessHost().AddScriptStep([&] {
    const HWND box = GetActiveWindow();
    RECT window;
    GetWindowRect(box, &window);
    EXPECT_LT(window.right - window.left, 500);  // wrapped, not one long line
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/message_box.png";
    EXPECT_TRUE(GetHeadlessHost().DumpWindowPng(box, path));
    PostKeyPress(VK_RETURN);
  });
  EXPECT_EQ(MessageBox(nullptr, text, "Briven", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2), IDNO);
}

TEST_F(MessageBoxTest, TheNotifierShowsNoticesOnTheInterfaceThreadAndWaitsForTheAnswer) {
  MessageBoxNotifier notifier([] { return std::string("Briven"); });
  struct Case {
    const char* what;
    sys::Notice notice;
    WPARAM key;
    int answer;
  };
  const std::vector<Case> cases = {
      {"a plain notice", {"Unable to open the file.", sys::NoticeIcon::exclamation, sys::NoticeButtons::ok, 0},
       VK_RETURN, sys::kAnswerOk},
      {"a question with No as default",
       {"Stop the conversion?", sys::NoticeIcon::question, sys::NoticeButtons::yesNo, 1}, VK_RETURN, sys::kAnswerNo},
      {"three buttons, Esc", {"Save?", sys::NoticeIcon::question, sys::NoticeButtons::yesNoCancel, 0}, VK_ESCAPE,
       sys::kAnswerCancel},
  };
  const DWORD ui_thread = GetCurrentThreadId();
  for (const bool from_worker : {false, true}) {
    for (const Case& c : cases) {
      DWORD shown_on = 0;
      std::string caption;
      // A worker's notice reaches this thread when it reaches it: the step
      // waits its turn again until the box is up.
      std::function<void()> answer_when_shown = [&, key = c.key] {
        const HWND box = GetActiveWindow();
        if (!box || GetClassName(box) != "#32770") {
          std::this_thread::yield();
          GetHeadlessHost().AddScriptStep(answer_when_shown);
          return;
        }
        shown_on = GetWindowThreadProcessId(box, nullptr);
        caption = GetWindowTextString(box);
        PostKeyPress(key);
      };
      GetHeadlessHost().AddScriptStep(answer_when_shown);
      int answer = 0;
      if (!from_worker) {
        answer = sys::Notify(c.notice);
      } else {
        std::atomic<bool> done{false};
        std::jthread worker([&] {
          answer = sys::Notify(c.notice);
          done = true;
          PostThreadMessage(ui_thread, WM_NULL, 0, 0);  // wakes the loop below
        });
        MSG msg;
        while (!done && GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
      }
      EXPECT_EQ(answer, c.answer) << c.what << (from_worker ? " from a worker" : "");
      EXPECT_EQ(shown_on, ui_thread) << c.what;
      EXPECT_EQ(caption, "Briven") << c.what;
    }
  }
}

TEST_F(MessageBoxTest, AWindowlessRunKeepsTheRoadNoticesTookBefore) {
  std::vector<std::string> earlier;
  const sys::NoticeSink outer = sys::SetNoticeSink([&](const sys::Notice& notice) {
    earlier.push_back(notice.text);
    return sys::DefaultAnswer(notice);
  });
  bool windowless = true;
  {
    MessageBoxNotifier notifier([] { return std::string("Briven"); }, [&] { return windowless; });
    EXPECT_EQ(sys::Notify("Output exists.", sys::NoticeIcon::question, sys::NoticeButtons::yesNo, 1), sys::kAnswerNo);
    windowless = false;
    GetHeadlessHost().AddScriptStep([] { PostKeyPress(VK_RETURN); });
    EXPECT_EQ(sys::Notify("Shown.", sys::NoticeIcon::question, sys::NoticeButtons::yesNo, 0), sys::kAnswerYes);
  }
  EXPECT_EQ(sys::Notify("After."), sys::kAnswerOk);  // the notifier gone, its predecessor is back
  EXPECT_EQ(earlier, (std::vector<std::string>{"Output exists.", "After."}));
  sys::SetNoticeSink(outer);
}

TEST_F(MessageBoxTest, NoticesMapToTheFlagsOfTheirBox) {
  struct Case {
    sys::NoticeIcon icon;
    sys::NoticeButtons buttons;
    int default_button;
    UINT type;
  };
  const Case cases[] = {
      {sys::NoticeIcon::exclamation, sys::NoticeButtons::ok, 0, MB_OK | MB_ICONEXCLAMATION},
      {sys::NoticeIcon::stop, sys::NoticeButtons::okCancel, 1, MB_OKCANCEL | MB_ICONSTOP | MB_DEFBUTTON2},
      {sys::NoticeIcon::question, sys::NoticeButtons::yesNo, 5, MB_YESNO | MB_ICONQUESTION},
      {sys::NoticeIcon::information, sys::NoticeButtons::yesNoCancel, 2,
       MB_YESNOCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON3},
  };
  for (const Case& c : cases) {
    sys::Notice notice{"text", c.icon, c.buttons, c.default_button};
    EXPECT_EQ(MessageBoxNotifier::TypeOf(notice), c.type);
  }
}

}  // namespace
}  // namespace ui::test
