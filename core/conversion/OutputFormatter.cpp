#include "core/conversion/OutputFormatter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/conversion/FrameChecker.h"
#include "core/instrument/FrameData.h"
#include "core/instrument/Sensor.h"
#include "core/instrument/SensorKeywords.h"
#include "core/telemetry/QelTelemetryDoc.h"
#include "core/telemetry/TelemetryDocNumberText.h"
#include "platform/sys/FastNumberUnsigned.h"
#include "platform/sys/StringUtil.h"

namespace {

using instrument::kFitDdmm;
using instrument::kFitHhmmss;
using instrument::kFitTime2;

// The value column of an ISO 8601 time "YYYY-MM-DDTHH:MM:SS.mmm..." is
// shown with a space for the "T" and ends after the milliseconds.
constexpr std::size_t kIsoDateLength = 10;
constexpr std::size_t kIsoTimeLength = 12;

bool IsTimeLikeFit(int fit) { return fit == kFitDdmm || fit == kFitHhmmss || fit == kFitTime2; }

bool LooksLikeErrorText(const std::string& out, std::size_t start) {
  const std::size_t length = out.size() - start;
  const std::size_t from = start + (length >= 7 ? length - 7 : 0);
  return out.compare(from, 5, "Error") == 0 && out.size() - from >= 5;
}

}  // namespace

void COutputFormatter::Prepare(CQelTelemetryDoc& doc, const CBrivenParameters& params,
                               const std::string& serial_number, int iso8601_index, int check_sum_index) {
  m_pParams = &params;
  m_nIso8601Index = iso8601_index;
  m_nCheckSumIndex = check_sum_index;
  m_strSerialField.clear();
  if (!serial_number.empty()) AppendPadded(m_strSerialField, serial_number);
  m_columns.clear();
  const int count = doc.GetInstrumentSensorCount(0);
  for (int i = 0; i < count; ++i) {
    CSensor* sensor = doc.GetSensor(0, i);
    if (sensor == nullptr || sensor->GetFitType() == instrument::kFitNone) continue;
    // The time column rewrites its text and the check sum column shows the
    // residue: they never take the decoder.
    const bool own_text = i == iso8601_index || i == check_sum_index;
    m_columns.push_back({i, sensor, own_text ? CColumnDecoder() : CColumnDecoder(*sensor, params.m_format),
                         own_text ? CVariableColumnDecoder()
                                  : CVariableColumnDecoder(*sensor, params.m_format, params.m_nSuppressStrings != 0)});
  }
  PlanRows();
}

bool COutputFormatter::PrepareHeaderMode(CQelTelemetryDoc& doc, const CBrivenParameters& params) {
  m_pParams = &params;
  m_nIso8601Index = -1;
  m_nCheckSumIndex = -1;
  m_strSerialField.clear();
  m_columns.clear();
  m_rowSteps.clear();  // header lines have no rows
  if (doc.GetInstrumentSensorCount(0) != 1) return false;
  CSensor* sensor = doc.GetSensor(0, 0);
  if (sensor == nullptr || sensor->GetType() != "HEADER" || sensor->GetFitType() != instrument::kFitCount)
    return false;
  m_columns.push_back({0, sensor, CColumnDecoder(), CVariableColumnDecoder()});
  return true;
}

std::vector<int> COutputFormatter::GetOutputSensorIndexes() const {
  std::vector<int> indexes;
  indexes.reserve(m_columns.size());
  for (const Column& column : m_columns) indexes.push_back(column.index);
  return indexes;
}

void COutputFormatter::AppendPadded(std::string& out, const std::string& text) const {
  const int width = m_pParams->m_format.m_nWidth;
  // "%*s" of the text's C string: it ends at its first zero byte.
  if (width > 0)
    telemetry::AppendPaddedText(out, text.c_str(), std::strlen(text.c_str()), width);
  else
    out += text;
}

