// The resources the application's code looks up by number, and the header
// definition the header conversion loads.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/AppResources.h"
#include "core/instrument/Instrument.h"
#include "core/instrument/SensorKeywords.h"
#include "core/instrument/Sensor.h"

namespace {

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
    const ui::DialogTemplate* dialog = app::FindDialogTemplate(c.id);
    ASSERT_NE(dialog, nullptr) << c.id;
    EXPECT_EQ(dialog->caption, c.caption) << c.id;
    const std::set<int> ids = ItemIds(*dialog);
    for (int id : c.ids) EXPECT_EQ(ids.count(id), 1u) << "dialog " << c.id << " control " << id;
  }
  EXPECT_EQ(app::FindDialogTemplate(999), nullptr);
  // The progress window's labels are the system's own texts.
  std::set<std::string> labels;
  for (const auto& item : app::FindDialogTemplate(app::kConversionDialog)->items) labels.insert(item.text);
  for (const char* text : {"Frames Processed:", "Resynchronizations:", "Frame Counter Errors:", "Check Sum Errors:"})
    EXPECT_EQ(labels.count(text), 1u) << text;
}

TEST(Resources, MenuAcceleratorsAndStringsReachTheCommands) {
  const app::MenuResource* menu = app::FindMenu(app::kMainResource);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 4u);
  EXPECT_EQ(menu->items[0].text, "&Briven");
  EXPECT_EQ(menu->items[1].text, "&Conversion");
  EXPECT_EQ(menu->items[1].popup.back().text, "&Convert\tCtrl+C");
  EXPECT_EQ(menu->items[1].popup.back().id, app::kCmdConvert);
  EXPECT_EQ(menu->items[2].popup[2].text, "Conversion &Log");
  EXPECT_EQ(menu->items[3].popup.back().text, "&About Briven...");

  const app::AcceleratorTable* table = app::FindAcceleratorTable(app::kMainResource);
  ASSERT_NE(table, nullptr);
  std::set<std::pair<int, int>> keys;
  for (const app::AcceleratorResource& entry : table->entries) keys.insert({entry.key | entry.flags << 16, entry.command});
  EXPECT_EQ(keys.size(), 9u);
  EXPECT_EQ(keys.count({'C' | (app::kAccelVirtKey | app::kAccelControl) << 16, 32775}), 1u);
  EXPECT_EQ(keys.count({0x70 | (app::kAccelVirtKey | app::kAccelShift) << 16, 57669}), 1u);
  EXPECT_EQ(keys.count({0x0D | app::kAccelVirtKey << 16, 32791}), 1u);

  EXPECT_STREQ(app::FindStringResource(128), "Briven\n\nBriven\n\n\nBriven.Document\nBriven Document");
  EXPECT_STREQ(app::FindStringResource(129), " H ");
  EXPECT_STREQ(app::FindStringResource(130), " CONVERTING... ");
  EXPECT_STREQ(app::FindStringResource(57344), "Briven");
  EXPECT_STREQ(app::FindStringResource(32775), "Begin conversion\nBegin Conversion (Ctrl+C)");
  EXPECT_EQ(app::FindStringResource(1), nullptr);
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
