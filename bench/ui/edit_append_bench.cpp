// Appending to a multi-line read-only edit up to 40,000 characters, as the
// conversion log window does: the caret put at the end, the text replaced
// there, and the caret scrolled into view, 80 characters a line. Once with
// no painting (what the edit itself costs) and once with the window
// painted after each append (what a user watching the log costs).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/ui/WinApi.h"

namespace {

using namespace ui;

constexpr int kLimit = 40000;
constexpr DWORD kLogStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                            ES_AUTOVSCROLL | ES_AUTOHSCROLL;

void Append(HWND edit, const std::string& text) {
  const LRESULT length = SendMessage(edit, WM_GETTEXTLENGTH, 0, 0);
  SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(length), length);
  SendMessage(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessage(edit, EM_SCROLLCARET, 0, 0);
}

void Fill(benchmark::State& state, bool paint) {
  const std::string line = "Frame 000123 of instrument 0042: " + std::string(45, '.') + "\r\n";  // 80
  const HWND parent = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr, nullptr);
  int appended = 0;
  for (auto _ : state) {
    const HWND edit = CreateWindowEx(0, "Edit", "", kLogStyle, 0, 0, 480, 380, parent, nullptr, nullptr);
    SendMessage(edit, EM_LIMITTEXT, kLimit, 0);
    for (int length = 0; length + static_cast<int>(line.size()) <= kLimit; length += static_cast<int>(line.size())) {
      Append(edit, line);
      if (paint) UpdateWindow(edit);
      ++appended;
    }
    benchmark::DoNotOptimize(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0));
    DestroyWindow(edit);
  }
  DestroyWindow(parent);
  state.SetItemsProcessed(appended);
}

void BM_EditAppendTo40000(benchmark::State& state) { Fill(state, false); }
void BM_EditAppendTo40000Painted(benchmark::State& state) { Fill(state, true); }

BENCHMARK(BM_EditAppendTo40000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditAppendTo40000Painted)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
