// The text clipboard on the display: what an edit control copies another
// program pastes (xclip), and what another program copies the control
// pastes; lines break with LF on the display and CR LF in our text.
#include <gtest/gtest.h>

#include "platform/ui/WinApi.h"
#include "tests/x11/ChildProcess.h"
#include "tests/x11/X11Session.h"

namespace {

using namespace ui;

class ClipboardOnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    X11_REQUIRE_HOST();
    edit = CreateWindowEx(0, "Edit", "", WS_POPUP | ES_MULTILINE, 0, 0, 200, 60, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
  }
  void TearDown() override {
    if (edit) DestroyWindow(edit);
  }
  HWND edit = nullptr;
};

TEST_F(ClipboardOnDisplay, TextCopiedFromAnEditControlReadsBackThroughXclip) {
  SetWindowText(edit, "first line\r\nsecond \xc3\xa9t\xc3\xa9");
  SendMessage(edit, EM_SETSEL, 0, -1);
  SendMessage(edit, WM_COPY, 0, 0);
  EXPECT_EQ(x11test::RunHelper({"xclip", "-o", "-selection", "clipboard"}), "first line\nsecond \xc3\xa9t\xc3\xa9");
}

TEST_F(ClipboardOnDisplay, TextCopiedByXclipPastesIntoAnEditControl) {
  // We hold the clipboard when xclip takes it: losing it while a paste asks
  // for the text must neither crash nor paste our old text.
  ASSERT_TRUE(SetClipboardText("ours"));
  // In the foreground, xclip serves the selection until it is ended.
  x11test::ChildProcess owner({"xclip", "-i", "-selection", "clipboard", "-quiet"}, "pasted\nhere");
  // Once xclip owns the selection, the display's clipboard has its text.
  std::string text;
  ASSERT_TRUE(x11test::PumpUntil([&] { return GetClipboardText(text) && text == "pasted\r\nhere"; }))
      << "clipboard text: " << text;
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(GetWindowTextString(edit), "pasted\r\nhere");
}

}  // namespace
