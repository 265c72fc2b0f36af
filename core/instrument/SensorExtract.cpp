// The raw readers of CSensor: fixed fields are decoded in place from the
// frame's bytes; variable-length fields are first cut out of the frame's
// text by their delimiters.
#include <algorithm>
#include <cmath>

#include "core/instrument/FieldDecoding.h"
#include "core/instrument/FrameData.h"
#include "core/instrument/ResultCodes.h"
#include "core/instrument/Sensor.h"

using namespace instrument;

unsigned CSensor::FixedFieldBytes() const {
  // The IEEE readers always take their full width, whatever length a
  // hand-made definition gives them.
  if (def_.data_type == kDataBF) return std::max(def_.field_length, 4u);
  if (def_.data_type == kDataBD) return std::max(def_.field_length, 8u);
  return def_.field_length;
}

bool CSensor::FixedFieldFits(const CFrameData& frame) const {
  // Checked in 64 bits against both the frame's size and the bytes really
  // held, so that no offset and length can reach outside the frame.
  const std::uint64_t end = std::uint64_t{def_.offset} + FixedFieldBytes();
  const std::uint64_t size = static_cast<std::uint64_t>(std::max(frame.GetFrameSize(), 0));
  return end <= std::min<std::uint64_t>(size, frame.GetBytes().size());
}

// Only called once FixedFieldFits has passed.
const std::uint8_t* CSensor::FixedFieldStart(const CFrameData& frame) const {
  return frame.GetBytes().data() + def_.offset;
}

int CSensor::ReadFieldView(const CFrameData& frame, std::string& storage, std::string_view& text) {
  if (def_.variable) return ReadVariableField(frame, storage, text);
  storage = FixedAsciiText(FixedFieldStart(frame), def_.field_length);
  text = storage;
  return kResultOk;
}

int CSensor::ReadFieldText(const CFrameData& frame, std::string& text) {
  text.clear();
  std::string_view view;
  const int result = ReadFieldView(frame, text, view);
  if (result == kResultOk && view.data() != text.data()) text.assign(view);
  return result;
}

int CSensor::ReadUnsignedField(const CFrameData& frame, std::uint32_t& value) {
  const bool binary = def_.data_type == kDataBU || def_.data_type == kDataBULE;
  if (binary && def_.variable) return kValueWrongDataType;
  if (binary) {
    const std::uint8_t* bytes = FixedFieldStart(frame);
    value = def_.data_type == kDataBU ? DecodeBigEndian(bytes, def_.field_length)
                                      : DecodeLittleEndian(bytes, def_.field_length);
    return kResultOk;
  }
  std::string storage;
  std::string_view text;
  if (def_.variable || def_.data_type == kDataAU) {
    if (const int result = ReadFieldView(frame, storage, text); result != kResultOk) return result;
  } else {
    // Hexadecimal digits, one per byte, taken as they are.
    text = std::string_view(reinterpret_cast<const char*>(FixedFieldStart(frame)), def_.field_length);
  }
  switch (def_.data_type) {
    case kDataHU:
      return DecodeHexDigits(text, value) ? kResultOk : kValueNotANumber;
    case kDataHS: {
      std::int32_t signed_value = 0;
      const bool ok = DecodeSignMagnitudeHex(text, signed_value);
      value = static_cast<std::uint32_t>(signed_value);
      return ok ? kResultOk : kValueNotANumber;
    }
    default:
      return ParseAsciiUnsigned(text, value);
  }
}

int CSensor::ReadSignedField(const CFrameData& frame, std::int32_t& value) {
  if (def_.data_type != kDataAI) {
    if (def_.variable) return kValueWrongDataType;
    const std::uint8_t* bytes = FixedFieldStart(frame);
    const std::size_t length = def_.field_length;
    const std::uint32_t image =
        def_.data_type == kDataBS ? DecodeBigEndian(bytes, length) : DecodeLittleEndian(bytes, length);
    value = SignExtend(image, length);
    return kResultOk;
  }
  std::string storage;
  std::string_view text;
  if (const int result = ReadFieldView(frame, storage, text); result != kResultOk) return result;
  return ParseAsciiSigned(text, value);
}

int CSensor::ReadRealField(const CFrameData& frame, double& value) {
  if (def_.data_type != kDataAF) {
    if (def_.variable) return kValueWrongDataType;
    const std::uint8_t* bytes = FixedFieldStart(frame);
    value = def_.data_type == kDataBF ? DecodeSingle(bytes) : DecodeDouble(bytes);
    return std::isfinite(value) ? kResultOk : kValueNotFinite;
  }
  std::string storage;
  std::string_view text;
  if (const int result = ReadFieldView(frame, storage, text); result != kResultOk) return result;
  return ParseAsciiReal(text, value);
}

