// The shares of a dock row: every bar of a row carries its proportion of the
// row's length, and the dock bar keeps the visible bars' proportions adding up
// to one whenever a bar is docked, shown, expanded, contracted or resized.
//
// Proportions are kept as multiples of 2^-20 so that any sum of them is exact
// in a float: the visible shares of a row then add up to exactly 1 in any
// order, and a row never lays out longer than its length.
#pragma once

#include <span>

namespace docking {

struct QVTRowShare {
  float proportion = 1.0f;
  bool visible = true;
  bool sizable = false;
};

class QVTRowProportions {
 public:
  static constexpr int kUnitBits = 20;
  static constexpr float kUnit = 1.0f / (1 << kUnitBits);
  // The minimum share when the row has no length yet.
  static constexpr float kDefaultMinimum = 0.05f;
  // A changed bar never takes more than this; above it, it counts as unchanged.
  static constexpr float kLargestChangedShare = 0.95f;
  // Pixels a bar keeps of its row at least.
  static constexpr int kMinimumBarLength = 18;

  enum ExpandMode { kExpand = 1, kContract = 2 };

  struct BarCounts {
    int fixed = 0;
    int sizable = 0;
  };

  // The smallest share of a bar in a row `rowLength` pixels long:
  // 18 / length, at most 1; the default minimum for a row of no length.
  // Given the row's length less its splitters, a bar at the minimum share
  // is laid out at least 18 pixels long.
  static float UpdateMinProportion(int rowLength);

  // Makes the visible shares of `row` add up to exactly 1, none below
  // `minimum`. The bar at `changed` (-1 for none) keeps the share it was
  // given (raised to the minimum, at most 0.95) and the other bars share the
  // rest in the ratio they had. Hidden bars keep their proportions.
  static BarCounts NormalizeRow(std::span<QVTRowShare> row, int changed, float minimum);

  // Adds `value` to the share; a result below the minimum becomes the
  // minimum and the shortfall is returned (else 0).
  static float AddProportion(QVTRowShare& share, float value, float minimum);

  // Expand gives `bar` the row but the others' minimum shares; contract
  // gives every visible bar of the row an equal share.
  static void ExpandBar(std::span<QVTRowShare> row, int bar, ExpandMode mode, float minimum);

  // TRUE when among the visible bars of the row at most one has more than the
  // minimum share, and that one is `bar`.
  static bool IsBarExpanded(std::span<const QVTRowShare> row, int bar, float minimum);

  // Rounds a share up to the next multiple of the unit.
  static float RoundUpToUnit(float share);
};

}  // namespace docking
