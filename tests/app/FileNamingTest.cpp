#include "app/FileNaming.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sys/Profile.h"
#include "tests/app/AppTestFolder.h"
#include "tests/support/RecordingProfile.h"

namespace {

CFileNaming IncrementNaming(const std::string& base, const std::string& increment, int type,
                            const std::string& extension = "dat") {
  CFileNaming naming;
  naming.m_nMode = CFileNaming::kModeAutoIncrement;
  naming.m_strBase = base;
  naming.m_strIncrement = increment;
  naming.m_nIncrementType = type;
  naming.m_strExtension = extension;
  return naming;
}

// --- composition from the file titles ------------------------------------

struct TitleCase {
  const char* log;
  const char* instrument;
  bool header_conversion;
  const char* extension;
  const char* folder;
  const char* name;  // nullptr: the composition fails
  const char* path;
};

TEST(FileNamingTitleTest, ComposesFromLogAndInstrumentTitles) {
  const TitleCase cases[] = {
      {"C:\\data\\cast1.raw", "D:\\cal\\sensor9.cal", false, "dat", "/out/", "cast1-sensor9.dat",
       "/out/cast1-sensor9.dat"},
      {"/data/cast1.raw", "/cal/sensor9.cal", false, "dat", "/out", "cast1-sensor9.dat", "/out/cast1-sensor9.dat"},
      {"/data/cast1.raw", "", true, "dat", "/out/", "cast1.dat", "/out/cast1.dat"},
      {"/data/cast1.raw", "/cal/sensor9.cal", true, "dat", "/out/", "cast1-sensor9.dat", "/out/cast1-sensor9.dat"},
      {"/data/cast1.raw", "/cal/sensor9.cal", false, "", "/out/", "cast1-sensor9", "/out/cast1-sensor9"},
      {"/data/run.2.raw", "/cal/NMBP0417.tdf", false, "txt", "/out/", "run.2-NMBP0417.txt",
       "/out/run.2-NMBP0417.txt"},
      {"/data/cast1.raw", "", false, "dat", "/out/", nullptr, nullptr},
      {"", "/cal/sensor9.cal", false, "dat", "/out/", nullptr, nullptr},
      {"/data/", "/cal/sensor9.cal", false, "dat", "/out/", nullptr, nullptr},
  };
  for (const TitleCase& c : cases) {
    SCOPED_TRACE(std::string(c.log) + " + " + c.instrument);
    CFileNaming naming;
    naming.m_nMode = CFileNaming::kModeFileTitles;
    naming.m_strExtension = c.extension;
    CFileNaming::OutputName out{"stale", "/stale", ""};
    const bool composed = naming.ComposeTitleName(c.log, c.instrument, c.header_conversion, c.folder, out);
    ASSERT_EQ(composed, c.name != nullptr);
    EXPECT_EQ(out.name, c.name ? c.name : "");
    EXPECT_EQ(out.path, c.path ? c.path : "");
    EXPECT_EQ(out.error, "");
  }
}

// --- composition from base and increment ---------------------------------

struct IncrementCase {
  const char* base;
  const char* increment;
  int type;
  const char* extension;
  const char* name;  // nullptr: the composition fails
};

TEST(FileNamingIncrementTest, ComposesFromBaseAndIncrement) {
  const IncrementCase cases[] = {
      {"CAST", "7", CFileNaming::kIncrementNumeric, "dat", "CAST007.dat"},
      {"CAST", "999", CFileNaming::kIncrementNumeric, "dat", "CAST999.dat"},
      {"CAST", "0042", CFileNaming::kIncrementNumeric, "dat", "CAST042.dat"},
      {"CAST", "-5", CFileNaming::kIncrementNumeric, "dat", "CAST-05.dat"},
      {"CAST", "x", CFileNaming::kIncrementNumeric, "dat", "CAST000.dat"},
      {"CAST", "b", CFileNaming::kIncrementAlphabetic, "dat", "CASTb.dat"},
      {"", "A", CFileNaming::kIncrementAlphabetic, "dat", "A.dat"},
      {"CAST", "7", CFileNaming::kIncrementNumeric, "", "CAST007"},
      {"CAST", "", CFileNaming::kIncrementAlphabetic, "dat", nullptr},
      {"CAST", "", CFileNaming::kIncrementNumeric, "dat", nullptr},
      {"CAST", "A", 2, "dat", nullptr},
      {"CAST", "A", -1, "dat", nullptr},
  };
  apptest::TempFolder folder;
  for (const IncrementCase& c : cases) {
    SCOPED_TRACE(std::string(c.base) + "/" + c.increment + "/" + std::to_string(c.type));
    const CFileNaming naming = IncrementNaming(c.base, c.increment, c.type, c.extension);
    CFileNaming::OutputName out{"stale", "/stale", ""};
    const bool composed = naming.ComposeIncrementName(folder.path(), out);
    ASSERT_EQ(composed, c.name != nullptr);
    EXPECT_EQ(out.name, c.name ? c.name : "");
    EXPECT_EQ(out.path, c.name ? folder / c.name : "");
  }
}

// --- stepping --------------------------------------------------------------

struct StepCase {
  int type;
  const char* increment;
  const char* next;
  bool advanced;
};

TEST(FileNamingStepTest, StepsWithoutWrapping) {
  const StepCase cases[] = {
      {CFileNaming::kIncrementAlphabetic, "A", "B", true},
      {CFileNaming::kIncrementAlphabetic, "b", "C", true},
      {CFileNaming::kIncrementAlphabetic, "Y", "Z", true},
      {CFileNaming::kIncrementAlphabetic, "z", "Z", true},
      {CFileNaming::kIncrementAlphabetic, "Z", "Z", false},
      {CFileNaming::kIncrementAlphabetic, "[", "Z", true},
      {CFileNaming::kIncrementAlphabetic, "@", "A", true},
      {CFileNaming::kIncrementAlphabetic, "5", "A", true},
      {CFileNaming::kIncrementAlphabetic, "", "A", true},
      {CFileNaming::kIncrementNumeric, "0", "1", true},
      {CFileNaming::kIncrementNumeric, "7", "8", true},
      {CFileNaming::kIncrementNumeric, "007", "8", true},
      {CFileNaming::kIncrementNumeric, "998", "999", true},
      {CFileNaming::kIncrementNumeric, "999", "999", false},
      {CFileNaming::kIncrementNumeric, "1000", "1000", false},
      {CFileNaming::kIncrementNumeric, "-1", "-1", false},
      {CFileNaming::kIncrementNumeric, "99999999999", "99999999999", false},
      {CFileNaming::kIncrementNumeric, "x", "1", true},
      {5, "A", "A", false},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + "/" + c.increment);
    CFileNaming naming = IncrementNaming("CAST", c.increment, c.type);
    EXPECT_EQ(naming.IsIncrementExhausted(), !c.advanced);
    EXPECT_EQ(naming.AdvanceIncrement(), c.advanced);
    EXPECT_EQ(naming.m_strIncrement, c.next);
  }
}