void COutputFormatter::AppendLeftPadded(std::string& out, const std::string& text) const {
  const int width = m_pParams->m_format.m_nWidth;
  // "%-*s": the text first, then the spaces.
  if (width > 0) {
    const std::size_t length = std::strlen(text.c_str());
    out.append(text.c_str(), length);
    if (static_cast<std::size_t>(width) > length) out.append(static_cast<std::size_t>(width) - length, ' ');
  } else {
    out += text;
  }
}

void COutputFormatter::AppendField(std::string& out, const std::string& text) const {
  AppendPadded(out, text);
  out += m_pParams->m_strDelimiter;
}

void COutputFormatter::AppendYesNo(std::string& out, bool yes, bool last) const {
  AppendPadded(out, yes ? "YES" : "NO");
  if (!last) out += m_pParams->m_strDelimiter;
}

void COutputFormatter::EndLine(std::string& out, std::size_t start) const {
  // Only a delimiter that is there is taken off: an empty line has none.
  // Compared in place, as every row ends here.
  const std::string& d = m_pParams->m_strDelimiter;
  const auto tail = out.end() - static_cast<std::ptrdiff_t>(std::min(d.size(), out.size()));
  if (!d.empty() && out.size() - start >= d.size() && std::equal(d.begin(), d.end(), tail)) {
    if (d.size() == 1) {
      out.back() = '\n';  // the delimiter's place takes the line end
      return;
    }
    out.resize(out.size() - d.size());
  }
  out += '\n';
}

void COutputFormatter::AppendPreamble(std::string& out, const OutputPreambleInfo& info) const {
  const CBrivenParameters& p = *m_pParams;
  if (!p.m_nShowExtra) return;
  static constexpr const char* kKeywords[] = {"Instrument", "InsFile",  "LogFile",  "Fitted",    "Immersed",
                                              "Hex",        "CheckSum", "TimeTags", "F-TimeTags"};
  for (const char* keyword : kKeywords) AppendField(out, keyword);
  EndLine(out);
  AppendField(out, info.instrument_header);
  AppendField(out, info.instrument_title);
  AppendField(out, info.log_title);
  const bool fit = p.m_format.m_nApplyFit != 0;
  AppendYesNo(out, fit, false);
  AppendYesNo(out, fit && p.m_nImmersed, false);
  AppendYesNo(out, !fit && p.m_format.m_nHexFormat && !p.m_nSuppressStrings, false);
  AppendYesNo(out, info.check_sum_in_use, false);
  AppendYesNo(out, p.m_nTimeTags != 0, false);
  AppendYesNo(out, p.m_nTimeTagsFormatted && p.m_nTimeTags && !p.m_nSuppressStrings, true);
  out += "\n\n";
  AppendField(out, "Index");
}

void COutputFormatter::AppendHeaderModePreamble(std::string& out, const OutputPreambleInfo& info) const {
  const CBrivenParameters& p = *m_pParams;
  if (!p.m_nShowExtra) return;
  AppendLeftPadded(out, "Header");
  out += p.m_strDelimiter;
  AppendLeftPadded(out, "LogFile");
  out += '\n';
  AppendLeftPadded(out, info.instrument_header);
  out += p.m_strDelimiter;
  AppendLeftPadded(out, info.log_title);
  out += "\n\n";
}

void COutputFormatter::AppendColumnHeaders(std::string& out) const {
  const CBrivenParameters& p = *m_pParams;
  if (!m_strSerialField.empty()) AppendField(out, "SN");
  for (const Column& column : m_columns) {
    column.sensor->SetImmersed(p.m_nImmersed);
    std::string name = column.sensor->GetType();
    if (!column.sensor->GetId().empty()) name += "(" + column.sensor->GetId() + ")";
    AppendField(out, name);
  }
  if (p.m_nTimeTags) {
    AppendField(out, "DATETAG");
    AppendField(out, "TIMETAG2");
  }
  EndLine(out);
  if (!p.m_nShowExtra) return;
  AppendField(out, "");
  if (!m_strSerialField.empty()) AppendField(out, "");
  for (const Column& column : m_columns) AppendField(out, column.sensor->GetUnits());
  EndLine(out);
}

