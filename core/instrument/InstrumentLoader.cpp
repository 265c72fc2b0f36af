// Reading a definition file line by line into the instrument's sensors.
#include <utility>

#include "core/instrument/AsciiText.h"
#include "core/instrument/DefinitionLineReader.h"
#include "core/instrument/Instrument.h"
#include "core/instrument/ResultCodes.h"
#include "platform/sys/Format.h"
#include "platform/sys/StdioFile.h"

using namespace instrument;

namespace {

constexpr const char* kOpenFailedMessage = "An error occured opening the %s.\r\n\t%s Name: \"%s\".\r\n";
constexpr const char* kReadFailedMessage = "An error occured reading the %s.\r\n\t%s Name: \"%s\".\r\n";

std::string KindFromName(const std::string& path) {
  const std::string_view tail = std::string_view(path).substr(path.size() < 3 ? 0 : path.size() - 3);
  if (EqualsNoCase(tail, "cal")) return "Calibration File";
  if (EqualsNoCase(tail, "tdf")) return "Telemetry Definition File";
  return "Instrument File";
}

}  // namespace

int CInstrument::LoadInstrumentFile(const std::string& path, const std::function<bool()>& stop_requested) {
  if (!file_path_.empty()) {
    SetLoadReport("Unable to reload instrument.\r\n", kInstrumentAlreadyLoaded);
    return kInstrumentAlreadyLoaded;
  }
  if (path.empty()) {
    SetLoadReport("Unable to load instrument.\r\n", kInstrumentNoFileName);
    return kInstrumentNoFileName;
  }
  // A load whose open failed may be tried again: start from nothing.
  load_report_.clear();
  error_count_ = 0;
  file_type_ = KindFromName(path);

  sys::CStdioFile file;
  if (const int result = OpenDefinitionFile(file, path); result != kResultOk) return result;
  state_ = LoadState{};
  int result = ReadDefinitionLines(file, stop_requested);
  if (result == kResultOk) result = FinishLoad();
  file.Abort();  // read only: nothing to write back
  state_ = LoadState{};
  return result;
}

int CInstrument::OpenDefinitionFile(sys::CStdioFile& file, const std::string& path) {
  sys::CFileException error;
  bool opened = file.Open(path, sys::CFile::modeRead | sys::CFile::typeText, &error);
  sys::CFileStatus status;
  if (opened && file.GetStatus(status) && (status.m_attribute & sys::kAttrDirectory) != 0) {
    // A folder opens for reading here but is no definition file.
    file.Abort();
    opened = false;
    error.m_cause = sys::CFileException::accessDenied;
  }
  if (!opened) {
    file_error_cause_ = error.m_cause;
    SetLoadReport(sys::Format(kOpenFailedMessage, file_type_.c_str(), file_type_.c_str(), path.c_str()),
                  kInstrumentOpenFailed);
    return kInstrumentOpenFailed;
  }
  file_path_ = status.m_szFullName.empty() ? path : status.m_szFullName;
  // A pipe, socket or device is no definition file: a pipe whose writer
  // never writes would hold the run forever, and a device such as a
  // stream of zeros never ends.
  if ((status.m_attribute & sys::kAttrSystem) != 0)
    return RefuseDefinitionFile("\tThe file is not a regular file.\r\n");
  return kResultOk;
}

int CInstrument::ReadDefinitionLines(sys::CStdioFile& file, const std::function<bool()>& stop_requested) {
  DefinitionLineReader reader(file, stop_requested);
  std::string line;
  try {
    for (;;) {
      const DefinitionLineReader::Result read = reader.ReadLine(line);
      if (read == DefinitionLineReader::Result::kEnd) break;
      if (read != DefinitionLineReader::Result::kLine) return RefuseRead(read);
      ++lines_read_;
      if (const int result = ProcessLine(line); result != kResultOk) return result;
    }
  } catch (const sys::CFileException& error) {
    file_error_cause_ = error.m_cause;
    SetLoadReport(NamedFileMessage(kReadFailedMessage), kInstrumentReadFailed);
    state_.pending_sensor.reset();
    return kInstrumentReadFailed;
  }
  return kResultOk;
}