TEST(FileNamingStepTest, OnlyTheAutoIncrementModeSteps) {
  for (int mode : {CFileNaming::kModeUserDefined, CFileNaming::kModeFileTitles}) {
    CFileNaming naming = IncrementNaming("CAST", "7", CFileNaming::kIncrementNumeric);
    naming.m_nMode = mode;
    EXPECT_FALSE(naming.AdvanceIncrement());
    EXPECT_EQ(naming.m_strIncrement, "7");
  }
}

TEST(FileNamingStepTest, ASeriesNamesEachConversionAfresh) {
  apptest::TempFolder folder;
  CFileNaming naming = IncrementNaming("CAST", "7", CFileNaming::kIncrementNumeric);
  CFileNaming::OutputName out;
  ASSERT_TRUE(naming.ComposeIncrementName(folder.path(), out));
  EXPECT_EQ(out.name, "CAST007.dat");
  ASSERT_TRUE(naming.AdvanceIncrement());
  EXPECT_EQ(naming.m_strIncrement, "8");
  ASSERT_TRUE(naming.ComposeIncrementName(folder.path(), out));
  EXPECT_EQ(out.name, "CAST008.dat");
}

// --- an exhausted increment never reuses a name ----------------------------

struct LastNameCase {
  int type;
  const char* before_last;
  const char* last_name;
};

TEST(FileNamingExhaustedTest, RefusesTheLastNameOnceItsFileExists) {
  const LastNameCase cases[] = {
      {CFileNaming::kIncrementAlphabetic, "Y", "CASTZ.dat"},
      {CFileNaming::kIncrementNumeric, "998", "CAST999.dat"},
  };
  for (const LastNameCase& c : cases) {
    SCOPED_TRACE(c.last_name);
    apptest::TempFolder folder;
    CFileNaming naming = IncrementNaming("CAST", c.before_last, c.type);
    CFileNaming::OutputName out;
    // Two conversions of a series: the last name is handed out once ...
    ASSERT_TRUE(naming.ComposeIncrementName(folder.path(), out));
    apptest::WriteFile(out.path, "first conversion");
    ASSERT_TRUE(naming.AdvanceIncrement());
    ASSERT_TRUE(naming.ComposeIncrementName(folder.path(), out));
    EXPECT_EQ(out.name, c.last_name);
    apptest::WriteFile(out.path, "second conversion");
    // ... and never again: the third conversion has no name left.
    EXPECT_FALSE(naming.AdvanceIncrement());
    EXPECT_FALSE(naming.ComposeIncrementName(folder.path(), out));
    EXPECT_EQ(out.name, "");
    EXPECT_EQ(out.path, "");
    EXPECT_NE(out.error.find("\"" + folder / c.last_name + "\""), std::string::npos) << out.error;
    EXPECT_EQ(apptest::ReadFile(folder / c.last_name), "second conversion");
  }
}

