// The conversion log file: one file in the conversion log folder named
// Briven.log or, while another program holds that one, Briven2.log to
// Briven9.log. Every file is opened for exclusive writing, which here is an
// advisory lock taken before the file is emptied, so a second running copy
// moves on to the next name instead of truncating the first one's log.
#pragma once

#include <string>
#include <vector>

#include "platform/sys/File.h"

class CConversionLogFile {
 public:
  static constexpr int kMaxSeriesNumber = 9;

  enum class OpenResult { kOpened, kAllTaken, kFailed, kRefused };

  // Opens one named file (the command line's); files in `protect` (the log
  // and instrument files of the conversion, the settings files) are never
  // opened, nor created when they are not there yet.
  OpenResult OpenNamed(const std::string& path, const std::vector<std::string>& protect);
  // Opens the first free name of the series in folder (which ends with a
  // separator). On kFailed, GetLastCause and GetLastTried tell why.
  OpenResult OpenSeries(const std::string& folder, const std::vector<std::string>& protect);

  // The series name for number 1 (Briven.log) to kMaxSeriesNumber.
  static std::string SeriesName(int number);

  void Write(const std::string& text);  // throws sys::CFileException
  void Close();                         // never throws
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& GetFilePath() const { return file_.GetFilePath(); }
  int GetLastCause() const { return last_cause_; }
  const std::string& GetLastTried() const { return last_tried_; }

 private:
  static bool IsProtected(const std::string& path, const std::vector<std::string>& protect);
  bool TryOpen(const std::string& path);

  sys::CFile file_;
  int last_cause_ = 0;
  std::string last_tried_;
};
