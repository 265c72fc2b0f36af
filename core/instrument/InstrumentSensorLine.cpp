// One sensor definition line: seven tokens, checked in order, then the
// INSTRUMENT and SN rules that build the frame header.
#include <array>

#include "core/instrument/AsciiText.h"
#include "core/instrument/Instrument.h"
#include "core/instrument/NumberParse.h"
#include "core/instrument/ResultCodes.h"
#include "platform/sys/Format.h"

using namespace instrument;

namespace {

constexpr std::size_t kTokenCount = 7;
constexpr int kMaxBadDefinitionLines = 10;

struct Tokens {
  std::array<std::string_view, kTokenCount> token;
  std::size_t count = 0;
  bool extra = false;  // text after the seventh token
};

Tokens SplitTokens(std::string_view line) {
  Tokens out;
  std::string_view rest = TrimLeadingBlanks(line);
  while (!rest.empty() && out.count < kTokenCount) {
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    out.token[out.count++] = rest.substr(0, end);
    rest = TrimLeadingBlanks(rest.substr(end));
  }
  out.extra = !rest.empty();
  return out;
}

}  // namespace

int CInstrument::CountBadDefinitionLine() {
  if (++state_.bad_definition_lines < kMaxBadDefinitionLines) return kResultOk;
  SetLoadReport(NamedFileMessage("An error occured reading the %s.\r\n\t%s Name: \"%s\".\r\n"),
                kInstrumentTooManyBadLines);
  return kInstrumentTooManyBadLines;
}

bool CInstrument::ParseUnits(std::string_view token, std::string& units) {
  units.clear();
  if (token.size() < 2 || token.front() != '\'' || token.find('\'', 1) != token.size() - 1) return false;
  units = token.substr(1, token.size() - 2);
  return true;
}

bool CInstrument::ParseFieldLength(std::string_view token, SensorDefinition& def) {
  if (EqualsNoCase(token, "V")) {
    if (!variable_frame_) {
      ReportLineError(kLineVariableInFixedFrame, kActionSensorIgnored);
      return false;
    }
    def.variable = true;
    def.field_length = 0;
    return true;
  }
  std::uint32_t length = 0;
  // Lengths near 4 GB would wrap the running offset; no real field or
  // frame comes near the limits.
  if (!ParseWholeUnsigned32(token, length) || length == kUnsigned32Max || length > kMaxFieldLength ||
      frame_size_ + length > kMaxFrameSize) {
    ReportLineError(kLineBadFieldLength, kActionSensorIgnored);
    return false;
  }
  def.field_length = length;
  return true;
}

int CInstrument::ParseSensorLine(std::string_view line, SensorDefinition& def, bool& accepted) {
  accepted = false;
  const Tokens tokens = SplitTokens(line);
  if (tokens.count < kTokenCount || tokens.extra) {
    if (const int result = CountBadDefinitionLine(); result != kResultOk) return result;
    if (tokens.count < kTokenCount) {
      ReportLineError(kLineBadFormat, kActionSensorIgnored);
      return kResultOk;
    }
    ReportLineError(kLineBadFormat, kActionExtraParametersIgnored);
  }
  const auto& token = tokens.token;
  def.type = token[0];
  if (!EqualsNoCase(token[1], "NONE")) def.id = token[1];
  if (!ParseUnits(token[2], def.units)) ReportLineError(kLineBadUnits, kActionUnitsIgnored);
  if (!ParseFieldLength(token[3], def)) return kResultOk;

  std::uint32_t gain_ranges = 0;
  if (!ParseWholeUnsigned32(token[5], gain_ranges) || gain_ranges == kUnsigned32Max) {
    ReportLineError(kLineBadGainRanges, kActionSensorIgnored);
    AdvanceOffset(def.field_length);  // later fields keep their positions
    return kResultOk;
  }
  def.gain_ranges = gain_ranges;
  def.data_type = FindDataTypeKeyword(token[4]);
  if (def.data_type < 0) {
    ReportLineError(kLineBadDataType, kActionSensorIgnored);
    AdvanceOffset(def.field_length);
    return kResultOk;
  }
  def.fit_type = FindFitTypeKeyword(token[6]);
  if (def.fit_type < 0) {
    ReportLineError(kLineBadFitType, kActionSensorIgnored);
    AdvanceOffset(def.field_length);
    return kResultOk;
  }
  def.file_path = file_path_;

  if (!state_.header_final) {
    const int result = state_.instrument_line_seen ? ParseSerialNumberLine(def) : ParseInstrumentLine(def);
    if (result != kInstrumentLineNotConsumed) return result;  // consumed (0) or aborted
  }
  def.header = header_;
  def.line_number = lines_read_;
  def.offset = frame_size_;
  if (def.fit_type == kFitOptic3) {
    def.integration_time_sensor = FindIntegrationTimeSensor(def);
    if (def.integration_time_sensor == nullptr) {
      ReportLineError(kLineNoIntegrationTimeSensor, kActionSensorIgnored);
      AdvanceOffset(def.field_length);
      return kResultOk;
    }
  }
  AdvanceOffset(def.field_length);
  accepted = true;
  ValidateSensor(def);
  return kResultOk;
}