int CInstrument::RefuseUnnamedInstrument() {
  return RefuseDefinitionFile(lines_read_ == 0 ? "\tThe file is empty.\r\n" : "\tThe file names no instrument.\r\n");
}

int CInstrument::RefuseRead(DefinitionLineReader::Result read) {
  state_.pending_sensor.reset();
  if (read == DefinitionLineReader::Result::kStopped) {
    SetLoadReport("Unable to load instrument.\r\n", kInstrumentLoadStopped);
    return kInstrumentLoadStopped;
  }
  // The line being read is named: the one after the last whole line.
  const int line = lines_read_ + 1;
  if (read == DefinitionLineReader::Result::kLineTooLong)
    return RefuseDefinitionFile(sys::Format("\tLine %d: The line is longer than %u bytes.\r\n", line,
                                            static_cast<unsigned>(DefinitionLineReader::kMaxLineLength)));
  return RefuseDefinitionFile(sys::Format("\tLine %d: The file is longer than %u bytes.\r\n", line,
                                          static_cast<unsigned>(DefinitionLineReader::kMaxFileSize)));
}

int CInstrument::RefuseDefinitionFile(const std::string& reason) {
  SetLoadReport(NamedFileMessage(kReadFailedMessage) + reason, kInstrumentInvalidFile);
  return kInstrumentInvalidFile;
}

int CInstrument::FinishLoad() {
  // Missing coefficient lines are reported even for a sensor already dropped
  // by a bad one: the report then says that the file also ended too soon.
  if (state_.pending_coefficient_lines > 0) {
    ReportLineError(kLineMissingGainRanges, kActionSensorIgnored);
    state_.pending_sensor.reset();
  }
  state_.pending_coefficient_lines = 0;
  // INSTRUMENT and SN lines followed only by zero-length lines still name
  // the instrument.
  if (!state_.header_final) MakeHeaderFinal();
  if (variable_frame_ && !state_.terminator_seen) {
    SetLoadReport(NamedFileMessage(kReadFailedMessage), kInstrumentNoTerminator);
    return kInstrumentNoTerminator;
  }
  SetLoadReport(sys::Format("%s read successfully.\r\n", file_type_.c_str()), kInstrumentLoaded);
  return kResultOk;
}

int CInstrument::ProcessLine(std::string_view line) {
  line = TrimLeadingBlanks(line);
  line = line.substr(0, line.find('#'));
  if (line.empty()) return kResultOk;
  if (state_.pending_coefficient_lines > 0) {
    ProcessCoefficientLine(line);
    return kResultOk;
  }
  return ProcessDefinitionLine(line);
}

void CInstrument::ProcessCoefficientLine(std::string_view line) {
  --state_.pending_coefficient_lines;
  if (!state_.pending_sensor) return;  // dropped: its remaining lines are only counted off
  if (!ParseGainRangeLine(line, *state_.pending_sensor)) {
    state_.pending_sensor.reset();
    return;
  }
  if (state_.pending_coefficient_lines == 0) AppendSensor(std::move(state_.pending_sensor));
}

int CInstrument::ProcessDefinitionLine(std::string_view line) {
  SensorDefinition def;
  bool accepted = false;
  if (const int result = ParseSensorLine(line, def, accepted); result != kResultOk) return result;
  if (!accepted || FinishSensorDefinition(def) != 0) return kResultOk;
  const unsigned gain_ranges = def.gain_ranges;
  auto sensor = std::make_unique<CSensor>(std::move(def));
  if (gain_ranges == 0) {
    AppendSensor(std::move(sensor));
  } else {
    state_.pending_sensor = std::move(sensor);
    state_.pending_coefficient_lines = gain_ranges;
  }
  return kResultOk;
}

void CInstrument::AppendSensor(std::unique_ptr<CSensor> sensor) {
  const int fit = sensor->GetFitType();
  if (EqualsNoCase(sensor->GetType(), "INTTIME") && EqualsNoCase(sensor->GetUnits(), "sec") &&
      fit >= kFitTherm1 && fit <= kFitPow10) {
    state_.integration_time_sensors.try_emplace(UpperAscii(sensor->GetId()), sensor.get());
  }
  sensors_.push_back(std::move(sensor));
}