void CSensor::ReadOptic3IntegrationTime(const CFrameData& frame) {
  if (def_.fit_type == kFitOptic3) ReadIntegrationTime(&frame);
}

int CSensor::ExtractUnsigned(std::uint32_t* value, const CFrameData* frame) {
  last_unsigned_.store(0, std::memory_order_relaxed);
  if (value != nullptr) *value = 0;
  if (!HasValue()) return kValueNone;
  if (!IsUnsignedKind()) return kValueWrongDataType;
  if (frame == nullptr) return kValueNoFrame;
  if (!def_.variable && !FixedFieldFits(*frame)) return kValueFieldPastFrame;
  std::uint32_t raw = 0;
  if (const int result = ReadUnsignedField(*frame, raw); result != kResultOk) return result;
  ReadOptic3IntegrationTime(*frame);
  last_unsigned_.store(raw, std::memory_order_relaxed);
  if (value != nullptr) *value = raw;
  return kResultOk;
}

int CSensor::ExtractSigned(std::int32_t* value, const CFrameData* frame) {
  last_signed_.store(0, std::memory_order_relaxed);
  if (value != nullptr) *value = 0;
  if (!HasValue()) return kValueNone;
  if (frame == nullptr) return kValueNoFrame;
  if (!def_.variable && !FixedFieldFits(*frame)) return kValueFieldPastFrame;
  if (!IsSignedKind()) return kValueWrongDataType;
  std::int32_t raw = 0;
  if (const int result = ReadSignedField(*frame, raw); result != kResultOk) return result;
  ReadOptic3IntegrationTime(*frame);
  last_signed_.store(raw, std::memory_order_relaxed);
  if (value != nullptr) *value = raw;
  return kResultOk;
}

int CSensor::ExtractReal(double* value, const CFrameData* frame) {
  last_real_.store(0.0, std::memory_order_relaxed);
  if (value != nullptr) *value = 0.0;
  if (!HasValue()) return kValueNone;
  if (frame == nullptr) return kValueNoFrame;
  if (!def_.variable && !FixedFieldFits(*frame)) return kValueFieldPastFrame;
  if (!IsRealKind()) return kValueWrongDataType;
  double raw = 0.0;
  if (const int result = ReadRealField(*frame, raw); result != kResultOk) return result;
  ReadOptic3IntegrationTime(*frame);
  last_real_.store(raw, std::memory_order_relaxed);
  if (value != nullptr) *value = raw;
  return kResultOk;
}

int CSensor::ExtractString(std::string* text, const CFrameData* frame) {
  std::lock_guard guard(lock_);
  last_text_.clear();
  if (text != nullptr) text->clear();
  if (!HasValue()) return kValueNone;
  if (!IsStringKind()) return kValueWrongDataType;
  if (frame == nullptr) return kValueNoFrame;
  if (!def_.variable && !FixedFieldFits(*frame)) return kValueFieldPastFrame;
  std::string field;
  if (const int result = ReadFieldText(*frame, field); result != kResultOk) return result;
  last_text_ = field;
  if (text != nullptr) *text = std::move(field);
  return kResultOk;
}

int CSensor::ReadIntegrationTime(const CFrameData* frame) {
  std::lock_guard guard(lock_);
  CSensor* source = def_.integration_time_sensor;
  double fitted = 0.0;
  int result = kValueNoIntegrationTime;
  if (source != nullptr) {
    switch (source->GetDataType()) {
      case kDataBU:
      case kDataAU: {
        std::uint32_t raw = 0;
        result = source->ExtractUnsigned(&raw, frame);
        if (result == kResultOk) result = source->ApplyFit(&fitted, raw);
        break;
      }
      case kDataBS:
      case kDataAI: {
        std::int32_t raw = 0;
        result = source->ExtractSigned(&raw, frame);
        if (result == kResultOk) result = source->ApplyFit(&fitted, raw);
        break;
      }
      case kDataBF:
      case kDataBD:
      case kDataAF: {
        double raw = 0.0;
        result = source->ExtractReal(&raw, frame);
        if (result == kResultOk) result = source->ApplyFit(&fitted, raw);
        break;
      }
      default:
        result = kValueWrongDataType;
        break;
    }
  }
  integration_time_ = fitted;
  integration_time_status_ = result;
  return result;
}
