#include "docking/QVTRowProportions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace docking {

namespace {

constexpr std::int64_t kWhole = std::int64_t{1} << QVTRowProportions::kUnitBits;

std::int64_t ToUnitsUp(double share) {
  return static_cast<std::int64_t>(std::ceil(share * kWhole - 1e-6));
}

float FromUnits(std::int64_t units) { return static_cast<float>(units) * QVTRowProportions::kUnit; }

// Shares proportional to `weights` (all >= 0), none below `minimumUnits`,
// adding up to exactly kWhole units. A bar below the minimum is held at it
// and the others share what is left, again in their ratio, until no bar is
// below. When even the minimum does not fit, every bar gets an equal share.
std::vector<std::int64_t> ShareOut(const std::vector<double>& weights, std::int64_t minimumUnits) {
  const std::size_t count = weights.size();
  std::vector<std::int64_t> units(count, 0);
  if (count == 0) {
    return units;
  }
  if (minimumUnits * static_cast<std::int64_t>(count) > kWhole) {
    minimumUnits = kWhole / static_cast<std::int64_t>(count);
  }
  double total = 0;
  for (double w : weights) {
    total += w;
  }
  std::vector<bool> atMinimum(count, false);
  for (bool changed = true; changed;) {
    changed = false;
    double freeWeight = 0;
    std::int64_t heldUnits = 0;
    for (std::size_t i = 0; i < count; ++i) {
      if (atMinimum[i]) {
        heldUnits += minimumUnits;
      } else {
        freeWeight += total > 0 ? weights[i] : 1.0;
      }
    }
    const std::int64_t freeUnits = kWhole - heldUnits;
    for (std::size_t i = 0; i < count; ++i) {
      if (atMinimum[i]) {
        units[i] = minimumUnits;
        continue;
      }
      const double weight = total > 0 ? weights[i] : 1.0;
      const double share = freeWeight > 0 ? weight / freeWeight : 0.0;
      units[i] = std::llround(share * static_cast<double>(freeUnits));
      if (units[i] < minimumUnits) {
        atMinimum[i] = true;
        changed = true;
      }
    }
  }
  // Rounding leaves a few units over or short: the largest free bar takes
  // them, so the sum is exact without touching a bar held at the minimum.
  std::int64_t sum = 0;
  std::size_t largest = 0;
  for (std::size_t i = 0; i < count; ++i) {
    sum += units[i];
    if (units[i] > units[largest]) {
      largest = i;
    }
  }
  units[largest] += kWhole - sum;
  return units;
}

}  // namespace

float QVTRowProportions::RoundUpToUnit(float share) { return FromUnits(ToUnitsUp(share)); }

float QVTRowProportions::UpdateMinProportion(int rowLength) {
  if (rowLength <= 0) {
    return kDefaultMinimum;
  }
  const double minimum = std::min(1.0, static_cast<double>(kMinimumBarLength) / rowLength);
  return FromUnits(ToUnitsUp(minimum));
}

QVTRowProportions::BarCounts QVTRowProportions::NormalizeRow(std::span<QVTRowShare> row, int changed,
                                                             float minimum) {
  BarCounts counts;
  const int count = static_cast<int>(row.size());
  if (changed >= count || (changed >= 0 && (!row[changed].visible ||
                                            row[changed].proportion > kLargestChangedShare))) {
    changed = -1;
  }
  std::vector<int> visible;
  double others = 0;
  for (int i = 0; i < count; ++i) {
    if (!row[i].visible) {
      continue;
    }
    visible.push_back(i);
    (row[i].sizable ? counts.sizable : counts.fixed) += 1;
    if (i != changed) {
      others += std::max(0.0f, row[i].proportion);
    }
  }
  if (visible.empty()) {
    return counts;
  }
  // The changed bar keeps its share P; the others share 1 - P in the ratio
  // they had. With no others the changed bar takes the whole row.
  double changedShare = 0;
  if (changed >= 0) {
    changedShare = std::clamp(static_cast<double>(row[changed].proportion),
                              static_cast<double>(minimum), static_cast<double>(kLargestChangedShare));
    if (visible.size() == 1) {
      changedShare = 1.0;
    }
  }
  std::vector<double> weights;
  weights.reserve(visible.size());
  const bool othersEqual = others <= 0;
  const std::size_t otherCount = visible.size() - (changed >= 0 ? 1 : 0);
  for (int i : visible) {
    if (i == changed) {
      weights.push_back(changedShare);
    } else if (othersEqual) {
      weights.push_back((1.0 - changedShare) / static_cast<double>(otherCount));
    } else {
      weights.push_back(std::max(0.0f, row[i].proportion) / others * (1.0 - changedShare));
    }
  }
  const std::vector<std::int64_t> units = ShareOut(weights, ToUnitsUp(minimum));
  for (std::size_t k = 0; k < visible.size(); ++k) {
    row[visible[k]].proportion = FromUnits(units[k]);
  }
  return counts;
}

float QVTRowProportions::AddProportion(QVTRowShare& share, float value, float minimum) {
  share.proportion += value;
  if (share.proportion < minimum) {
    const float shortfall = minimum - share.proportion;
    share.proportion = minimum;
    return shortfall;
  }
  return 0.0f;
}

void QVTRowProportions::ExpandBar(std::span<QVTRowShare> row, int bar, ExpandMode mode, float minimum) {
  for (int i = 0; i < static_cast<int>(row.size()); ++i) {
    if (mode == kExpand) {
      row[i].proportion = i == bar ? 1.0f : 0.0f;
    } else {
      row[i].proportion = 0.1f;
    }
  }
  // Contracting asks for equal shares, which no single changed bar gives.
  NormalizeRow(row, -1, minimum);
}

bool QVTRowProportions::IsBarExpanded(std::span<const QVTRowShare> row, int bar, float minimum) {
  int above = 0;
  bool barAbove = false;
  for (int i = 0; i < static_cast<int>(row.size()); ++i) {
    if (row[i].visible && row[i].proportion > minimum) {
      ++above;
      barAbove = barAbove || i == bar;
    }
  }
  return above == 1 && barAbove;
}

}  // namespace docking