TEST(FileNamingExhaustedTest, AnExistingFileOfAStillSteppingIncrementIsLeftToTheOverwriteQuestion) {
  apptest::TempFolder folder;
  apptest::WriteFile(folder / "CASTC.dat", "earlier");
  const CFileNaming naming = IncrementNaming("CAST", "C", CFileNaming::kIncrementAlphabetic);
  CFileNaming::OutputName out;
  ASSERT_TRUE(naming.ComposeIncrementName(folder.path(), out));
  EXPECT_EQ(out.path, folder / "CASTC.dat");
  EXPECT_EQ(out.error, "");
}

// --- profile settings ------------------------------------------------------

using FileNamingSettingsTest = testsupport::RecordingProfileTest;

TEST_F(FileNamingSettingsTest, AbsentKeysKeepTheDefaults) {
  CFileNaming naming;
  naming.LoadSettings(CFileNaming::kInstrumentSection);
  EXPECT_EQ(naming.m_strBase, "");
  EXPECT_EQ(naming.m_strIncrement, "A");
  EXPECT_EQ(naming.m_strExtension, "dat");
  EXPECT_EQ(naming.m_nMode, CFileNaming::kModeUserDefined);
  EXPECT_EQ(naming.m_nIncrementType, CFileNaming::kIncrementAlphabetic);
}

TEST_F(FileNamingSettingsTest, EachSectionKeepsItsOwnNaming) {
  CFileNaming instrument = IncrementNaming("CAST", "8", CFileNaming::kIncrementNumeric, "txt");
  CFileNaming header;
  header.m_nMode = CFileNaming::kModeFileTitles;
  header.m_strExtension = "";
  ASSERT_TRUE(instrument.SaveSettings(CFileNaming::kInstrumentSection));
  ASSERT_TRUE(header.SaveSettings(CFileNaming::kHeaderSection));
  EXPECT_EQ(profile_.written,
            (std::vector<std::string>{"Instrument Conversion/File Base", "Instrument Conversion/File Increment",
                                      "Instrument Conversion/File Extension", "Instrument Conversion/File Mode",
                                      "Instrument Conversion/Increment Type", "Header Conversion/File Base",
                                      "Header Conversion/File Increment", "Header Conversion/File Extension",
                                      "Header Conversion/File Mode", "Header Conversion/Increment Type"}));

  CFileNaming loaded_instrument;
  CFileNaming loaded_header;
  loaded_instrument.LoadSettings(CFileNaming::kInstrumentSection);
  loaded_header.LoadSettings(CFileNaming::kHeaderSection);
  EXPECT_EQ(loaded_instrument.m_strBase, "CAST");
  EXPECT_EQ(loaded_instrument.m_strIncrement, "8");
  EXPECT_EQ(loaded_instrument.m_strExtension, "txt");
  EXPECT_EQ(loaded_instrument.m_nMode, CFileNaming::kModeAutoIncrement);
  EXPECT_EQ(loaded_instrument.m_nIncrementType, CFileNaming::kIncrementNumeric);
  // An empty extension is a stored choice, not an absent key.
  EXPECT_EQ(loaded_header.m_strExtension, "");
  EXPECT_EQ(loaded_header.m_nMode, CFileNaming::kModeFileTitles);
  EXPECT_EQ(loaded_header.m_strIncrement, "A");
}

TEST_F(FileNamingSettingsTest, StoredMinusOneKeepsTheCurrentValue) {
  profile_.WriteString(CFileNaming::kInstrumentSection, "File Base", "-1");
  profile_.WriteInt(CFileNaming::kInstrumentSection, "File Mode", -1);
  profile_.WriteString(CFileNaming::kInstrumentSection, "File Increment", "Q");
  CFileNaming naming = IncrementNaming("CAST", "B", CFileNaming::kIncrementAlphabetic);
  naming.LoadSettings(CFileNaming::kInstrumentSection);
  EXPECT_EQ(naming.m_strBase, "CAST");
  EXPECT_EQ(naming.m_nMode, CFileNaming::kModeAutoIncrement);
  EXPECT_EQ(naming.m_strIncrement, "Q");
}

TEST_F(FileNamingSettingsTest, ARefusedKeyDoesNotCostTheOthers) {
  profile_.refused_key = "File Increment";
  const CFileNaming naming = IncrementNaming("CAST", "8", CFileNaming::kIncrementNumeric);
  EXPECT_FALSE(naming.SaveSettings(CFileNaming::kInstrumentSection));
  EXPECT_EQ(profile_.written.size(), 5u);
  CFileNaming loaded;
  loaded.LoadSettings(CFileNaming::kInstrumentSection);
  EXPECT_EQ(loaded.m_strBase, "CAST");
  EXPECT_EQ(loaded.m_nIncrementType, CFileNaming::kIncrementNumeric);
}

}  // namespace
