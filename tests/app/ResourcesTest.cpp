// The resources the application's code looks up by number, and the header
// definition the header conversion loads.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/AppResources.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Window.h"
#include "core/instrument/Instrument.h"
#include "core/instrument/SensorKeywords.h"
#include "core/instrument/Sensor.h"

namespace {

unsigned g_command = 0;

std::set<int> ItemIds(const ui::DialogTemplate& dialog) {
  std::set<int> ids;
  for (const ui::DialogItemTemplate& item : dialog.items) ids.insert(item.id);
  return ids;
}

struct DialogCase {
  int id;
  const char* caption;
  std::set<int> ids;
};

TEST(Resources, DialogsHoldTheControlsTheirCodeAddresses) {
  const std::vector<DialogCase> cases = {
      {app::kAboutDialog, "About Briven", {1127, 1128, 1129, 1130, 1131, 1}},
      {app::kFormView, "", {1007, 1008, 1009, 1017}},
      {app::kConversionDialog, "Briven Conversion",
       {1000, 1001, 1003, 1004, 1005, 1049, 1050, 1051, 1052, 1062, 1063, 1}},
      {app::kConversionLogDialog, "Conversion Log Output", {}},
  };
  for (const DialogCase& c : cases) {
    const ui::DialogTemplate* dialog = app::LoadAppDialog(c.id);
    ASSERT_NE(dialog, nullptr) << c.id;
    EXPECT_EQ(dialog->caption, c.caption) << c.id;
    const std::set<int> ids = ItemIds(*dialog);
    for (int id : c.ids) EXPECT_EQ(ids.count(id), 1u) << "dialog " << c.id << " control " << id;
  }
  EXPECT_EQ(app::LoadAppDialog(999), nullptr);
  // The progress window's labels are the system's own texts.
  std::set<std::string> labels;
  for (const auto& item : app::LoadAppDialog(app::kConversionDialog)->items) labels.insert(item.text);
  for (const char* text : {"Frames Processed:", "Resynchronizations:", "Frame Counter Errors:", "Check Sum Errors:"})
    EXPECT_EQ(labels.count(text), 1u) << text;
}

TEST(Resources, MenuAcceleratorsAndStringsReachTheCommands) {
  app::RegisterResources();
  const std::vector<ui::MenuItemTemplate>* menu = ui::FindMenuResource(app::kMainResource);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->size(), 4u);
  EXPECT_EQ((*menu)[0].text, "&Briven");
  EXPECT_EQ((*menu)[0].flags, ui::MF_POPUP);
  EXPECT_EQ((*menu)[1].text, "&Conversion");
  EXPECT_EQ((*menu)[1].popup.back().text, "&Convert\tCtrl+C");
  EXPECT_EQ((*menu)[1].popup.back().id, app::kCmdConvert);
  EXPECT_EQ((*menu)[1].popup[2].flags, ui::MF_SEPARATOR);
  EXPECT_EQ((*menu)[2].popup[2].text, "Conversion &Log");
  EXPECT_EQ((*menu)[3].popup.back().text, "&About Briven...");

  // Accelerators: a key down that matches becomes the command.
  const ui::HACCEL accel = ui::LoadAccelerators(app::kMainResource);
  ASSERT_NE(accel, nullptr);
  EXPECT_EQ(ui::LoadAccelerators(999), nullptr);
  ui::WNDCLASS probe_class;
  probe_class.lpszClassName = "AcceleratorProbe";
  probe_class.lpfnWndProc = [](ui::HWND hwnd, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) -> ui::LRESULT {
    if (message == ui::WM_COMMAND) g_command = static_cast<unsigned>(wParam & 0xFFFF);
    return ui::DefWindowProc(hwnd, message, wParam, lParam);
  };
  ASSERT_TRUE(ui::RegisterClass(probe_class));
  const ui::HWND probe = ui::CreateWindowEx(0, "AcceleratorProbe", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr);
  ui::MSG enter{};
  enter.hwnd = probe;
  enter.message = ui::WM_KEYDOWN;
  enter.wParam = 0x0D;
  EXPECT_EQ(ui::TranslateAccelerator(probe, accel, &enter), 1);
  EXPECT_EQ(g_command, app::kCmdEnterConvert);
  ui::DestroyWindow(probe);

  EXPECT_EQ(app::LoadAppString(128), "Briven\n\nBriven\n\n\nBriven.Document\nBriven Document");
  EXPECT_EQ(app::LoadAppString(129), " H ");
  EXPECT_EQ(app::LoadAppString(130), " CONVERTING... ");
  EXPECT_EQ(app::LoadAppString(57344), "Briven");
  EXPECT_EQ(app::LoadAppString(32775), "Begin conversion\nBegin Conversion (Ctrl+C)");
  EXPECT_EQ(app::LoadAppString(1), "");
}

TEST(HeaderDefinition, LoadsAsOneHeaderSensorOfAVariableFrame) {
  CInstrument instrument;
  ASSERT_EQ(instrument.LoadInstrumentFile(std::string(BRIVEN_APP_SOURCE) + "/qelhdr1.tdf"), 0)
      << instrument.GetLoadReport();
  EXPECT_EQ(instrument.GetErrorCount(), 0) << instrument.GetLoadReport();
  EXPECT_EQ(instrument.IsVariableFrame(), 1);
  EXPECT_EQ(instrument.GetHeader(), "BRVHDR");
  EXPECT_EQ(instrument.GetFieldDelimiters(), " ");
  EXPECT_EQ(instrument.GetTerminator(), "\r\n");
  ASSERT_EQ(instrument.GetSensorCount(), 1);
  const CSensor* sensor = instrument.GetSensor(0);
  ASSERT_NE(sensor, nullptr);
  EXPECT_EQ(sensor->GetType(), "HEADER");
  EXPECT_EQ(sensor->GetFitType(), instrument::kFitCount);
}

}  // namespace
