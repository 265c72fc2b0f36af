// Every choice that shapes a conversion's output, kept in the "Parameters"
// settings section, edited by the parameters dialog and, in a command-line
// run, set by the option switches. It also carries the command-line values
// that override the document's "Settings" for one run; those are never
// stored.
#pragma once

#include <string>

#include "core/conversion/SensorFormat.h"

class CBrivenParameters {
 public:
  // Text written between fields.
  std::string m_strDelimiter = "\t";
  // Apply immersion coefficients (together with Apply Fit).
  int m_nImmersed = 0;
  // Append the date and time tag columns.
  int m_nTimeTags = 0;
  // Write time tags as YYYY-DDD and HH:MM:SS.mmm.
  int m_nTimeTagsFormatted = 0;
  // Leave text fields, time-like fits and error texts empty.
  int m_nSuppressStrings = 0;
  // Write the preamble, the units line and the frame-number column.
  int m_nShowExtra = 0;
  int m_nCheckSumChecking = 0;
  int m_nFrameCounterChecking = 0;
  // Also write frames whose error flag is set.
  int m_nSensorErrorFrames = 1;
  // Read buffer of the file resource in bytes; not a stored setting.
  int m_nBufferSize = 0x40000;
  // Stop after the frame with this number; 0 or less means no limit.
  int m_nProcessLimit = -1;
  // Write every Nth frame; always at least 1.
  int m_nProcessDepth = 1;
  CSensorFormat m_format;

  // Command-line overrides of "Settings" for this run only.
  int m_nOverwriteSet = 0;
  int m_nEndWindowSet = 0;
  int m_nConversionLogSet = 0;
  int m_nOverwritePromptValue = 0;  // 1 when the switch said "no"
  int m_nDismissProgressValue = 0;  // 1 when the switch said "yes"
  std::string m_strConversionLogPath;

  // Reads the "Parameters" section of the application profile. A value
  // that is absent (or stored as -1) keeps the current one; values no
  // conversion could use are brought back into range.
  void LoadSettings();
  // Writes every stored parameter; false when the profile refused a write.
  bool SaveSettings() const;

  // Parses one option switch ("-" and a letter). False when it is not
  // accepted; a refused switch may already have set some fields.
  bool ParseCommandLine(const std::string& argument);
  int GetParsedCount() const { return m_nParsedCount; }
  // The last refused argument and why it was refused, for the user.
  const std::string& GetRefusalReason() const { return m_strRefusal; }

 private:
  void ValidateLoadedValues();

  int m_nParsedCount = 0;
  std::string m_strRefusal;
};
