#include "docking/QVTRowProportions.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace docking;

std::vector<QVTRowShare> Row(std::vector<float> shares) {
  std::vector<QVTRowShare> row;
  for (float s : shares) {
    row.push_back({s, true, true});
  }
  return row;
}

// Summed in row order, as the layout adds them up.
float VisibleSum(const std::vector<QVTRowShare>& row) {
  float sum = 0;
  for (const QVTRowShare& s : row) {
    if (s.visible) {
      sum += s.proportion;
    }
  }
  return sum;
}

constexpr float kTolerance = 1e-5f;

TEST(QVTRowProportionsTest, MinimumIsEighteenPixelsOfTheRow) {
  EXPECT_NEAR(QVTRowProportions::UpdateMinProportion(406), 18.0f / 406, kTolerance);
  EXPECT_GE(QVTRowProportions::UpdateMinProportion(406), 18.0f / 406);
  EXPECT_NEAR(QVTRowProportions::UpdateMinProportion(180), 0.1f, kTolerance);
  EXPECT_EQ(QVTRowProportions::UpdateMinProportion(18), 1.0f);
  EXPECT_EQ(QVTRowProportions::UpdateMinProportion(10), 1.0f);
  EXPECT_EQ(QVTRowProportions::UpdateMinProportion(0), 0.05f);
}

struct NormalizeCase {
  const char* name;
  std::vector<float> before;
  int changed;
  std::vector<float> after;
};

TEST(QVTRowProportionsTest, NormalizeTable) {
  // The table's minimum share is 0.01.
  const std::vector<NormalizeCase> cases = {
      {"docked 0.3 into halves", {0.5f, 0.5f, 0.3f}, 2, {0.35f, 0.35f, 0.3f}},
      {"docked 0.5 into two", {0.5f, 0.5f, 0.5f}, 2, {0.25f, 0.25f, 0.5f}},
      // Others summing below the changed bar: it still keeps its 0.5.
      {"others sum below P", {0.2f, 0.1f, 0.5f}, 2, {0.333333f, 0.166667f, 0.5f}},
      // Others summing almost to P: no blow-up of the changed bar.
      {"others sum near P", {0.3f, 0.2f, 0.5f}, 2, {0.3f, 0.2f, 0.5f}},
      {"changed alone", {0.3f}, 0, {1.0f}},
      {"changed above 0.95 counts as none", {0.98f, 0.5f}, 0, {0.662162f, 0.337838f}},
      {"no changed bar", {0.2f, 0.6f}, -1, {0.25f, 0.75f}},
      {"all zero", {0.0f, 0.0f, 0.0f}, -1, {0.333333f, 0.333333f, 0.333333f}},
      {"changed below minimum raised", {0.5f, 0.5f, 0.0f}, 2, {0.495f, 0.495f, 0.01f}},
      {"capped at 0.95 leaves minimum room", {0.5f, 0.5f, 0.95f}, 2, {0.025f, 0.025f, 0.95f}},
  };
  for (const NormalizeCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<QVTRowShare> row = Row(c.before);
    QVTRowProportions::NormalizeRow(row, c.changed, 0.01f);
    ASSERT_EQ(row.size(), c.after.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
      EXPECT_NEAR(row[i].proportion, c.after[i], kTolerance) << "bar " << i;
    }
    EXPECT_EQ(VisibleSum(row), 1.0f);
  }
}

TEST(QVTRowProportionsTest, MinimumHeldWithoutOverflowingTheRow) {
  // 0.02 of 406 px would be 8 px: it gets 18 px and the others pay for it.
  const float minimum = QVTRowProportions::UpdateMinProportion(406);
  std::vector<QVTRowShare> row = Row({0.49f, 0.49f, 0.02f});
  QVTRowProportions::NormalizeRow(row, -1, minimum);
  EXPECT_EQ(row[2].proportion, minimum);
  EXPECT_NEAR(row[0].proportion, (1 - minimum) / 2, kTolerance);
  EXPECT_EQ(VisibleSum(row), 1.0f);
}

TEST(QVTRowProportionsTest, RowTooShortForTheMinimumGetsEqualShares) {
  std::vector<QVTRowShare> row = Row({0.9f, 0.1f});
  QVTRowProportions::NormalizeRow(row, -1, QVTRowProportions::UpdateMinProportion(20));
  EXPECT_EQ(row[0].proportion, 0.5f);
  EXPECT_EQ(row[1].proportion, 0.5f);
}

