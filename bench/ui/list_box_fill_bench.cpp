// Filling a list box with 10,000 names, as a dialog filling its list of
// channels does: unsorted, sorted (each name finds its place), and sorted
// after LB_INITSTORAGE reserved the room. The names are made before timing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/ui/WinApi.h"

namespace {

using namespace ui;

constexpr int kNames = 10000;

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    out.reserve(kNames);
    // A spread of first letters so a sorted insert lands all over the list.
    for (int i = 0; i < kNames; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "%c_channel_%05d", 'A' + (i * 7919) % 26, (i * 104729) % kNames);
      out.emplace_back(name);
    }
    return out;
  }();
  return names;
}

void Fill(benchmark::State& state, DWORD style, bool reserve) {
  const auto& names = Names();
  const HWND parent = CreateWindowEx(0, "Static", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr);
  for (auto _ : state) {
    const HWND list = CreateWindowEx(0, "ListBox", "", WS_CHILD | style, 0, 0, 200, 200, parent, nullptr, nullptr);
    if (reserve) SendMessage(list, LB_INITSTORAGE, kNames, 16 * kNames);
    for (const std::string& name : names) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    benchmark::DoNotOptimize(SendMessage(list, LB_GETCOUNT, 0, 0));
    DestroyWindow(list);
  }
  DestroyWindow(parent);
  state.SetItemsProcessed(state.iterations() * kNames);
}

void BM_ListBoxFillUnsorted(benchmark::State& state) { Fill(state, 0, false); }
void BM_ListBoxFillSorted(benchmark::State& state) { Fill(state, LBS_SORT, false); }
void BM_ListBoxFillSortedReserved(benchmark::State& state) { Fill(state, LBS_SORT, true); }

BENCHMARK(BM_ListBoxFillUnsorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListBoxFillSorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListBoxFillSortedReserved)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
