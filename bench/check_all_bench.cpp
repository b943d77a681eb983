// Listing every problem of the largest list the format holds, with a
// thousand bad records spread over its digital channels.
#include <benchmark/benchmark.h>

#include "bench/maximal_list_fixture.h"
#include "textformat/fields.h"
#include "textformat/line_list.h"
#include "textformat/writer.h"

namespace chanora {
namespace {

constexpr std::size_t kPlantedProblems = 1000;

// Every tenth digital channel gets a blank flag that is neither Y nor N.
std::string ListWithPlantedProblems(const LineList& good) {
  LineList list = good;
  const SectionSpan channels = *FindLastSection(list, SectionKind::Channel);
  const std::size_t stride = static_cast<std::size_t>(InfoOf(SectionKind::Channel).fieldCount);
  for (std::size_t k = 0; k < kPlantedProblems; ++k) {
    list[channels.first + k * 10 * stride + channel_field::kBlank] = "X";
  }
  return FormatListText(list);
}

void BM_CheckAllOfMaximalListWithThousandProblems(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  const std::string bytes = ListWithPlantedProblems(fixture.list);
  QuietReporter reporter;
  for (auto _ : state) {
    const std::vector<CheckProblem> problems = FindAllProblems(bytes, fixture.shape.satelliteNames, reporter);
    if (problems.size() != kPlantedProblems) {
      state.SkipWithError(("expected the planted problems, found " + std::to_string(problems.size())).c_str());
      break;
    }
  }
}
BENCHMARK(BM_CheckAllOfMaximalListWithThousandProblems)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chanora
