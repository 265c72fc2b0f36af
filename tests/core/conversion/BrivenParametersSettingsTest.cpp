#include "core/conversion/BrivenParameters.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sys/Profile.h"
#include "tests/support/RecordingProfile.h"

namespace {

using ParametersSettingsTest = testsupport::RecordingProfileTest;

CBrivenParameters NonDefaultParameters() {
  CBrivenParameters p;
  p.m_strDelimiter = " ; ";
  p.m_nImmersed = 1;
  p.m_nTimeTags = 1;
  p.m_nTimeTagsFormatted = 1;
  p.m_nSuppressStrings = 1;
  p.m_nShowExtra = 1;
  p.m_nCheckSumChecking = 1;
  p.m_nFrameCounterChecking = 1;
  p.m_nSensorErrorFrames = 0;
  p.m_nProcessLimit = 500;
  p.m_nProcessDepth = 4;
  p.m_format = {2, 1, 1, 12, 0};
  return p;
}

TEST_F(ParametersSettingsTest, WritesEveryKeyInOrderAndReadsThemBack) {
  CBrivenParameters saved = NonDefaultParameters();
  // Neither the buffer size nor the command-line overrides are settings.
  saved.m_nBufferSize = 256;
  saved.ParseCommandLine("-ow=no");
  saved.ParseCommandLine("-cl=/tmp/Log.txt");
  ASSERT_TRUE(saved.SaveSettings());

  const std::vector<std::string> keys = {
      "Delimiter", "Immersed", "Time Tags", "Time Tags Formatted", "Suppress Strings", "Show Extra",
      "Check Sum Checking", "Frame Counter Checking", "Sensor Error Frames", "Process Limit", "Process Depth",
      "Double Type", "Apply Fit", "Hex Format", "Width", "Precision"};
  std::vector<std::string> expected;
  for (const std::string& key : keys) expected.push_back("Parameters/" + key);
  EXPECT_EQ(profile_.written, expected);

  CBrivenParameters loaded;
  loaded.LoadSettings();
  const CBrivenParameters want = NonDefaultParameters();
  EXPECT_EQ(loaded.m_strDelimiter, want.m_strDelimiter);
  EXPECT_EQ(loaded.m_nImmersed, 1);
  EXPECT_EQ(loaded.m_nTimeTags, 1);
  EXPECT_EQ(loaded.m_nTimeTagsFormatted, 1);
  EXPECT_EQ(loaded.m_nSuppressStrings, 1);
  EXPECT_EQ(loaded.m_nShowExtra, 1);
  EXPECT_EQ(loaded.m_nCheckSumChecking, 1);
  EXPECT_EQ(loaded.m_nFrameCounterChecking, 1);
  EXPECT_EQ(loaded.m_nSensorErrorFrames, 0);
  EXPECT_EQ(loaded.m_nProcessLimit, 500);
  EXPECT_EQ(loaded.m_nProcessDepth, 4);
  EXPECT_EQ(loaded.m_format.m_nDoubleType, 2);
  EXPECT_EQ(loaded.m_format.m_nApplyFit, 1);
  EXPECT_EQ(loaded.m_format.m_nHexFormat, 1);
  EXPECT_EQ(loaded.m_format.m_nWidth, 12);
  EXPECT_EQ(loaded.m_format.m_nPrecision, 0);
  EXPECT_EQ(loaded.m_nBufferSize, 0x40000);
  EXPECT_EQ(loaded.m_nOverwriteSet, 0);
  EXPECT_EQ(loaded.m_nOverwritePromptValue, 0);
  EXPECT_EQ(loaded.m_nConversionLogSet, 0);
  EXPECT_EQ(loaded.m_strConversionLogPath, "");
}

TEST_F(ParametersSettingsTest, AbsentKeysAndStoredMinusOneKeepTheBuiltInValues) {
  CBrivenParameters loaded;
  loaded.LoadSettings();  // nothing stored at all
  EXPECT_EQ(loaded.m_strDelimiter, "\t");
  EXPECT_EQ(loaded.m_nSensorErrorFrames, 1);
  EXPECT_EQ(loaded.m_nProcessLimit, -1);
  EXPECT_EQ(loaded.m_nProcessDepth, 1);
  EXPECT_EQ(loaded.m_format.m_nWidth, -1);
  EXPECT_EQ(loaded.m_format.m_nPrecision, -1);

  // Saving the defaults stores -1 for limit, width and precision; they
  // read back as the built-in -1, and a stored "-1" or empty delimiter is
  // no delimiter at all.
  CBrivenParameters().SaveSettings();
  for (const char* stored : {"-1", ""}) {
    profile_.WriteString("Parameters", "Delimiter", stored);
    profile_.WriteInt("Parameters", "Sensor Error Frames", -1);
    CBrivenParameters p = NonDefaultParameters();
    p.LoadSettings();
    EXPECT_EQ(p.m_strDelimiter, " ; ") << '"' << stored << '"';
    EXPECT_EQ(p.m_nSensorErrorFrames, 0);
    EXPECT_EQ(p.m_nProcessLimit, 500);
    EXPECT_EQ(p.m_format.m_nWidth, 12);
    EXPECT_EQ(p.m_format.m_nPrecision, 0);
    EXPECT_EQ(p.m_nImmersed, 0);  // a stored 0 does replace
  }
}

TEST_F(ParametersSettingsTest, DamagedStoredValuesComeBackIntoUsableRange) {
  struct Case {
    const char* key;
    int stored;
    int loaded;
    int CBrivenParameters::*field;
    int CSensorFormat::*format_field;
  };
  const Case cases[] = {
      {"Process Depth", 0, 1, &CBrivenParameters::m_nProcessDepth, nullptr},
      {"Process Depth", -7, 1, &CBrivenParameters::m_nProcessDepth, nullptr},
      {"Process Depth", 32767, 32767, &CBrivenParameters::m_nProcessDepth, nullptr},
      {"Process Limit", 0, 0, &CBrivenParameters::m_nProcessLimit, nullptr},
      {"Width", 0, 0, nullptr, &CSensorFormat::m_nWidth},
      {"Width", 32767, 32767, nullptr, &CSensorFormat::m_nWidth},
      {"Width", 2000000000, -1, nullptr, &CSensorFormat::m_nWidth},
      {"Precision", 32767, 32767, nullptr, &CSensorFormat::m_nPrecision},
      {"Precision", 40000, -1, nullptr, &CSensorFormat::m_nPrecision},
      {"Precision", -2, -1, nullptr, &CSensorFormat::m_nPrecision},
  };
  for (const Case& c : cases) {
    profile_.WriteInt("Parameters", c.key, c.stored);
    CBrivenParameters p;
    p.LoadSettings();
    const int value = c.field ? p.*c.field : p.m_format.*c.format_field;
    EXPECT_EQ(value, c.loaded) << c.key << " " << c.stored;
  }
}

TEST_F(ParametersSettingsTest, ReportsAFailedWriteButStillWritesTheRest) {
  profile_.refused_key = "Delimiter";
  EXPECT_FALSE(NonDefaultParameters().SaveSettings());
  EXPECT_EQ(profile_.written.size(), 16u);
  EXPECT_EQ(profile_.GetInt("Parameters", "Precision", -1), 0);
}

}  // namespace