namespace {

// A row written into a text string, for callers that want the text form.
class StringRowSpace : public CRowSpace {
 public:
  explicit StringRowSpace(std::string& out) : out_(out) {}
  char* MakeRoom(char* at, std::size_t more) override {
    const auto offset = static_cast<std::size_t>(at - out_.data());
    if (offset + more > out_.size()) out_.resize(offset + more);
    return out_.data() + offset;
  }

 private:
  std::string& out_;
};

// The frame number of a row, "%lu" at most ten digits.
constexpr std::size_t kLongestFrameNumber = 10;

// The check sum column shows the residue of the frame's sum, "%lu" of an
// 8-bit sum, when the sum was tested.
char* WriteResidueInRow(const CRowStep& /*step*/, const CRowStep::Fields& row, char* at) {
  if (!row.checks->ResidueKnown()) return nullptr;
  at = sys::WriteUnsigned(at, static_cast<std::uint32_t>(row.checks->GetResidue()));
  return CRowStep::PutDelimiter(at, row);
}

// A variable-length field's column, read from the row's field index.
char* WriteVariableInRow(const CRowStep& step, const CRowStep::Fields& row, char* at) {
  char* end = step.variable->Write(at, *row.variable_fields, row.precision);
  return end != nullptr ? CRowStep::PutDelimiter(end, row) : nullptr;
}

// A column whose every value the general road prints.
char* LeaveToGeneralRoad(const CRowStep& /*step*/, const CRowStep::Fields& /*row*/, char* /*at*/) { return nullptr; }

}  // namespace

void COutputFormatter::PlanRows() {
  const std::string& delimiter = m_pParams->m_strDelimiter;
  const std::size_t d = delimiter.size();
  m_strRowPrefix = m_strSerialField.empty() ? std::string() : m_strSerialField + delimiter;
  m_bShortPrefix = m_strRowPrefix.size() <= kShortPrefix;
  const std::size_t prefix_room = m_bShortPrefix ? kShortPrefix : m_strRowPrefix.size();
  m_nLongestRow = kLongestFrameNumber + d + prefix_room + m_columns.size() * (CColumnDecoder::kLongestText + d) + 2;
  m_strRowPrefix.resize(prefix_room);
  m_bLineEndInEveryRow = delimiter.find('\n') != std::string::npos || m_strSerialField.find('\n') != std::string::npos;
  m_rowFormat = m_pParams->m_format;
  if (m_rowFormat.m_nPrecision == -1) m_rowFormat.m_nPrecision = 10;
  m_bValuesInPlace = CColumnDecoder::WritesInPlace(m_rowFormat);
  m_bRowStart = m_pParams->m_nShowExtra || !m_strSerialField.empty();
  m_bRowHasField = m_bRowStart || !m_columns.empty();
  m_rowSteps.clear();
  for (std::size_t i = 0; i < m_columns.size(); ++i) m_rowSteps.push_back(PlanStep(i));
}

CRowStep COutputFormatter::PlanStep(std::size_t column) const {
  CRowStep step;
  step.column = column;
  step.decoder = &m_columns[column].decoder;
  step.write = &LeaveToGeneralRoad;
  if (!m_bValuesInPlace) return step;
  if (m_columns[column].index == m_nCheckSumIndex)
    step.write = &WriteResidueInRow;
  else if (CRowStep::Writer writer = m_columns[column].decoder.GetRowWriter())
    step.write = writer;
  else if (m_columns[column].variable.Covers())
    step.write = &WriteVariableInRow;
  step.variable = &m_columns[column].variable;
  return step;
}

