// The desktop program started on the headless host with a virtual clock,
// the user's settings (the example files' folder for the lists, the
// outputs beside it, no conversion log file) and the notices it gives
// collected. What one run saves on closing is what the next start reads.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/BrivenApp.h"
#include "app/MainFrame.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "platform/ui/Clock.h"
#include "tests/app/AppTestFolder.h"

namespace apptest {

class DesktopProgramFixture : public ::testing::Test {
 protected:
  // The example files copied into the data folder.
  explicit DesktopProgramFixture(std::vector<std::string> examples) : examples_(std::move(examples)) {}

  void SetUp() override;
  void TearDown() override;
  // What a start reads besides the kept settings: a test's own seeds.
  virtual void Seed(sys::MemoryProfile&) {}

  void Start();
  // A start with these arguments after the program's name.
  void StartWith(const std::vector<std::string>& arguments);
  // Closing the window saves; the next start reads what it saved.
  void Close();
  void Restart() {
    Close();
    Start();
  }
  void RunUntil(const std::function<bool()>& done);
  // Takes every message the closed program left: they are not the next one's.
  static void Drain();
  // Selects the named items as clicks would (the last one with the caret)
  // and tells the view, as the list does.
  void Select(int kind, const std::vector<std::string>& names);

  std::vector<std::string> examples_;
  TempFolder folder_;
  std::string data_ = folder_.Path("data") + "/";
  std::string out_ = folder_.Path("out") + "/";
  int answer_ = 0;  // to a Yes/No question; 0: the default answer
  ui::VirtualClock clock_;
  sys::MemoryProfile kept_;
  sys::MemoryProfile* profile_ = nullptr;  // the running application's
  std::unique_ptr<CBrivenApp> app_;
  CBrivenView* view_ = nullptr;
  CMainFrame* frame_ = nullptr;
  std::vector<std::string> notices_;
  sys::NoticeSink previous_sink_;
};

}  // namespace apptest
