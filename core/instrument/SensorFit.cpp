// The calibration fits of CSensor. c(g, k) is the k-th number of coefficient
// line g; a number that is not there counts as 0.
#include <cmath>

#include "core/instrument/PolynomialFit.h"
#include "core/instrument/ResultCodes.h"
#include "core/instrument/Sensor.h"

using namespace instrument;

double CSensor::Coefficient(int gain_range, int index) const {
  double value = 0.0;
  GetCoefficient(&value, gain_range, index);
  return value;
}

double CSensor::ImmersionCoefficient(int gain_range) const {
  return GetImmersed() ? Coefficient(gain_range, 2) : 1.0;
}

int CSensor::FitOptic1(double* value, int gain_range, double x) {
  *value = 0.0;
  if (gain_range > last_coefficient_line_) return kValueGainRangeMissing;
  *value = ((x - Coefficient(gain_range, 0)) * ImmersionCoefficient(gain_range)) * Coefficient(gain_range, 1);
  return std::isfinite(*value) ? kResultOk : kValueNotFinite;
}

int CSensor::FitUngained(double* value, double x) {
  *value = 0.0;
  switch (def_.fit_type) {
    case kFitCount:
      *value = x;
      return kResultOk;
    case kFitOptic2:
      *value = ((x - Coefficient(0, 0)) * ImmersionCoefficient(0)) * Coefficient(0, 1);
      break;
    case kFitOptic3: {
      std::lock_guard guard(lock_);
      if (integration_time_status_ != kResultOk) return integration_time_status_;
      const double scale = Coefficient(0, 3) / integration_time_;
      *value = (((x - Coefficient(0, 0)) * scale) * ImmersionCoefficient(0)) * Coefficient(0, 1);
      break;
    }
    case kFitPolyF: {
      double product = coefficients_.empty() ? 0.0 : coefficients_[0];
      for (std::size_t i = 1; i < coefficients_.size(); ++i) product *= x - coefficients_[i];
      *value = product;
      break;
    }
    case kFitPolyU:
      *value = AscendingPolynomial(coefficients_, x);
      break;
    case kFitPow10:
      *value = std::pow(10.0, (x - Coefficient(0, 0)) / Coefficient(0, 1)) * ImmersionCoefficient(0);
      break;
    default:
      return kValueNone;
  }
  return std::isfinite(*value) ? kResultOk : kValueNotFinite;
}

int CSensor::ApplyFit(double* value, std::uint32_t raw) {
  // HS digits carry a sign: fitting their unsigned image would turn -1
  // into 4294967295.
  if (def_.data_type == kDataHS) return ApplyFit(value, static_cast<std::int32_t>(raw));
  if (def_.fit_type == kFitOptic1) return FitOptic1(value, static_cast<int>(raw & 3u), static_cast<double>(raw & ~3u));
  return FitUngained(value, static_cast<double>(raw));
}

int CSensor::ApplyFit(double* value, std::int32_t raw) {
  if (def_.fit_type == kFitOptic1) {
    // The gain bits are the two low bits of the two's complement image.
    const auto bits = static_cast<std::uint32_t>(raw);
    return FitOptic1(value, static_cast<int>(bits & 3u), static_cast<double>(static_cast<std::int32_t>(bits & ~3u)));
  }
  return FitUngained(value, static_cast<double>(raw));
}

int CSensor::ApplyFit(double* value, double raw) {
  if (def_.fit_type == kFitOptic1) {
    *value = 0.0;
    return kValueNone;
  }
  return FitUngained(value, raw);
}
