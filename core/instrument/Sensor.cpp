#include "core/instrument/Sensor.h"

#include <utility>

using namespace instrument;

CSensor::CSensor(SensorDefinition definition) : def_(std::move(definition)), offset_(def_.offset) {}

void CSensor::SetImmersed(int immersed) { immersed_.store(immersed, std::memory_order_relaxed); }

int CSensor::AddCoefficient(double value) {
  coefficient_lines_.push_back(last_coefficient_line_);
  coefficients_.push_back(value);
  return static_cast<int>(coefficients_.size());
}

bool CSensor::GetCoefficient(double* out, int gain_range, int index) const {
  if (out != nullptr) *out = 0.0;
  if (index < 0) return false;
  for (std::size_t first = 0; first < coefficient_lines_.size(); ++first) {
    if (coefficient_lines_[first] != gain_range) continue;
    const std::size_t at = first + static_cast<std::size_t>(index);
    if (at >= coefficients_.size() || coefficient_lines_[at] != gain_range) return false;
    if (out != nullptr) *out = coefficients_[at];
    return true;
  }
  return false;
}

void CSensor::SetVariableFieldLayout(std::shared_ptr<const VariableFieldLayout> layout, int field_index) {
  if (layout) layout_ = std::move(layout);
  variable_field_index_ = field_index;
}

void CSensor::SetVariableFieldLayout(const std::string& field_delimiters, const std::string& terminator,
                                     int field_index) {
  SetVariableFieldLayout(std::make_shared<const VariableFieldLayout>(VariableFieldLayout{field_delimiters, terminator}),
                         field_index);
}

std::uint32_t CSensor::GetLastUnsigned() const { return last_unsigned_.load(std::memory_order_relaxed); }

std::int32_t CSensor::GetLastSigned() const { return last_signed_.load(std::memory_order_relaxed); }

double CSensor::GetLastReal() const { return last_real_.load(std::memory_order_relaxed); }

std::string CSensor::GetLastText() const {
  std::lock_guard guard(lock_);
  return last_text_;
}

double CSensor::GetIntegrationTime() const {
  std::lock_guard guard(lock_);
  return integration_time_;
}

bool CSensor::IsUnsignedKind() const {
  switch (def_.data_type) {
    case kDataBU:
    case kDataHU:
    case kDataHS:
    case kDataAU:
    case kDataBULE:
      return true;
    default:
      return false;
  }
}

bool CSensor::IsSignedKind() const {
  return def_.data_type == kDataBS || def_.data_type == kDataAI || def_.data_type == kDataBSLE;
}

bool CSensor::IsRealKind() const {
  return def_.data_type == kDataBF || def_.data_type == kDataBD || def_.data_type == kDataAF;
}

bool CSensor::IsStringKind() const { return def_.data_type == kDataAS; }

bool CSensor::HasSignedRawValue() const { return IsSignedKind() || def_.data_type == kDataHS; }

bool CSensor::HasValue() const { return def_.fit_type != kFitNone && def_.fit_type != kFitDelimiter; }

bool CSensor::IsCountFit() const { return def_.fit_type == kFitCount; }

bool CSensor::IsCalibratedFit() const { return def_.fit_type >= kFitTherm1 && def_.fit_type <= kFitPow10; }

bool CSensor::IsOpticalFit() const { return def_.fit_type >= kFitOptic1 && def_.fit_type <= kFitOptic3; }

bool CSensor::IsTimeFit() const { return def_.fit_type >= kFitDdmm && def_.fit_type <= kFitTime2; }
