// How the output file of a conversion is named: typed by the user, formed
// from the titles of the log and instrument files, or formed from a base
// text and an increment that steps after every conversion. The view keeps
// one naming for instrument conversion and one for header conversion and
// uses the one that matches its header-conversion switch.
#pragma once

#include <string>

class CFileNaming {
 public:
  enum Mode { kModeUserDefined = 0, kModeFileTitles = 1, kModeAutoIncrement = 2 };
  enum IncrementType { kIncrementAlphabetic = 0, kIncrementNumeric = 1 };

  // The profile sections of the two namings the view keeps.
  static constexpr const char* kInstrumentSection = "Instrument Conversion";
  static constexpr const char* kHeaderSection = "Header Conversion";

  // A composed output name: `name` is what the "Next" box shows, `path` the
  // document's output file. `error` is set only when a composition failed
  // for a reason the user must be told (the other failures leave the view
  // without an output file, which Convert already reports).
  struct OutputName {
    std::string name;
    std::string path;
    std::string error;
  };

  CFileNaming() = default;
  CFileNaming(const CFileNaming&) = default;
  CFileNaming& operator=(const CFileNaming&) = default;
  virtual ~CFileNaming() = default;

  // Reads the five keys of a section. A key that is absent keeps the
  // member's current value.
  void LoadSettings(const std::string& section);
  // Writes all five keys; false when the profile refused any of them.
  bool SaveSettings(const std::string& section) const;

  // The name from the log file's title and the instrument file's title
  // ("cast1-sensor9.dat"); in header conversion the log title alone.
  bool ComposeTitleName(const std::string& logFile, const std::string& instrumentFile, bool headerConversion,
                        const std::string& outputFolder, OutputName& out) const;
  // The name from the base and the increment ("CAST007.dat"). Once the
  // increment can step no further and its file exists, composition fails
  // rather than hand out that name again.
  bool ComposeIncrementName(const std::string& outputFolder, OutputName& out) const;

  // Steps the increment after a finished conversion (auto increment mode
  // only). False when it did not change: another mode, or the increment is
  // at its last value ("Z", 999) or outside the range it steps through.
  bool AdvanceIncrement();
  // The increment AdvanceIncrement would leave.
  std::string NextIncrement() const;
  bool IsIncrementExhausted() const { return NextIncrement() == m_strIncrement; }

  std::string m_strBase;
  std::string m_strIncrement = "A";
  std::string m_strExtension = "dat";  // without the point
  int m_nMode = kModeUserDefined;
  int m_nIncrementType = kIncrementAlphabetic;

 private:
  // The numeric increment as the C runtime's atoi reads it (leading blanks,
  // a sign, digits; 0 when there are none), held to the range of int.
  int IncrementValue() const;
  std::string WithExtension(std::string name) const;
};
