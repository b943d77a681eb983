// A flash download of the largest channel image over a receiver paced at the
// real line rate: the time the user waits at the receiver, compared with what
// the protocol's bytes take on a 115200 baud line plus the pauses it makes.
#include <benchmark/benchmark.h>

#include "base/file_io.h"
#include "bench/maximal_list_fixture.h"
#include "serial/flash_download.h"
#include "serial/serial_port.h"
#include "tools/simulated_receiver.h"

namespace chanora {
namespace {

constexpr double kByteSeconds = 10.0 / 115200;  // start, 8 data and stop bits

// Every byte both sides put on the line in a good download of `file`.
std::size_t ProtocolBytes(const std::string& file, std::size_t& packets) {
  std::size_t bytes = 8 + 8 + 8 + 8;  // HEI, ACK, NXT; DN_HEADER's ACK
  bytes += 14;                        // DN_HEADER
  packets = 0;
  for (std::size_t at = 14; at + 12 <= file.size(); ++packets) {
    std::size_t length = 0;
    for (int i = 8; i < 12; ++i) length = length * 256 + static_cast<unsigned char>(file[at + i]);
    bytes += 8 + 14 + 8 + 8 + (16 + length) + 8;  // NXT, descriptor, ACK, NXT, packet, ACK
    at += 16 + length;
  }
  return bytes + 8 + 8 + 8 + 8;  // NXT, DIS, its ACK, POK
}

void BM_DownloadMaximalImageAtLineRate(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  QuietReporter reporter;
  ListEngine engine(reporter);
  if (!engine.CompileFile(fixture.loadPath, {fixture.shape.satelliteNames}) ||
      !engine.ConvertToPackets(fixture.loadPath)) {
    state.SkipWithError(("compile failed: " + reporter.last).c_str());
    return;
  }
  const std::string path = *DerivedPath(fixture.loadPath, ".bin");
  std::size_t packets = 0;
  const std::size_t bytes = ProtocolBytes(*ReadWholeFile(path), packets);
  TransferSettings settings;
  const double expected =
      static_cast<double>(bytes) * kByteSeconds + static_cast<double>(packets) * settings.packetPause.count() / 1000.0;

  testing::SimulatedReceiver receiver;
  settings.port = receiver.DevicePath();
  const auto port = MakeSystemSerialPort(settings.cancel);
  for (auto _ : state) {
    testing::LoaderOptions options;
    options.paceAtLineRate = true;
    receiver.StartFlashLoader(options);
    const auto start = std::chrono::steady_clock::now();
    const bool downloaded = FlashDownload(*port, path, settings, reporter);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    receiver.WaitLoader();
    if (!downloaded) {
      state.SkipWithError(("download failed: " + reporter.last).c_str());
      break;
    }
    state.SetIterationTime(seconds);
    state.counters["line_s"] = expected;
    state.counters["overhead_pct"] = (seconds / expected - 1) * 100;
  }
  state.counters["protocol_bytes"] = static_cast<double>(bytes);
  state.counters["packets"] = static_cast<double>(packets);
}
BENCHMARK(BM_DownloadMaximalImageAtLineRate)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace chanora
