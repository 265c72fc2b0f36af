// The parameters dialog: what OK refuses and where the focus goes, the
// enabling rules as a table, the delimiter and number round trip, and the
// digits-only number edits.
#include <functional>

#include "app/ParametersDlg.h"
#include "app/SettingsDlgIds.h"
#include "core/conversion/BrivenParameters.h"
#include "tests/app/SettingsDialogFixture.h"

namespace {

using namespace app::parameters;
using settingstest::SettingsDialogFixture;

class ParametersDlgTest : public SettingsDialogFixture {
 protected:
  // The dialog opened on `parameters`, with every number edit empty.
  void OpenOn(const CBrivenParameters& parameters, bool header = false) {
    dialog.LoadFrom(parameters, header);
    Open(dialog, app::kParametersDialog);
  }
  CParametersDlg dialog;
};

struct Refusal {
  const char* what;
  std::function<void(CParametersDlg&)> change;
  const char* message;
  int focus;
};

TEST_F(ParametersDlgTest, EachRefusedValueIsToldAndKeepsTheDialogOpenOnItsControl) {
  const char* kInteger = "Please enter an integer between 1 and 32767.";
  const auto text = [](int id, const char* value) { return [=](CParametersDlg& d) { d.SetDlgItemText(id, value); }; };
  const Refusal cases[] = {
      {"typed delimiter empty", [](CParametersDlg& d) { Click(d, kSpecifyRadio); }, "Please specify an output field delimiter.", kDelimiterEdit},
      {"no delimiter chosen", [](CParametersDlg& d) { ui::SendDlgItemMessage(d.m_hWnd, kDelimiterCombo, ui::CB_SETCURSEL, static_cast<ui::WPARAM>(-1), 0); }, "Please select an output field delimiter.", kDelimiterCombo},
      {"limit 0", text(kLimitEdit, "0"), kInteger, kLimitEdit},
      {"limit 40000", text(kLimitEdit, "40000"), kInteger, kLimitEdit},
      {"limit 32768", text(kLimitEdit, "32768"), kInteger, kLimitEdit},
      {"width 0", text(kWidthEdit, "0"), kInteger, kWidthEdit},
      {"subsampling 0", text(kSubsamplingEdit, "0"), kInteger, kSubsamplingEdit},
      {"pasted letters", text(kWidthEdit, "12a"), kInteger, kWidthEdit},
      {"precision 40000", text(kPrecisionEdit, "40000"), "Please enter an integer between 0 and 32767.", kPrecisionEdit},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.what);
    CParametersDlg d;
    d.LoadFrom(CBrivenParameters{}, false);
    Open(d, app::kParametersDialog);
    notices.clear();
    c.change(d);
    ui::SetFocus(ui::GetDlgItem(d.m_hWnd, kExtraHeading));
    Press(d, ui::IDOK);
    EXPECT_TRUE(StillOpen(d));
    ASSERT_EQ(notices, std::vector<std::string>{c.message});
    EXPECT_EQ(icons.back(), sys::NoticeIcon::exclamation);
    EXPECT_EQ(FocusId(d), c.focus);
    d.DestroyWindow();
  }
}

TEST_F(ParametersDlgTest, AnEmptySubsamplingRateIsEveryFrameAndPrecisionZeroIsKept) {
  CBrivenParameters parameters;
  parameters.m_nProcessDepth = 5;
  parameters.m_format.m_nPrecision = 3;
  OpenOn(parameters);
  EXPECT_EQ(dialog.GetDlgItemText(kSubsamplingEdit), "5");
  EXPECT_EQ(dialog.GetDlgItemText(kPrecisionEdit), "3");
  dialog.SetDlgItemText(kSubsamplingEdit, "");
  dialog.SetDlgItemText(kPrecisionEdit, "0");
  Press(dialog, ui::IDOK);
  ASSERT_FALSE(StillOpen(dialog));
  EXPECT_TRUE(notices.empty());
  dialog.StoreInto(parameters);
  EXPECT_EQ(parameters.m_nProcessDepth, 1);
  EXPECT_EQ(parameters.m_format.m_nPrecision, 0);
  EXPECT_EQ(parameters.m_nProcessLimit, -1);
  EXPECT_EQ(parameters.m_format.m_nWidth, -1);
}

