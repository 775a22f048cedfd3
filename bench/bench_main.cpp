// The benchmarks' shared entry: runs every registered benchmark from a
// folder of the build, so the "debug.log" the engine writes never lands in
// the source tree, whatever folder the benchmark was started from.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  mkdir(TIDEWELL_BENCH_RUN_DIR, 0755);
  if (chdir(TIDEWELL_BENCH_RUN_DIR) != 0) {
    std::perror(TIDEWELL_BENCH_RUN_DIR);
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
