#include "tests/app/DesktopProgramFixture.h"

#include <filesystem>

#include "app/AppResources.h"
#include "app/BrivenView.h"
#include "app/FileListBox.h"
#include "app/SettingsDlgIds.h"
#include "platform/afx/WinApp.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

namespace apptest {

namespace fs = std::filesystem;

void DesktopProgramFixture::SetUp() {
  ui::SetClock(&clock_);
  ui::GetHeadlessHost().SetStallLimit(20000);
  fs::create_directories(data_);
  fs::create_directories(out_);
  const std::string examples = BRIVEN_EXAMPLES;
  for (const std::string& name : examples_) fs::copy_file(examples + "/" + name, data_ + name);
  kept_.WriteString("Log View", "Working Directory", data_);
  kept_.WriteString("Instrument View", "Working Directory", data_);
  kept_.WriteString("Instrument View", "File Filter", "*.tdf");
  kept_.WriteString("Output View", "Working Directory", out_);
  kept_.WriteInt("Settings", "Conversion Log", 0);
  afx::CWinApp::SetProfileFactory([this](const std::string&, const std::string&) {
    auto profile = std::make_unique<sys::MemoryProfile>(kept_);
    Seed(*profile);
    profile_ = profile.get();
    return std::unique_ptr<sys::Profile>(std::move(profile));
  });
  previous_sink_ = sys::SetNoticeSink([this](const sys::Notice& notice) {
    notices_.push_back(sys::FoldToOneLine(notice.text));
    if (notice.buttons == sys::NoticeButtons::yesNo && answer_ != 0) return answer_;
    return sys::DefaultAnswer(notice);
  });
}

void DesktopProgramFixture::TearDown() {
  app_.reset();
  Drain();
  sys::SetNoticeSink(previous_sink_);
  afx::CWinApp::SetProfileFactory(nullptr);
  ui::SetClock(nullptr);
}

void DesktopProgramFixture::Drain() {
  ui::MSG msg;
  while (ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_REMOVE)) {
  }
}

void DesktopProgramFixture::Start() { StartWith({}); }

void DesktopProgramFixture::StartWith(const std::vector<std::string>& arguments) {
  app_ = std::make_unique<CBrivenApp>();
  app_->SetInteractiveHost(true);
  std::vector<std::string> command_line = {"briven"};
  command_line.insert(command_line.end(), arguments.begin(), arguments.end());
  ASSERT_TRUE(app_->Start(command_line));
  view_ = app_->GetView();
  ASSERT_NE(view_, nullptr);
  frame_ = dynamic_cast<CMainFrame*>(app_->m_pMainWnd);
  ASSERT_NE(frame_, nullptr);
}

void DesktopProgramFixture::Close() {
  ui::SendMessage(frame_->m_hWnd, ui::WM_CLOSE, 0, 0);
  kept_ = *profile_;
  app_.reset();
  Drain();  // the main window going ended the loop: not the next one
}

void DesktopProgramFixture::RunUntil(const std::function<bool()>& done) { ui::RunNestedLoop(done, nullptr); }

void DesktopProgramFixture::Select(int kind, const std::vector<std::string>& names) {
  CFileListBox& list = view_->GetList(kind);
  list.SetSel(-1, ui::FALSE);
  for (const std::string& name : names) {
    const int index = list.FindStringExact(-1, name);
    ASSERT_GE(index, 0) << name;
    list.SetSel(index, ui::TRUE);
    list.SendMessage(ui::LB_SETCARETINDEX, static_cast<ui::WPARAM>(index), ui::FALSE);
  }
  const int ids[3] = {app::kLogList, app::kInstrumentList, app::kOutputList};
  view_->SendMessage(ui::WM_COMMAND, ui::MAKEWPARAM(static_cast<ui::WORD>(ids[kind]), ui::LBN_SELCHANGE),
                     reinterpret_cast<ui::LPARAM>(list.m_hWnd));
}

}  // namespace apptest