TEST_F(ParametersDlgTest, TheDelimiterChoiceRoundTrips) {
  struct Case {
    const char* stored;
    bool typed;
    int index;
    const char* shown;
  };
  const Case cases[] = {{"", false, 0, ""}, {"\t", false, 0, ""}, {" ", false, 1, ""}, {",", true, 0, ","}, {";;", true, 0, ";;"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    CBrivenParameters parameters;
    parameters.m_strDelimiter = c.stored;
    CParametersDlg d;
    d.LoadFrom(parameters, false);
    Open(d, app::kParametersDialog);
    EXPECT_EQ(Checked(d, kSpecifyRadio), c.typed);
    EXPECT_EQ(Checked(d, kSelectRadio), !c.typed);
    EXPECT_EQ(Enabled(d, kDelimiterEdit), c.typed);
    EXPECT_EQ(Enabled(d, kDelimiterCombo), !c.typed);
    EXPECT_EQ(d.GetDlgItemText(kDelimiterEdit), c.shown);
    if (!c.typed) {
      EXPECT_EQ(Selection(d, kDelimiterCombo), c.index);
    }
    Press(d, ui::IDOK);
    ASSERT_FALSE(StillOpen(d));
    CBrivenParameters back;
    d.StoreInto(back);
    EXPECT_EQ(back.m_strDelimiter, std::string(c.stored).empty() ? "\t" : c.stored);
    d.DestroyWindow();
  }
  // Choosing "Specify" and typing a comma makes the comma the delimiter.
  OpenOn(CBrivenParameters{});
  Click(dialog, kSpecifyRadio);
  EXPECT_FALSE(Checked(dialog, kSelectRadio));
  EXPECT_TRUE(Enabled(dialog, kDelimiterEdit));
  dialog.SetDlgItemText(kDelimiterEdit, ",");
  Press(dialog, ui::IDOK);
  CBrivenParameters back;
  dialog.StoreInto(back);
  EXPECT_EQ(back.m_strDelimiter, ",");
}

TEST_F(ParametersDlgTest, EnablingRules) {
  struct Case {
    bool header, physical, process, suppress;
    bool immersion, hexadecimal, format_tags, physical_enabled, limit_enabled;
  };
  // header physical process suppress | immersion hex format | physical limit
  const Case cases[] = {
      {false, false, false, false, false, true, false, true, true},
      {false, true, false, false, true, false, false, true, true},
      {false, false, true, false, false, true, true, true, true},
      {false, false, true, true, false, false, false, true, true},
      {false, true, true, true, true, false, false, true, true},
      {false, false, false, true, false, false, false, true, true},
      {true, true, true, false, false, false, false, false, false},
      {true, false, false, false, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.header << c.physical << c.process << c.suppress);
    const CParametersDlg::Choices choices{c.header, c.physical, c.process, c.suppress};
    EXPECT_EQ(CParametersDlg::IsControlEnabled(kImmersion, choices), c.immersion);
    EXPECT_EQ(CParametersDlg::IsControlEnabled(kHexadecimal, choices), c.hexadecimal);
    EXPECT_EQ(CParametersDlg::IsControlEnabled(kFormatTimeTags, choices), c.format_tags);
    EXPECT_EQ(CParametersDlg::IsControlEnabled(kPhysicalValues, choices), c.physical_enabled);
    EXPECT_EQ(CParametersDlg::IsControlEnabled(kLimitEdit, choices), c.limit_enabled);
  }
  // Header conversion disables everything that belongs to an instrument,
  // and nothing else.
  const CParametersDlg::Choices header{true, false, true, false};
  for (int id : {kPhysicalValues, kImmersion, kProcessTimeTags, kFormatTimeTags, kFloatTypeCombo, kPrecisionEdit,
                 kErrorFrames, kSuppressStrings, kHexadecimal, kFrameCounter, kCheckSum, kLimitEdit, kSubsamplingEdit})
    EXPECT_FALSE(CParametersDlg::IsControlEnabled(id, header)) << id;
  for (int id : {kExtraHeading, kWidthEdit, kSelectRadio, kSpecifyRadio})
    EXPECT_TRUE(CParametersDlg::IsControlEnabled(id, header)) << id;
}

TEST_F(ParametersDlgTest, ClicksReapplyTheRulesInTheDialog) {
  OpenOn(CBrivenParameters{});
  EXPECT_FALSE(Enabled(dialog, kImmersion));
  EXPECT_TRUE(Enabled(dialog, kHexadecimal));
  EXPECT_FALSE(Enabled(dialog, kFormatTimeTags));
  Click(dialog, kPhysicalValues);
  EXPECT_TRUE(Enabled(dialog, kImmersion));
  EXPECT_FALSE(Enabled(dialog, kHexadecimal));
  Click(dialog, kPhysicalValues);
  Click(dialog, kProcessTimeTags);
  EXPECT_TRUE(Enabled(dialog, kFormatTimeTags));
  EXPECT_TRUE(Enabled(dialog, kHexadecimal));
  Click(dialog, kSuppressStrings);
  EXPECT_FALSE(Enabled(dialog, kFormatTimeTags));
  EXPECT_FALSE(Enabled(dialog, kHexadecimal));
  dialog.DestroyWindow();

  CParametersDlg header;
  header.LoadFrom(CBrivenParameters{}, true);
  Open(header, app::kParametersDialog);
  EXPECT_FALSE(Enabled(header, kPhysicalValues));
  EXPECT_FALSE(Enabled(header, kSubsamplingEdit));
  EXPECT_TRUE(Enabled(header, kExtraHeading));
  EXPECT_TRUE(Enabled(header, kWidthEdit));
}

TEST_F(ParametersDlgTest, NumberEditsTakeDigitsOnlyAndTheDelimiterAtMost255Characters) {
  OpenOn(CBrivenParameters{});
  const ui::HWND limit = ui::GetDlgItem(dialog.m_hWnd, kLimitEdit);
  for (char c : std::string("1a-2. 3")) ui::SendMessage(limit, ui::WM_CHAR, static_cast<ui::WPARAM>(c), 1);
  EXPECT_EQ(dialog.GetDlgItemText(kLimitEdit), "123");
  ui::SendMessage(limit, ui::WM_CHAR, 0x08, 1);
  EXPECT_EQ(dialog.GetDlgItemText(kLimitEdit), "12");
  Click(dialog, kSpecifyRadio);
  const ui::HWND typed = ui::GetDlgItem(dialog.m_hWnd, kDelimiterEdit);
  for (int i = 0; i < 300; ++i) ui::SendMessage(typed, ui::WM_CHAR, ',', 1);
  EXPECT_EQ(dialog.GetDlgItemText(kDelimiterEdit).size(), 255u);
}

}  // namespace