void COutputFormatter::AppendRow(std::string& out, CQelTelemetryDoc& doc, CFrameData& frame,
                                 const CFrameChecker& checks) {
  const std::size_t start = out.size();
  out.resize(start + m_nLongestRow);
  StringRowSpace space(out);
  bool inner_line_ends = false;
  const char* end = WriteRow(space, out.data() + start, doc, frame, checks, inner_line_ends);
  out.resize(static_cast<std::size_t>(end - out.data()));
  if (!m_pParams->m_nTimeTags) {
    out.resize(out.size() - 2);
    out += '\n';
  }
}

char* COutputFormatter::CopyIntoRow(CRowSpace& space, char* at, const std::string& text,
                                    bool& inner_line_ends) const {
  at = space.MakeRoom(at, text.size() + m_nLongestRow);
  std::memcpy(at, text.data(), text.size());
  if (std::memchr(text.data(), '\n', text.size()) != nullptr) inner_line_ends = true;
  return at + text.size();
}

char* COutputFormatter::WritePaddedFrameNumber(CRowSpace& space, char* at, std::uint32_t number,
                                               bool& inner_line_ends) {
  // "%*lu": the width may be any size.
  m_strValue.clear();
  telemetry::AppendUnsignedText(m_strValue, number, m_pParams->m_format.m_nWidth);
  return CopyIntoRow(space, at, m_strValue, inner_line_ends);
}

// Inline: only the row writer calls it, for every row.
inline char* COutputFormatter::WriteRowStart(CRowSpace& space, char* at, const CFrameData& frame,
                                             bool& inner_line_ends) {
  const CBrivenParameters& p = *m_pParams;
  const std::string_view delimiter = p.m_strDelimiter;
  if (p.m_nShowExtra) {
    const auto number = static_cast<std::uint32_t>(frame.GetFrameNumber());
    at = p.m_format.m_nWidth > 0 ? WritePaddedFrameNumber(space, at, number, inner_line_ends)
                                 : sys::WriteUnsigned(at, number);
    std::memcpy(at, delimiter.data(), delimiter.size());
    at += delimiter.size();
  }
  if (!m_strSerialField.empty()) {
    const std::size_t length = m_strSerialField.size() + delimiter.size();
    if (m_bShortPrefix)
      std::memcpy(at, m_strRowPrefix.data(), kShortPrefix);
    else
      std::memcpy(at, m_strRowPrefix.data(), length);
    at += length;
  }
  return at;
}

char* COutputFormatter::WriteByGeneralRoad(CRowSpace& space, char* at, CQelTelemetryDoc& doc, CFrameData& frame,
                                           std::size_t available, const Column& column, const CFrameChecker& checks,
                                           bool& inner_line_ends) {
  m_strValue.clear();
  AppendValueColumn(m_strValue, doc, frame, available, column, checks, m_rowFormat);
  return CopyIntoRow(space, at, m_strValue, inner_line_ends);
}

char* COutputFormatter::WriteRow(CRowSpace& space, char* at, CQelTelemetryDoc& doc, CFrameData& frame,
                                 const CFrameChecker& checks, bool& inner_line_ends) {
  const CBrivenParameters& p = *m_pParams;
  inner_line_ends = m_bLineEndInEveryRow;
  if (m_bRowStart) at = WriteRowStart(space, at, frame, inner_line_ends);
  // The bytes every field reader may read: those of the frame's size that
  // it really holds.
  const CFrameData::Bytes& bytes = frame.GetBytes();
  CVariableFieldRow variable_fields(frame, m_variableFields);
  const CRowStep::Fields row{bytes.data(),
                             std::min(static_cast<std::size_t>(std::max(frame.GetFrameSize(), 0)), bytes.size()),
                             m_rowFormat.m_nPrecision,
                             &checks,
                             p.m_strDelimiter.data(),
                             p.m_strDelimiter.size(),
                             &variable_fields};
  for (const CRowStep& step : m_rowSteps) {
    char* end = step.write(step, row, at);
    at = end != nullptr ? end
                        : WriteByGeneralRoad(space, at, doc, frame, row.available, m_columns[step.column], checks,
                                             inner_line_ends);
  }
  if (p.m_nTimeTags) return at;
  // The last delimiter gives its place to the line end; a row with no
  // field at all has none.
  if (m_bRowHasField) at -= row.delimiter_size;
  at[0] = '\r';
  at[1] = '\n';
  return at + 2;
}

