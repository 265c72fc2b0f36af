// The POLYU fit, a polynomial in the raw value with its coefficients from
// the constant up. Every reader of the fit sums it here, in this order, so
// each gets every bit of the same value.
#pragma once

#include <vector>

namespace instrument {

inline double AscendingPolynomial(const std::vector<double>& coefficients, double x) {
  double sum = 0.0;
  double power = 1.0;
  for (double a : coefficients) {
    sum += a * power;
    power *= x;
  }
  return sum;
}

}  // namespace instrument
