// Corrections of inconsistent sensors, the decision which accepted lines
// become sensors (delimiter lines shape the frame instead), and the
// coefficient lines that follow a sensor.
#include <cmath>
#include <memory>

#include "core/instrument/AsciiText.h"
#include "core/instrument/HexEscape.h"
#include "core/instrument/Instrument.h"
#include "core/instrument/NumberParse.h"
#include "core/instrument/ResultCodes.h"

using namespace instrument;

namespace {

bool IsOneOf(int value, std::initializer_list<int> allowed) {
  for (int a : allowed) {
    if (value == a) return true;
  }
  return false;
}

}  // namespace

void CInstrument::SetDataType(SensorDefinition& def, int data_type, int action) {
  def.data_type = data_type;
  ReportLineError(kLineBadDataType, action);
}

void CInstrument::SetGainRanges(SensorDefinition& def, unsigned gain_ranges, int action) {
  def.gain_ranges = gain_ranges;
  ReportLineError(kLineBadGainRanges, action);
}

void CInstrument::SetFieldLength(SensorDefinition& def, unsigned field_length, int action) {
  def.field_length = field_length;
  ReportLineError(kLineBadFieldLength, action);
}

void CInstrument::ValidateVariableDataType(SensorDefinition& def) {
  if (!def.variable || IsOneOf(def.data_type, {kDataHU, kDataHS, kDataAI, kDataAU, kDataAF, kDataAS})) return;
  if (def.fit_type == kFitOptic1) {
    SetDataType(def, kDataAI, kActionDataTypeSetToAI);
  } else {
    SetDataType(def, kDataAS, kActionDataTypeSetToAS);
  }
}

void CInstrument::ValidateDataTypeForFit(SensorDefinition& def) {
  const int type = def.data_type;
  switch (def.fit_type) {
    case kFitDelimiter:
      if (type != kDataAS) SetDataType(def, kDataAS, kActionDataTypeSetToAS);
      break;
    case kFitOptic1:
      // A variable field is text: BU could never be read from it, so the
      // ASCII integer stands in for it there.
      if (!IsOneOf(type, {kDataBU, kDataBS, kDataAI, kDataAU})) {
        if (def.variable) {
          SetDataType(def, kDataAI, kActionDataTypeSetToAI);
        } else {
          SetDataType(def, kDataBU, kActionDataTypeSetToBU);
        }
      }
      break;
    case kFitTherm1:
    case kFitOptic2:
    case kFitOptic3:
    case kFitPolyF:
    case kFitPolyU:
    case kFitPow10:
    case kFitTime2:
      if (type == kDataAS) SetDataType(def, kDataAF, kActionDataTypeSetToAF);
      break;
    case kFitDdmm:
    case kFitHhmmss:
      if (!IsOneOf(type, {kDataBF, kDataBD, kDataAF})) SetDataType(def, kDataAF, kActionDataTypeSetToAF);
      break;
    case kFitDdmmyy:
      if (!IsOneOf(type, {kDataBU, kDataBS, kDataAI})) SetDataType(def, kDataAI, kActionDataTypeSetToAI);
      break;
    default:
      break;
  }
}

void CInstrument::ValidateGainRangesForFit(SensorDefinition& def) {
  switch (def.fit_type) {
    case kFitOptic1:
      if (def.gain_ranges > 4) SetGainRanges(def, 4, kActionGainRangesSetTo4);
      if (def.gain_ranges == 0) SetGainRanges(def, 1, kActionGainRangesSetTo1);
      break;
    case kFitTherm1:
    case kFitOptic2:
    case kFitOptic3:
    case kFitPolyF:
    case kFitPolyU:
    case kFitPow10:
      if (def.gain_ranges != 1) SetGainRanges(def, 1, kActionGainRangesSetTo1);
      break;
    default:
      if (def.gain_ranges != 0) SetGainRanges(def, 0, kActionGainRangesSetTo0);
      break;
  }
}

void CInstrument::ValidateFieldLength(SensorDefinition& def) {
  if (def.variable) return;
  switch (def.data_type) {
    case kDataBU:
    case kDataBS:
    case kDataBULE:
    case kDataBSLE:
      if (def.field_length > 4) SetFieldLength(def, 4, kActionFieldLengthSetTo4);
      break;
    case kDataBF:
      if (def.field_length != 4) SetFieldLength(def, 4, kActionFieldLengthSetTo4);
      break;
    case kDataBD:
      if (def.field_length != 8) SetFieldLength(def, 8, kActionFieldLengthSetTo8);
      break;
    case kDataHU:
    case kDataHS:
      if (def.field_length > 8) SetFieldLength(def, 8, kActionFieldLengthSetTo8);
      break;
    default:
      break;
  }
}

