// The fast number path against printf on the values a conversion prints:
// calibrated sensor values of a few units to some thousands, at the
// precisions rows use (10 when none is set), and raw counts.
//
//   number_format_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/sys/FastNumber.h"
#include "platform/sys/Format.h"
#include "platform/sys/NumberFormat.h"

namespace {

constexpr std::size_t kValueCount = 4096;  // a power of two: index by mask

const std::vector<double>& SensorValues() {
  static const std::vector<double> values = [] {
    std::mt19937_64 random(417);
    std::uniform_real_distribution<double> magnitude(-3.0, 4.0);
    std::vector<double> v(kValueCount);
    for (double& x : v) x = (random() & 1 ? -1.0 : 1.0) * std::pow(10.0, magnitude(random));
    return v;
  }();
  return values;
}

const std::vector<unsigned long>& Counts() {
  static const std::vector<unsigned long> values = [] {
    std::mt19937 random(93);
    std::vector<unsigned long> v(kValueCount);
    for (unsigned long& x : v) x = random() >> (random() % 32);
    return v;
  }();
  return values;
}

// A row's worth of text is reused, as the conversion reuses its row buffer.
template <typename Value, typename AppendOne>
void RunOver(benchmark::State& state, const std::vector<Value>& values, AppendOne append_one) {
  std::string row;
  row.reserve(4096);
  std::size_t i = 0;
  for (auto _ : state) {
    if (row.size() > 3800) row.clear();
    append_one(row, values[i++ & (kValueCount - 1)]);
    benchmark::DoNotOptimize(row.data());
  }
  state.SetItemsProcessed(state.iterations());
}

template <typename AppendOne>
void RunOverValues(benchmark::State& state, AppendOne append_one) {
  RunOver(state, SensorValues(), append_one);
}

void BM_AppendFloat_AlternateFixed(benchmark::State& state) {
  const sys::FloatFormat format{sys::FloatStyle::kFixed, true, 0, static_cast<int>(state.range(0))};
  RunOverValues(state, [&](std::string& row, double x) { sys::AppendFloat(row, x, format); });
}

void BM_AppendFormat_AlternateFixed(benchmark::State& state) {
  const int precision = static_cast<int>(state.range(0));
  RunOverValues(state, [&](std::string& row, double x) { sys::AppendFormat(row, "%#.*f", precision, x); });
}

// Bare snprintf into a stack buffer: printf's own cost, without the locale
// switch that sys::AppendFormat adds.
void BM_Snprintf_AlternateFixed(benchmark::State& state) {
  const int precision = static_cast<int>(state.range(0));
  RunOverValues(state, [&](std::string& row, double x) {
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%#.*f", precision, x);
    row.append(text, static_cast<std::size_t>(n));
  });
}

void BM_AppendFixed(benchmark::State& state) {
  const int precision = static_cast<int>(state.range(0));
  RunOverValues(state, [&](std::string& row, double x) { sys::AppendFixed(row, x, precision); });
}

void BM_Snprintf_Fixed(benchmark::State& state) {
  const int precision = static_cast<int>(state.range(0));
  RunOverValues(state, [&](std::string& row, double x) {
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%.*f", precision, x);
    row.append(text, static_cast<std::size_t>(n));
  });
}

void BM_AppendFloat_AlternateExponent(benchmark::State& state) {
  const sys::FloatFormat format{sys::FloatStyle::kExponent, true, 0, static_cast<int>(state.range(0))};
  RunOverValues(state, [&](std::string& row, double x) { sys::AppendFloat(row, x, format); });
}

void BM_Snprintf_AlternateExponent(benchmark::State& state) {
  const int precision = static_cast<int>(state.range(0));
  RunOverValues(state, [&](std::string& row, double x) {
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%#.*e", precision, x);
    row.append(text, static_cast<std::size_t>(n));
  });
}

template <typename AppendOne>
void RunOverCounts(benchmark::State& state, AppendOne append_one) {
  RunOver(state, Counts(), append_one);
}

void BM_AppendUnsigned(benchmark::State& state) {
  RunOverCounts(state, [](std::string& row, unsigned long x) { sys::AppendUnsigned(row, x, 12); });
}

void BM_AppendFormat_Unsigned(benchmark::State& state) {
  RunOverCounts(state, [](std::string& row, unsigned long x) { sys::AppendFormat(row, "%*lu", 12, x); });
}

void BM_AppendHexZeroFilled(benchmark::State& state) {
  RunOverCounts(state, [](std::string& row, unsigned long x) { sys::AppendHexZeroFilled(row, x, 8); });
}

void BM_AppendFormat_HexZeroFilled(benchmark::State& state) {
  RunOverCounts(state, [](std::string& row, unsigned long x) { sys::AppendFormat(row, "%0*lX", 8, x); });
}

}  // namespace

BENCHMARK(BM_AppendFloat_AlternateFixed)->Arg(3)->Arg(10)->Arg(17);
BENCHMARK(BM_AppendFormat_AlternateFixed)->Arg(3)->Arg(10)->Arg(17);
BENCHMARK(BM_Snprintf_AlternateFixed)->Arg(3)->Arg(10)->Arg(17);
BENCHMARK(BM_AppendFixed)->Arg(0)->Arg(6);
BENCHMARK(BM_Snprintf_Fixed)->Arg(0)->Arg(6);
BENCHMARK(BM_AppendFloat_AlternateExponent)->Arg(6)->Arg(10);
BENCHMARK(BM_Snprintf_AlternateExponent)->Arg(6)->Arg(10);
BENCHMARK(BM_AppendUnsigned);
BENCHMARK(BM_AppendFormat_Unsigned);
BENCHMARK(BM_AppendHexZeroFilled);
BENCHMARK(BM_AppendFormat_HexZeroFilled);

BENCHMARK_MAIN();
