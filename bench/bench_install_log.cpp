// Cost of AddRegistryKey as the install log grows: every call searches the
// whole log from its start before it appends. Simulated registry and files.
#include <benchmark/benchmark.h>

#include <string>

#include "frame/globals.h"
#include "include/qrvide32.h"
#include "platform/sim/sim.h"

namespace {
constexpr const char* kLog = "C:\\QUARVEL\\INSTALL.LOG";

std::string Ss(const std::string& text) {
  return std::string(1, static_cast<char>(text.size())) + text;
}
const unsigned char* U(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

// A log of Entries key entries of a typical size; answers its bytes.
std::string Prepare(int entries) {
  sim::Reset();
  sim::ui().module_file_name = "C:\\QUARVEL\\QRVIDE32.DLL";
  qrvl::OnLoad(nullptr);
  std::string log;
  for (int i = 0; i < entries; ++i)
    log += "RegDB Key: Software\\Vendor\\Product\\Key" + std::to_string(i) +
           "\r\nRegDB Val: C:\\Program Files\\Vendor\\Product\r\nRegDB Name: Path\r\n"
           "RegDB Root: 1\r\n";
  sim::WriteFile(kLog, log);
  return log;
}

// A new entry each time: the whole log is read, then the entry appended. The log
// is put back to its size between calls, untimed.
void BM_AddNewEntry(benchmark::State& state) {
  const std::string log = Prepare(static_cast<int>(state.range(0)));
  const std::string name = Ss("Path"), value = Ss("C:\\Program Files\\Vendor\\Product");
  int next = 0;
  for (auto _ : state) {
    const std::string key = Ss("Software\\Vendor\\Other\\Key" + std::to_string(next++));
    benchmark::DoNotOptimize(AddRegistryKey(0, U(key), U(name), U(value), 0));
    state.PauseTiming();
    sim::WriteFile(kLog, log);
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
  state.counters["log_MB"] = static_cast<double>(log.size()) / 1e6;
}

// The entry is there already, as the log's last: the whole log is read, nothing written.
void BM_AddLoggedEntry(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  Prepare(entries);
  const std::string key = Ss("Software\\Vendor\\Product\\Key" + std::to_string(entries - 1));
  const std::string name = Ss("Path"), value = Ss("C:\\Program Files\\Vendor\\Product");
  for (auto _ : state) benchmark::DoNotOptimize(AddRegistryKey(0, U(key), U(name), U(value), 0));
  state.SetComplexityN(state.range(0));
}
}  // namespace

BENCHMARK(BM_AddNewEntry)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddLoggedEntry)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
