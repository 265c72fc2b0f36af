#include "docking/QVTDockRowLayout.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace docking;

using Layout = QVTDockRowLayout;

Layout::Bar Sizable(int entry, float share, int thickness) {
  Layout::Bar bar;
  bar.entry = entry;
  bar.sizable = true;
  bar.proportion = share;
  bar.thickness = thickness;
  return bar;
}

Layout::Bar Toolbar(int entry, int length, int thickness, int currentStart = -1, int overlap = 0) {
  Layout::Bar bar;
  bar.entry = entry;
  bar.length = length;
  bar.thickness = thickness;
  bar.currentStart = currentStart;
  bar.overlap = overlap;
  return bar;
}

bool Inside(const ui::RECT& inner, const ui::RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

struct SideCase {
  QVTDockSide side;
  // Along the stacking axis: edge, bars, splitter as [start, end).
  int edgeStart, barsStart, barsEnd, splitterStart;
};

// 406 px at 0.5/0.5: 200 + 6 + 200, the splitter between them, the client
// splitter on the client side, the edge outside; bars 50 px thick.
TEST(QVTDockRowLayoutTest, SizableRowOnAllFourSides) {
  const std::vector<SideCase> cases = {
      {QVTDockSide::kTop, 0, 2, 52, 52},
      {QVTDockSide::kLeft, 0, 2, 52, 52},
      {QVTDockSide::kBottom, 56, 6, 56, 0},
      {QVTDockSide::kRight, 56, 6, 56, 0},
  };
  for (const SideCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.side));
    const Layout layout(c.side);
    const std::vector<Layout::Row> rows = {{1, {Sizable(1, 0.5f, 50), Sizable(2, 0.5f, 40)}}};
    const Layout::Result r = layout.CalcFixedLayout(rows, 406);
    auto box = [&](int alongStart, int alongEnd, int acrossStart, int acrossEnd) {
      return layout.IsHorizontal() ? ui::RECT{alongStart, acrossStart, alongEnd, acrossEnd}
                                   : ui::RECT{acrossStart, alongStart, acrossEnd, alongEnd};
    };
    ASSERT_EQ(r.barRects.size(), 1u);
    EXPECT_EQ(r.barRects[0][0], box(0, 200, c.barsStart, c.barsEnd));
    EXPECT_EQ(r.barRects[0][1], box(206, 406, c.barsStart, c.barsEnd));
    ASSERT_EQ(r.splitters.size(), 2u);
    const Layout::Splitter* between = nullptr;
    const Layout::Splitter* toClient = nullptr;
    for (const Layout::Splitter& s : r.splitters) {
      (s.kind == Layout::kBetweenBars ? between : toClient) = &s;
    }
    ASSERT_TRUE(between && toClient);
    EXPECT_EQ(between->rect, box(200, 206, c.barsStart, c.barsEnd));
    EXPECT_EQ(between->index, 1);
    EXPECT_EQ(toClient->rect, box(0, 406, c.splitterStart, c.splitterStart + 6));
    EXPECT_EQ(toClient->index, 1);
    EXPECT_EQ(between->orientation, layout.IsHorizontal() ? Layout::kVerticalStrip : Layout::kHorizontalStrip);
    EXPECT_EQ(toClient->orientation, layout.IsHorizontal() ? Layout::kHorizontalStrip : Layout::kVerticalStrip);
    ASSERT_EQ(r.clientEdges.size(), 1u);
    EXPECT_EQ(r.clientEdges[0].rect, box(0, 406, c.edgeStart, c.edgeStart + 2));
    const ui::SIZE expected = layout.IsHorizontal() ? ui::SIZE{406, 58} : ui::SIZE{58, 406};
    EXPECT_EQ(r.size, expected);
    const ui::RECT dockBar{0, 0, r.size.cx, r.size.cy};
    for (const ui::RECT& bar : r.barRects[0]) {
      EXPECT_TRUE(Inside(bar, dockBar));
    }
  }
}

TEST(QVTDockRowLayoutTest, BarsFillTheRowAndStayInsideForAnyShares) {
  const Layout layout(QVTDockSide::kTop);
  const float minimum = QVTRowProportions::UpdateMinProportion(733);
  for (int bars = 1; bars <= 6; ++bars) {
    std::vector<QVTRowShare> shares;
    for (int i = 0; i < bars; ++i) {
      shares.push_back({static_cast<float>(i * 7 % 5 + 1) / 10.0f, true, true});
    }
    QVTRowProportions::NormalizeRow(shares, -1, minimum);
    Layout::Row row{1, {}};
    for (int i = 0; i < bars; ++i) {
      row.bars.push_back(Sizable(i + 1, shares[i].proportion, 30));
    }
    const Layout::Result r = layout.CalcFixedLayout(std::span(&row, 1), 733);
    int end = 0;
    for (const ui::RECT& bar : r.barRects[0]) {
      EXPECT_EQ(bar.left, end == 0 ? 0 : end + 6) << bars << " bars";
      EXPECT_GE(bar.right - bar.left, 18);
      end = bar.right;
    }
    EXPECT_EQ(end, 733) << bars << " bars";
  }
}

