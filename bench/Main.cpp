// The usual benchmark output, then a summary: each figure beside the empty callback it runs
// through, as a ratio, and the share of a 360 Hz frame.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Figure {
  double nanoseconds = 0.0;
  double allocations = 0.0;
};

class SummaryReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // With repetitions, the mean stands for the benchmark.
      const bool isMean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
      if (run.error_occurred || (run.run_type != Run::RT_Iteration && !isMean)) {
        continue;
      }
      const auto allocs = run.counters.find("allocs/op");
      Figure figure{run.GetAdjustedCPUTime() * nanosecondsPer(run.time_unit),
                    allocs == run.counters.end() ? 0.0 : allocs->second.value};
      const std::string name = run.run_name.str();
      if (isMean || !figures_.contains(name)) {
        if (!figures_.contains(name)) {
          order_.push_back(name);
        }
        figures_[name] = figure;
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-32s %12s %10s %10s %12s\n", "benchmark", "ns", "allocs/op", "ratio",
                "% of 2.78ms");
    for (const std::string& name : order_) {
      const Figure& figure = figures_.at(name);
      const std::string base = baseline(name);
      const auto found = figures_.find(base);
      std::string ratio = "-";
      if (!base.empty() && found != figures_.end() && found->second.nanoseconds > 0.0) {
        ratio = twoDecimals(figure.nanoseconds / found->second.nanoseconds);
      }
      std::printf("%-32s %12.1f %10.2f %10s %12.5f\n", name.c_str(), figure.nanoseconds,
                  figure.allocations, ratio.c_str(), figure.nanoseconds / kFrameBudgetNs * 100.0);
    }
    std::printf(
        "ratio: to EmptyDrawable for frames, to EmptyHook for hits; 360 Hz frame: %.0f ns\n",
        kFrameBudgetNs);
  }

 private:
  static constexpr double kFrameBudgetNs = 1e9 / 360.0;

  static double nanosecondsPer(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond:
        return 1e9;
      case benchmark::kMillisecond:
        return 1e6;
      case benchmark::kMicrosecond:
        return 1e3;
      default:
        return 1.0;
    }
  }

  static std::string baseline(const std::string& name) {
    if (name.find("Frame") != std::string::npos) {
      return "EmptyDrawable";
    }
    if (name.rfind("CountedHit", 0) == 0 || name.rfind("RefusedHit", 0) == 0) {
      return "EmptyHook";
    }
    return "";
  }

  static std::string twoDecimals(double value) {
    std::vector<char> text(32);
    const int length = std::snprintf(text.data(), text.size(), "%.2f", value);
    return {text.data(), static_cast<std::size_t>(length > 0 ? length : 0)};
  }

  std::vector<std::string> order_;
  std::map<std::string, Figure> figures_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