void CInstrument::ValidateSensor(SensorDefinition& def) {
  ValidateVariableDataType(def);
  ValidateDataTypeForFit(def);
  ValidateGainRangesForFit(def);
  ValidateFieldLength(def);
  if (!variable_frame_ && def.field_length == 0) def.fit_type = kFitNone;
}

int CInstrument::FinishSensorDefinition(SensorDefinition& def) {
  const bool delimiter = def.fit_type == kFitDelimiter;
  if (!variable_frame_) {
    if (!delimiter) return 0;
    ReportLineError(kLineMisusedDelimiterFit, kActionSensorIgnored);
    return 1;
  }
  if (state_.terminator_seen) {
    ReportLineError(kLineAfterTerminator, kActionSensorIgnored);
    return 1;
  }
  if (state_.field_pending) {
    if (def.variable && !delimiter) {
      state_.field_pending = false;
      return 0;
    }
    if (def.variable) {
      ReportLineError(kLineMisusedDelimiterFit, kActionSensorIgnored);
      return 1;
    }
    if (def.field_length == 0) return 0;
    ReportLineError(kLineNotVariableField, kActionSensorIgnored);
    return 1;
  }
  if (delimiter) return FinishDelimiterLine(def);
  if (def.field_length == 0) return 0;
  ReportLineError(kLineBadDelimiterLine, kActionSensorIgnored);
  return 1;
}

int CInstrument::FinishDelimiterLine(const SensorDefinition& def) {
  if (EqualsNoCase(def.type, "FIELD")) {
    AddFieldDelimiter(def);
  } else if (EqualsNoCase(def.type, "TERMINATOR")) {
    SetTerminator(def);
  } else {
    ReportLineError(kLineBadDelimiterLine, kActionSensorIgnored);
  }
  return 1;  // delimiter lines never become sensors
}

void CInstrument::AddFieldDelimiter(const SensorDefinition& def) {
  std::string text = UnescapeHex(def.units, "\\x");
  if (text.size() != def.field_length) ReportLineError(kLineBadFieldLength, kActionFieldLengthSetToActual);
  if (text.empty()) {
    ReportLineError(kLineBadFieldDelimiterLength, kActionFieldDelimiterSetToComma);
    text = ",";
  }
  field_delimiters_ += text;
  state_.field_pending = true;
}

void CInstrument::SetTerminator(const SensorDefinition& def) {
  std::string text = UnescapeHex(def.units, "\\x");
  if (text.size() != def.field_length || text.empty()) {
    ReportLineError(kLineBadTerminatorLength, kActionTerminatorSetToCrLf);
    text = "\r\n";
  }
  terminator_ = text;
  state_.terminator_seen = true;
  const auto layout =
      std::make_shared<const CSensor::VariableFieldLayout>(CSensor::VariableFieldLayout{field_delimiters_, terminator_});
  int field_index = 0;
  for (auto& sensor : sensors_) {
    if (sensor->IsVariable()) sensor->SetVariableFieldLayout(layout, field_index++);
  }
}

bool CInstrument::ParseGainRangeLine(std::string_view line, CSensor& sensor) {
  sensor.StartCoefficientLine();
  int stored = 0;
  while (!(line = TrimLeadingBlanks(line)).empty()) {
    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    double value = 0.0;
    if (ParseWholeDecimalReal(line.substr(0, end), value) && std::isfinite(value)) {
      sensor.AddCoefficient(value);
      ++stored;
    } else {
      ReportLineError(kLineBadCoefficient, kActionCoefficientIgnored);
    }
    line = line.substr(end);
  }
  const int fit = sensor.GetFitType();
  const int needed = fit == kFitOptic1 || fit == kFitOptic2 ? 3 : fit == kFitOptic3 ? 4 : 1;
  if (stored < needed) {
    ReportLineError(kLineCoefficientCount, kActionSensorIgnored);
    return false;
  }
  if (sensor.IsOpticalFit() && stored > needed) {
    ReportLineError(kLineCoefficientCount, kActionExtraCoefficientsIgnored);
  }
  return true;
}