// Expanded in a 406 px row of three, the other bars keep 18 px each and
// the expanded one takes the rest; contracted, all three share the row.
TEST(QVTDockRowLayoutTest, ExpandedAndContractedRowsFillTheRow) {
  const Layout layout(QVTDockSide::kLeft);
  const float minimum = QVTRowProportions::UpdateMinProportion(406 - 2 * 6);
  std::vector<QVTRowShare> shares(3, QVTRowShare{0.3f, true, true});
  QVTRowProportions::ExpandBar(shares, 1, QVTRowProportions::kExpand, minimum);
  Layout::Row row{1, {}};
  for (int i = 0; i < 3; ++i) {
    row.bars.push_back(Sizable(i + 1, shares[i].proportion, 60));
  }
  Layout::Result r = layout.CalcFixedLayout(std::span(&row, 1), 406);
  EXPECT_EQ(r.barRects[0][0], (ui::RECT{2, 0, 62, 18}));
  EXPECT_EQ(r.barRects[0][1], (ui::RECT{2, 24, 62, 382}));
  EXPECT_EQ(r.barRects[0][2], (ui::RECT{2, 388, 62, 406}));
  QVTRowProportions::ExpandBar(shares, 1, QVTRowProportions::kContract, minimum);
  for (int i = 0; i < 3; ++i) {
    row.bars[i].proportion = shares[i].proportion;
  }
  r = layout.CalcFixedLayout(std::span(&row, 1), 406);
  // 394 px in thirds: the odd pixels go where the running share rounds up.
  EXPECT_EQ(r.barRects[0][0], (ui::RECT{2, 0, 62, 131}));
  EXPECT_EQ(r.barRects[0][1], (ui::RECT{2, 137, 62, 269}));
  EXPECT_EQ(r.barRects[0][2], (ui::RECT{2, 275, 62, 406}));
}

TEST(QVTDockRowLayoutTest, HiddenBarsAndEmptyRowsTakeNoRoom) {
  const Layout layout(QVTDockSide::kTop);
  Layout::Row hiddenRow{1, {Sizable(1, 1.0f, 50)}};
  hiddenRow.bars[0].visible = false;
  std::vector<Layout::Row> rows = {hiddenRow};
  EXPECT_EQ(layout.CalcFixedLayout(rows, 400).size, (ui::SIZE{0, 0}));
  rows.push_back({3, {Sizable(3, 0.5f, 20), Sizable(4, 0.5f, 20)}});
  rows[1].bars[0].visible = false;
  const Layout::Result r = layout.CalcFixedLayout(rows, 400);
  EXPECT_EQ(r.barRects[1][1], (ui::RECT{0, 2, 400, 22}));
  EXPECT_EQ(r.size, (ui::SIZE{400, 28}));
}

struct ToolbarCase {
  const char* name;
  std::vector<Layout::Bar> bars;
  std::vector<int> lefts;
};

TEST(QVTDockRowLayoutTest, ToolbarRowsKeepTheUsersPlaceInsideTheRow) {
  const std::vector<ToolbarCase> cases = {
      {"one after another", {Toolbar(1, 100, 26), Toolbar(2, 80, 26)}, {0, 100}},
      {"border overlap", {Toolbar(1, 100, 26, -1, 2), Toolbar(2, 80, 26)}, {0, 98}},
      {"kept further along", {Toolbar(1, 100, 26), Toolbar(2, 80, 26, 150)}, {0, 150}},
      {"never left of the previous", {Toolbar(1, 100, 26, 50), Toolbar(2, 80, 26, 60)}, {50, 150}},
      {"pulled back to the end", {Toolbar(1, 100, 26), Toolbar(2, 80, 26, 350)}, {0, 320}},
      {"not before the running x", {Toolbar(1, 300, 26), Toolbar(2, 200, 26)}, {0, 300}},
  };
  const Layout layout(QVTDockSide::kTop);
  for (const ToolbarCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Layout::Row> rows = {{1, c.bars}};
    const Layout::Result r = layout.CalcFixedLayout(rows, 400);
    for (std::size_t i = 0; i < c.lefts.size(); ++i) {
      EXPECT_EQ(r.barRects[0][i].left, c.lefts[i]) << "bar " << i;
    }
    EXPECT_TRUE(r.splitters.empty());
    EXPECT_TRUE(r.clientEdges.empty());
    EXPECT_EQ(r.size, (ui::SIZE{400, 26}));
  }
}

