// The keystroke sender's own cost on the simulated keyboard: per event, and for
// macros from 1 KiB to 1 MiB, where the time should grow linearly with length.
#include <benchmark/benchmark.h>

#include <string>

#include "keys/sender.h"
#include "platform/sim/sim.h"

namespace {

// Forgets the recorded events; the vectors keep their room, so recording in the
// next run costs no allocation and the benchmark measures the sender.
void ClearRecord() {
  sim::keyboard().events.clear();
  sim::keyboard().drains.clear();
  sim::keyboard().state_writes.clear();
}

// A macro of exactly n bytes mixing every construct that sends keys.
std::string MixedMacro(std::size_t n) {
  const std::string unit = "ab+c{LEFT 2}\"x+y\"^(de)~{{}{ENTER}%{F4}Z1 ";
  std::string macro;
  while (macro.size() + unit.size() <= n) macro += unit;
  macro.append(n - macro.size(), 'q');
  return macro;
}

void BM_OneKey(benchmark::State& state) {
  sim::Reset();
  for (auto _ : state) {
    benchmark::DoNotOptimize(qrvl::SendKeystrokeMacro("a", true));
    ClearRecord();
  }
  state.SetItemsProcessed(state.iterations() * 2);  // key-down and key-up
}
BENCHMARK(BM_OneKey);

void BM_RepeatedKey(benchmark::State& state) {
  sim::Reset();
  for (auto _ : state) {
    benchmark::DoNotOptimize(qrvl::SendKeystrokeMacro("{LEFT 1000}", true));
    ClearRecord();
  }
  state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_RepeatedKey);

void BM_MacroLength(benchmark::State& state) {
  sim::Reset();
  const std::string macro = MixedMacro(static_cast<std::size_t>(state.range(0)));
  std::size_t events = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(qrvl::SendKeystrokeMacro(macro.c_str(), true));
    events = sim::keyboard().events.size();
    ClearRecord();
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(state.iterations() * state.range(0));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(events));
  state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_MacroLength)->RangeMultiplier(4)->Range(1 << 10, 1 << 20)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