int CInstrument::CheckHeaderLine(const SensorDefinition& def, bool serial_number) {
  if (def.field_length != def.id.size()) return kLineBadFieldLength;
  if (def.data_type != kDataAS && !(serial_number && def.data_type == kDataAI)) return kLineBadDataType;
  if (def.gain_ranges != 0) return kLineBadGainRanges;
  if (def.fit_type != kFitNone && def.fit_type != kFitCount) return kInstrumentBadHeaderFit;
  return kResultOk;
}

int CInstrument::ParseInstrumentLine(const SensorDefinition& def) {
  const bool fixed_header = EqualsNoCase(def.type, "INSTRUMENT");
  const bool variable_header = EqualsNoCase(def.type, "VLF_INSTRUMENT");
  if (!fixed_header && !variable_header) {
    if (def.field_length == 0) return kInstrumentLineNotConsumed;
    SetLoadReport(sys::Format("INSTRUMENT definition line not found.\r\n\t%s Name: \"%s\".\r\n",
                              file_type_.c_str(), file_path_.c_str()),
                  kInstrumentLineNotFound);
    return kInstrumentLineNotFound;
  }
  if (variable_header) variable_frame_ = true;
  if (const int result = CheckHeaderLine(def, false); result != kResultOk) {
    SetLoadReport(sys::Format("Invalid INSTRUMENT definition line found.\r\n\t%s Name: \"%s\".\r\n",
                              file_type_.c_str(), file_path_.c_str()),
                  result);
    return result;
  }
  state_.header_being_built += def.id;
  AdvanceOffset(def.field_length);
  state_.instrument_line_seen = true;
  return kResultOk;
}

int CInstrument::ParseSerialNumberLine(const SensorDefinition& def) {
  if (!EqualsNoCase(def.type, variable_frame_ ? "VLF_SN" : "SN")) {
    if (def.field_length != 0) MakeHeaderFinal();
    return kInstrumentLineNotConsumed;
  }
  if (const int result = CheckHeaderLine(def, true); result != kResultOk) {
    SetLoadReport(sys::Format("Invalid SN (Serial Number) definition line found.\r\n\t%s Name: \"%s\".\r\n",
                              file_type_.c_str(), file_path_.c_str()),
                  result);
    return result;
  }
  serial_number_ += def.id;
  state_.header_being_built += def.id;
  AdvanceOffset(def.field_length);
  return kResultOk;
}

void CInstrument::MakeHeaderFinal() {
  header_ = state_.header_being_built;
  state_.header_final = true;
  // Zero-length sensors read before the header was complete learn it now.
  for (auto& sensor : sensors_) sensor->SetHeader(header_);
}

CSensor* CInstrument::FindIntegrationTimeSensor(const SensorDefinition& def) const {
  const auto found = state_.integration_time_sensors.find(UpperAscii(def.type));
  return found == state_.integration_time_sensors.end() ? nullptr : found->second;
}
