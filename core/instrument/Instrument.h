// One instrument, read once from its definition file: the frame header that
// synchronises its frames, the frame layout (fixed size, or variable with
// field delimiters and a terminator), its sensors in frame order, and the
// load report that tells the user what was read and what was corrected.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/instrument/DefinitionLineReader.h"
#include "core/instrument/Sensor.h"

namespace sys {
class CStdioFile;
}

class CInstrument {
 public:
  // Sanity limits for hostile files: no field or frame beyond these is real,
  // and frames must stay addressable as int.
  static constexpr unsigned kMaxFieldLength = 1u << 20;
  static constexpr unsigned kMaxFrameSize = 1u << 24;

  CInstrument() = default;
  CInstrument(const CInstrument&) = delete;
  CInstrument& operator=(const CInstrument&) = delete;

  // 0, or the abort code; either way GetLoadReport tells what happened.
  // `stop_requested` (may be empty) is asked while the file is read: when
  // it says yes the load ends at once with kInstrumentLoadStopped.
  int LoadInstrumentFile(const std::string& path, const std::function<bool()>& stop_requested = {});

  // For a caller that finds frames by the instrument's header: a load that
  // named no instrument (an empty file, only comments) becomes the refusal
  // of an invalid definition file. Returns its abort code.
  int RefuseUnnamedInstrument();

  // Index of the first sensor after `after` (-1: from the start) whose TYPE
  // equals `type` without regard to case, or -1.
  int FindSensor(const char* type, int after) const;
  // The sensor (owned by the instrument), or null after reporting why.
  CSensor* GetSensor(int index);

  unsigned GetFrameSize() const { return frame_size_; }
  int GetLinesRead() const { return lines_read_; }
  int GetSensorCount() const { return static_cast<int>(sensors_.size()); }
  int GetErrorCount() const { return error_count_; }
  int GetFileErrorCause() const { return file_error_cause_; }
  const std::string& GetHeader() const { return header_; }
  const std::string& GetSerialNumber() const { return serial_number_; }
  const std::string& GetTerminator() const { return terminator_; }
  const std::string& GetFieldDelimiters() const { return field_delimiters_; }
  const std::string& GetLoadReport() const { return load_report_; }
  const std::string& GetFileType() const { return file_type_; }
  const std::string& GetFileName() const { return file_path_; }
  int IsVariableFrame() const { return variable_frame_ ? 1 : 0; }

  static const char* GetActionText(int action);
  // The text of the stored file exception cause, ending in "\r\n".
  std::string GetFileErrorText() const;

 private:
  // What only the reading of one file needs.
  struct LoadState {
    bool instrument_line_seen = false;
    bool header_final = false;
    bool field_pending = false;
    bool terminator_seen = false;
    std::string header_being_built;
    int bad_definition_lines = 0;
    unsigned pending_coefficient_lines = 0;
    std::unique_ptr<CSensor> pending_sensor;  // null once dropped
    // First usable INTTIME sensor by upper-case ID, so OPTIC3 lines find
    // theirs without a scan of the sensor list.
    std::unordered_map<std::string, CSensor*> integration_time_sensors;
  };

  int OpenDefinitionFile(sys::CStdioFile& file, const std::string& path);
  int ReadDefinitionLines(sys::CStdioFile& file, const std::function<bool()>& stop_requested);
  int RefuseRead(instrument::DefinitionLineReader::Result read);
  // Aborts the load as an invalid definition file, `reason` (a tab-indented
  // line) saying why.
  int RefuseDefinitionFile(const std::string& reason);
  int FinishLoad();
  int ProcessLine(std::string_view line);
  void ProcessCoefficientLine(std::string_view line);
  int ProcessDefinitionLine(std::string_view line);

  int ParseSensorLine(std::string_view line, SensorDefinition& def, bool& accepted);
  int CountBadDefinitionLine();
  bool ParseFieldLength(std::string_view token, SensorDefinition& def);
  static bool ParseUnits(std::string_view token, std::string& units);
  int ParseInstrumentLine(const SensorDefinition& def);
  int ParseSerialNumberLine(const SensorDefinition& def);
  static int CheckHeaderLine(const SensorDefinition& def, bool serial_number);
  void MakeHeaderFinal();
  CSensor* FindIntegrationTimeSensor(const SensorDefinition& def) const;
  void AdvanceOffset(unsigned field_length) { frame_size_ += field_length; }

  void ValidateSensor(SensorDefinition& def);
  void ValidateVariableDataType(SensorDefinition& def);
  void ValidateDataTypeForFit(SensorDefinition& def);
  void ValidateGainRangesForFit(SensorDefinition& def);
  void ValidateFieldLength(SensorDefinition& def);
  void SetDataType(SensorDefinition& def, int data_type, int action);
  void SetGainRanges(SensorDefinition& def, unsigned gain_ranges, int action);
  void SetFieldLength(SensorDefinition& def, unsigned field_length, int action);
  int FinishSensorDefinition(SensorDefinition& def);
  int FinishDelimiterLine(const SensorDefinition& def);
  void AddFieldDelimiter(const SensorDefinition& def);
  void SetTerminator(const SensorDefinition& def);
  bool ParseGainRangeLine(std::string_view line, CSensor& sensor);
  void AppendSensor(std::unique_ptr<CSensor> sensor);

  void ReportLineError(int error, int action);
  void SetLoadReport(const std::string& message, int code);
  std::string NamedFileMessage(const char* message) const;

  std::string file_type_ = "Instrument File";
  std::string file_path_;
  std::string header_;
  std::string serial_number_;
  unsigned frame_size_ = 0;
  bool variable_frame_ = false;
  std::string field_delimiters_;
  std::string terminator_;
  int lines_read_ = 0;
  int error_count_ = 0;
  int file_error_cause_ = 0;
  std::string load_report_;
  std::vector<std::unique_ptr<CSensor>> sensors_;
  LoadState state_;
};