// A bar splitter dragged to either limit leaves every bar 24 px.
TEST(QVTDockRowLayoutTest, BarSplitterKeepsTwentyFourPixelsPerBar) {
  const Layout layout(QVTDockSide::kTop);
  const std::vector<Layout::Row> rows = {
      {1, {Sizable(1, 0.25f, 40), Sizable(2, 0.25f, 40), Sizable(3, 0.25f, 40), Sizable(4, 0.25f, 40)}}};
  const int available = 418;
  const Layout::Result r = layout.CalcFixedLayout(rows, available);
  for (const Layout::Splitter& s : r.splitters) {
    if (s.kind != Layout::kBetweenBars) {
      continue;
    }
    const Layout::Limits limits = layout.CalcSplitterLimits(s, r, available, {0, 46, 418, 300});
    const int barsBefore = s.index;  // entries 1..4: the splitter after entry k has k bars before it
    const int barsAfter = 4 - barsBefore;
    // Squeezed to the lower limit the bars before share exactly 24 px each.
    EXPECT_EQ(limits.lower, barsBefore * 24 + (barsBefore - 1) * 6) << "after bar " << s.index;
    EXPECT_EQ(available - (limits.upper + 6), barsAfter * 24 + (barsAfter - 1) * 6) << "after bar " << s.index;
  }
}

struct ClientSplitterCase {
  QVTDockSide side;
  ui::RECT client;  // the client area in the dock bar's coordinates
};

// Dragged to its limits, a row keeps 19 px and so does the client area.
TEST(QVTDockRowLayoutTest, RowSplitterKeepsNineteenPixelsOfRowAndClient) {
  const std::vector<ClientSplitterCase> cases = {
      {QVTDockSide::kTop, {0, 58, 406, 358}},
      {QVTDockSide::kLeft, {58, 0, 358, 406}},
      {QVTDockSide::kBottom, {0, -300, 406, 0}},
      {QVTDockSide::kRight, {-300, 0, 0, 406}},
  };
  for (const ClientSplitterCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.side));
    const Layout layout(c.side);
    const std::vector<Layout::Row> rows = {{1, {Sizable(1, 0.5f, 50), Sizable(2, 0.5f, 50)}}};
    const Layout::Result r = layout.CalcFixedLayout(rows, 406);
    const Layout::Splitter* toClient = nullptr;
    for (const Layout::Splitter& s : r.splitters) {
      if (s.kind == Layout::kRowToClient) {
        toClient = &s;
      }
    }
    ASSERT_NE(toClient, nullptr);
    const Layout::Limits limits = layout.CalcSplitterLimits(*toClient, r, 406, c.client);
    const int position = layout.IsHorizontal() ? toClient->rect.top : toClient->rect.left;
    const int clientLength = layout.IsHorizontal() ? c.client.bottom - c.client.top : c.client.right - c.client.left;
    const bool clientAfter = c.side == QVTDockSide::kTop || c.side == QVTDockSide::kLeft;
    const int towardClient = clientAfter ? limits.upper - position : position - limits.lower;
    const int awayFromClient = clientAfter ? position - limits.lower : limits.upper - position;
    EXPECT_EQ(clientLength - towardClient, 19);
    EXPECT_EQ(layout.RowThicknessAfterMove(50, clientAfter ? -awayFromClient : awayFromClient), 19);
    EXPECT_EQ(layout.RowThicknessAfterMove(50, clientAfter ? towardClient : -towardClient), 50 + towardClient);
  }
}

struct MoveCase {
  const char* name;
  std::vector<int> before;
  int splitterAfter;
  int delta;
  std::vector<int> after;
};

TEST(QVTDockRowLayoutTest, SplitterMoveKeepsTheRowLength) {
  const std::vector<MoveCase> cases = {
      {"right by 50", {200, 200}, 0, 50, {250, 150}},
      {"left by 50", {200, 200}, 0, -50, {150, 250}},
      {"past the neighbour takes the next", {100, 100, 100}, 0, 120, {220, 18, 62}},
      {"more than there is", {100, 100}, 0, 500, {182, 18}},
      {"left over two bars", {100, 100, 100}, 1, -150, {32, 18, 250}},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> lengths = c.before;
    int total = 0;
    for (int l : lengths) {
      total += l;
    }
    std::vector<QVTRowShare> shares;
    QVTDockRowLayout::ApplySplitterMove(lengths, c.splitterAfter, c.delta, total, shares, 18.0f / total);
    EXPECT_EQ(lengths, c.after);
    float sum = 0;
    for (std::size_t i = 0; i < shares.size(); ++i) {
      sum += shares[i].proportion;
      EXPECT_NEAR(shares[i].proportion * static_cast<float>(total), static_cast<float>(c.after[i]), 0.01f);
    }
    EXPECT_EQ(sum, 1.0f);
  }
}

}  // namespace