TEST(QVTRowProportionsTest, HiddenBarsKeepTheirShareAndCountNothing) {
  std::vector<QVTRowShare> row = Row({0.5f, 0.5f, 0.25f});
  row[1].visible = false;
  row[2].sizable = false;
  const QVTRowProportions::BarCounts counts = QVTRowProportions::NormalizeRow(row, -1, 0.05f);
  EXPECT_EQ(counts.sizable, 1);
  EXPECT_EQ(counts.fixed, 1);
  EXPECT_EQ(row[1].proportion, 0.5f);
  EXPECT_NEAR(row[0].proportion, 2.0f / 3, kTolerance);
  EXPECT_EQ(VisibleSum(row), 1.0f);
}

struct ExpandCase {
  const char* name;
  std::vector<float> before;
  int bar;
  QVTRowProportions::ExpandMode mode;
};

TEST(QVTRowProportionsTest, ExpandAndContractOnTwoAndThreeBars) {
  const float minimum = QVTRowProportions::UpdateMinProportion(406);
  const std::vector<ExpandCase> cases = {
      {"expand first of 2", {0.5f, 0.5f}, 0, QVTRowProportions::kExpand},
      {"expand second of 2", {0.7f, 0.3f}, 1, QVTRowProportions::kExpand},
      {"expand middle of 3", {0.2f, 0.3f, 0.5f}, 1, QVTRowProportions::kExpand},
      {"contract 2", {0.9f, 0.1f}, 0, QVTRowProportions::kContract},
      {"contract 3", {0.8f, 0.1f, 0.1f}, 0, QVTRowProportions::kContract},
      {"contract 3 by last", {0.2f, 0.2f, 0.6f}, 2, QVTRowProportions::kContract},
  };
  for (const ExpandCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<QVTRowShare> row = Row(c.before);
    QVTRowProportions::ExpandBar(row, c.bar, c.mode, minimum);
    EXPECT_EQ(VisibleSum(row), 1.0f);
    const float n = static_cast<float>(row.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (c.mode == QVTRowProportions::kContract) {
        EXPECT_NEAR(row[i].proportion, 1.0f / n, kTolerance) << "bar " << i;
      } else if (static_cast<int>(i) == c.bar) {
        EXPECT_NEAR(row[i].proportion, 1.0f - (n - 1) * minimum, kTolerance);
      } else {
        EXPECT_EQ(row[i].proportion, minimum) << "bar " << i;
      }
    }
    EXPECT_EQ(QVTRowProportions::IsBarExpanded(row, c.bar, minimum), c.mode == QVTRowProportions::kExpand);
  }
}

TEST(QVTRowProportionsTest, SumStaysExactOverManyOperations) {
  const float minimum = QVTRowProportions::UpdateMinProportion(733);
  std::vector<QVTRowShare> row = Row({0.5f, 0.5f});
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int step = 0; step < 500; ++step) {
    const unsigned choice = next() % 4;
    if (choice == 0 && row.size() < 7) {
      row.push_back({static_cast<float>(next() % 100) / 100.0f, true, true});
      QVTRowProportions::NormalizeRow(row, static_cast<int>(row.size()) - 1, minimum);
    } else if (choice == 1 && row.size() > 1) {
      row.erase(row.begin() + next() % row.size());
      QVTRowProportions::NormalizeRow(row, -1, minimum);
    } else {
      QVTRowProportions::ExpandBar(row, static_cast<int>(next() % row.size()),
                                   choice == 2 ? QVTRowProportions::kExpand : QVTRowProportions::kContract,
                                   minimum);
    }
    ASSERT_EQ(VisibleSum(row), 1.0f) << "step " << step;
    for (const QVTRowShare& s : row) {
      ASSERT_GE(s.proportion, minimum) << "step " << step;
    }
  }
}

TEST(QVTRowProportionsTest, AddProportionReturnsTheShortfall) {
  QVTRowShare share{0.3f, true, true};
  EXPECT_EQ(QVTRowProportions::AddProportion(share, 0.1f, 0.05f), 0.0f);
  EXPECT_NEAR(share.proportion, 0.4f, kTolerance);
  EXPECT_NEAR(QVTRowProportions::AddProportion(share, -0.5f, 0.05f), 0.15f, kTolerance);
  EXPECT_EQ(share.proportion, 0.05f);
}

}  // namespace
