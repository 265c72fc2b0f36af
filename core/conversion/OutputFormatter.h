// The text of an output file: the preamble, the column header lines and one
// row per frame, in the delimiter and width the parameters give, plus the
// two lines of a header-mode output. Rows are appended to one reused buffer.
#pragma once

#include <string>
#include <vector>

#include "core/conversion/BrivenParameters.h"
#include "core/conversion/ColumnDecoder.h"
#include "core/conversion/RowSpace.h"
#include "core/conversion/RowStep.h"
#include "core/conversion/VariableColumnDecoder.h"

class CFrameData;
class CFrameChecker;
class CQelTelemetryDoc;
class CSensor;

struct OutputPreambleInfo {
  std::string instrument_header;
  std::string instrument_title;
  std::string log_title;
  bool check_sum_in_use = false;
};

class COutputFormatter {
 public:
  struct Column {
    int index = -1;
    CSensor* sensor = nullptr;  // owned by the instrument; null when missing
    CColumnDecoder decoder;     // settled once per conversion
    CVariableColumnDecoder variable;  // the same for a variable-length field
  };

  // Takes the kept sensors (fit not NONE) of instrument 0 as the columns,
  // and the serial number, ISO 8601 and check sum sensors of this run.
  void Prepare(CQelTelemetryDoc& doc, const CBrivenParameters& params, const std::string& serial_number,
               int iso8601_index, int check_sum_index);
  // Header mode: the one HEADER column of the header definition.
  // False unless the header definition has exactly one sensor, of TYPE
  // "HEADER" with fit COUNT.
  bool PrepareHeaderMode(CQelTelemetryDoc& doc, const CBrivenParameters& params);

  void AppendPreamble(std::string& out, const OutputPreambleInfo& info) const;
  void AppendHeaderModePreamble(std::string& out, const OutputPreambleInfo& info) const;
  // Also sets each kept sensor's Immersed flag from the parameters.
  void AppendColumnHeaders(std::string& out) const;
  // The row of one frame, appended to out; ends with the delimiter when
  // time tags follow, else with "\n".
  void AppendRow(std::string& out, CQelTelemetryDoc& doc, CFrameData& frame, const CFrameChecker& checks);
  // The same row written at `at` in space, which has room for GetLongestRow
  // bytes there, ending in CR LF where AppendRow ends in "\n"; its end.
  // inner_line_ends is set when the row holds a line end of its own.
  char* WriteRow(CRowSpace& space, char* at, CQelTelemetryDoc& doc, CFrameData& frame, const CFrameChecker& checks,
                 bool& inner_line_ends);
  // The room a row takes at most, unless a value is longer than a number.
  std::size_t GetLongestRow() const { return m_nLongestRow; }
  // One header-mode line from the value of the header sensor.
  void AppendHeaderFrameLine(std::string& out, const std::string& value) const;

  const std::vector<Column>& GetColumns() const { return m_columns; }
  std::vector<int> GetOutputSensorIndexes() const;

  // The row plan points into the columns: a copy would point into the
  // original's.
  COutputFormatter() = default;
  COutputFormatter(const COutputFormatter&) = delete;
  COutputFormatter& operator=(const COutputFormatter&) = delete;

 private:
  void AppendPadded(std::string& out, const std::string& text) const;
  void AppendLeftPadded(std::string& out, const std::string& text) const;
  void AppendField(std::string& out, const std::string& text) const;
  void AppendYesNo(std::string& out, bool yes, bool last) const;
  // Takes a trailing delimiter off the text from start on, and ends the line.
  void EndLine(std::string& out, std::size_t start = 0) const;
  void AppendValueColumn(std::string& out, CQelTelemetryDoc& doc, CFrameData& frame, std::size_t available,
                         const Column& column, const CFrameChecker& checks, const CSensorFormat& format) const;
  void AppendIso8601(std::string& out, CQelTelemetryDoc& doc, CFrameData& frame, const Column& column,
                     const CSensorFormat& format) const;
  // Copies a text the general road made into the row, with room kept for
  // the rest of the row behind it.
  char* CopyIntoRow(CRowSpace& space, char* at, const std::string& text, bool& inner_line_ends) const;
  // The frame number and serial number that open a row with the extra
  // columns or a serial number.
  char* WriteRowStart(CRowSpace& space, char* at, const CFrameData& frame, bool& inner_line_ends);
  char* WritePaddedFrameNumber(CRowSpace& space, char* at, std::uint32_t number, bool& inner_line_ends);
  // A column the general road prints, with its delimiter.
  char* WriteByGeneralRoad(CRowSpace& space, char* at, CQelTelemetryDoc& doc, CFrameData& frame,
                           std::size_t available, const Column& column, const CFrameChecker& checks,
                           bool& inner_line_ends);
  // The plan of the rows, once per conversion.
  void PlanRows();
  CRowStep PlanStep(std::size_t column) const;

  const CBrivenParameters* m_pParams = nullptr;
  std::string m_strSerialField;  // the serial number padded to the width
  int m_nIso8601Index = -1;
  int m_nCheckSumIndex = -1;
  std::vector<Column> m_columns;
  // Settled once per conversion: the room of the longest row that holds
  // only numbers, whether the delimiter or serial number put a line end
  // into every row, the format of the values (ten digits where the
  // precision is left open), whether the column decoders write them in
  // place, and the serial number's field with its delimiter, stored padded
  // so that it is copied in one fixed-size move.
  std::size_t m_nLongestRow = 0;
  bool m_bLineEndInEveryRow = false;
  // A row opens with the frame number or a serial number, or has a field
  // at all (else it has no delimiter to give its place to the line end).
  bool m_bRowStart = false;
  bool m_bRowHasField = false;
  std::vector<CRowStep> m_rowSteps;  // one a column, in their order
  CSensorFormat m_rowFormat;
  bool m_bValuesInPlace = false;
  static constexpr std::size_t kShortPrefix = 16;
  std::string m_strRowPrefix;
  bool m_bShortPrefix = false;
  std::string m_strValue;  // a value of the general road, reused
  instrument::VariableFieldIndex m_variableFields;  // the fields of the row's frame, reused
};