void COutputFormatter::AppendValueColumn(std::string& out, CQelTelemetryDoc& doc, CFrameData& frame,
                                         std::size_t available, const Column& column, const CFrameChecker& checks,
                                         const CSensorFormat& format) const {
  const CBrivenParameters& p = *m_pParams;
  // A decoded value is never a text, a time or an error: nothing below
  // would change it.
  if (column.decoder.Append(out, frame.GetBytes().data(), available, format)) {
    out += p.m_strDelimiter;
    return;
  }
  const int width = p.m_format.m_nWidth;
  const char* d = p.m_strDelimiter.c_str();
  CSensor* sensor = column.sensor;
  if (sensor == nullptr) {
    AppendField(out, doc.FormatSensorError(0));
    return;
  }
  if (column.index == m_nCheckSumIndex) {
    // The residue tells whether the sum is good; a sum that could not be
    // tested shows its error instead of passing for a good one.
    if (!checks.ResidueKnown()) {
      AppendField(out, doc.FormatSensorError(checks.GetResidueError()));
    } else {
      telemetry::AppendUnsignedText(out, static_cast<std::uint32_t>(checks.GetResidue()), width);
      out.append(d);
    }
    return;
  }
  const bool suppress = p.m_nSuppressStrings != 0;
  if (suppress && (sensor->GetDataType() == instrument::kDataAS ||
                   (format.m_nApplyFit && IsTimeLikeFit(sensor->GetFitType())))) {
    AppendField(out, "");
    return;
  }
  const std::size_t start = out.size();
  if (column.index == m_nIso8601Index)
    AppendIso8601(out, doc, frame, column, format);
  else
    doc.AppendSensorValue(out, sensor, &frame, format);
  if (suppress && LooksLikeErrorText(out, start)) out.resize(start);
  out += p.m_strDelimiter;
}

void COutputFormatter::AppendIso8601(std::string& out, CQelTelemetryDoc& doc, CFrameData& frame,
                                     const Column& column, const CSensorFormat& format) const {
  // Rewritten before padding, so the width's spaces never shift the cut.
  CSensorFormat unpadded = format;
  unpadded.m_nWidth = -1;
  std::string text = doc.FormatSensorValue(column.sensor, &frame, unpadded);
  // A time without milliseconds (or seconds) keeps what it has; a text with
  // no time part (an error text among them) has nothing to rewrite.
  if (text.size() > kIsoDateLength)
    text = text.substr(0, kIsoDateLength) + " " + text.substr(kIsoDateLength + 1, kIsoTimeLength);
  AppendPadded(out, text);
}

void COutputFormatter::AppendHeaderFrameLine(std::string& out, const std::string& value) const {
  const CBrivenParameters& p = *m_pParams;
  std::string trimmed = value;
  sys::Trim(trimmed);
  const int open = sys::ReverseFind(trimmed, '(');
  std::string prefix;
  if (open >= 0) {
    const int close = sys::Find(trimmed, ')', open + 1);
    prefix = close >= 0 ? sys::Mid(trimmed, open + 1, close - open - 1) : sys::Mid(trimmed, open + 1);
  }
  AppendLeftPadded(out, prefix);
  out += p.m_strDelimiter;
  const int first_open = sys::Find(trimmed, '(');
  std::string name = first_open >= 0 ? sys::Left(trimmed, first_open) : trimmed;
  sys::TrimRight(name);
  AppendLeftPadded(out, name);
  out += '\n';
}
