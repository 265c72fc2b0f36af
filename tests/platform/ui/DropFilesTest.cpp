// Dropped files reach the window under the drop that accepts files, or its
// nearest ancestor that does, as WM_DROPFILES with a handle that answers
// DragQueryFile and DragQueryPoint until DragFinish.
#include "UiFixture.h"

namespace ui::test {
namespace {

class DropFilesTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    handler = [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
      if (message != WM_DROPFILES) return kDefault;
      Drop drop{hwnd, {}, {}, FALSE, "", 0, 99};
      const auto handle = reinterpret_cast<HDROP>(wParam);
      const UINT count = DragQueryFile(handle, 0xFFFFFFFFu, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        std::string name(DragQueryFile(handle, i, nullptr, 0), '\0');
        DragQueryFile(handle, i, name.data(), static_cast<UINT>(name.size() + 1));
        drop.files.push_back(name);
      }
      char cut[4];
      drop.cut_length = DragQueryFile(handle, 0, cut, sizeof cut);
      drop.cut = cut;
      drop.past_end = DragQueryFile(handle, count, nullptr, 0);
      drop.in_client = DragQueryPoint(handle, &drop.point);
      DragFinish(handle);
      drops.push_back(drop);
      return 0;
    };
    // Screen (10, 20); the child at client (20, 30), 100 x 50.
    frame = MakeWindow(WS_POPUP | WS_VISIBLE);
    child = MakeWindow(WS_CHILD | WS_VISIBLE, frame, 5, RECT{20, 30, 120, 80});
  }
  void Deliver(POINT screen, std::vector<std::string> files = {"/data/a.raw", "/data/b.cal"}) {
    delivered = DeliverFileDrop(frame, screen, files);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  struct Drop {
    HWND hwnd;
    std::vector<std::string> files;
    POINT point;
    BOOL in_client;
    std::string cut;  // the first name in a buffer of 4
    UINT cut_length;
    UINT past_end;
  };
  HWND frame = nullptr;
  HWND child = nullptr;
  BOOL delivered = FALSE;
  std::vector<Drop> drops;
};

TEST_F(DropFilesTest, TheAcceptingWindowUnderTheDropGetsTheNamesAndItsClientPoint) {
  DragAcceptFiles(child, TRUE);
  Deliver(POINT{10 + 20 + 7, 20 + 30 + 9});
  ASSERT_TRUE(delivered);
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0].hwnd, child);
  EXPECT_EQ(drops[0].files, (std::vector<std::string>{"/data/a.raw", "/data/b.cal"}));
  EXPECT_EQ(drops[0].point.x, 7);
  EXPECT_EQ(drops[0].point.y, 9);
  EXPECT_TRUE(drops[0].in_client);
  EXPECT_EQ(drops[0].cut, "/da");
  EXPECT_EQ(drops[0].cut_length, 3u);
  EXPECT_EQ(drops[0].past_end, 0u);
}

TEST_F(DropFilesTest, AChildThatDoesNotAcceptPassesTheDropToItsAcceptingParent) {
  DragAcceptFiles(frame, TRUE);
  Deliver(POINT{10 + 25, 20 + 35});
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0].hwnd, frame);
  EXPECT_EQ(drops[0].point.x, 25);
  EXPECT_EQ(drops[0].point.y, 35);
}

TEST_F(DropFilesTest, NoAcceptingWindowOrNoFilesPostsNothing) {
  Deliver(POINT{10 + 25, 20 + 35});
  EXPECT_FALSE(delivered);
  DragAcceptFiles(child, TRUE);
  DragAcceptFiles(child, FALSE);
  Deliver(POINT{10 + 25, 20 + 35});
  EXPECT_FALSE(delivered);
  DragAcceptFiles(child, TRUE);
  Deliver(POINT{10 + 25, 20 + 35}, {});
  EXPECT_FALSE(delivered);
  EXPECT_TRUE(drops.empty());
}

TEST(DropFiles, ANullHandleAnswersNothing) {
  EXPECT_EQ(DragQueryFile(nullptr, 0xFFFFFFFFu, nullptr, 0), 0u);
  POINT point{};
  EXPECT_FALSE(DragQueryPoint(nullptr, &point));
  DragFinish(nullptr);
}

}  // namespace
}  // namespace ui::test
