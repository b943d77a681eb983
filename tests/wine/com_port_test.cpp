// The Windows chanora-cli under Wine, talking through a COM port to the
// simulated receiver: Wine maps \\.\COMn through the link dosdevices/comN of
// its prefix, which here leads to the receiver's pseudo-terminal. Needs
// CHANORA_WINE, WINEPREFIX and CHANORA_WINDOWS_CLI; skips without them.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/list_engine.h"
#include "tests/support/packet_file.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"
#include "tests/wine/wine_fixture.h"
#include "tools/simulated_receiver.h"

namespace chanora::testing {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct TimedRun {
  int exitCode = -1;
  std::string out;  // the Windows program's CR LF line ends made LF
  std::string err;
  double seconds = 0;
};

std::string WithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

class ComPortTest : public WineTest {
 protected:
  void SetUp() override {
    WineTest::SetUp();
    if (IsSkipped()) return;
    StartWine();
  }

  void TearDown() override {
    for (const std::string& link : links_) std::filesystem::remove(link);
  }

  // At the start of a session Wine sets the low COM links anew (com1 and
  // up), so ours are made once it is up, and numbered high.
  void StartWine() { RunWindowsCli({"--version"}, dir.path()); }

  // Lets the Windows program reach the receiver as COM`number`.
  std::string LinkPort(int number) {
    const std::string link = winePrefix_ + "/dosdevices/com" + std::to_string(number);
    std::filesystem::remove(link);
    std::filesystem::create_symlink(receiver.DevicePath(), link);
    links_.push_back(link);
    return "COM" + std::to_string(number);
  }

  std::string WindowsFile(std::string_view name) const { return WindowsPath(dir.File(name)); }

  // Runs chanora-cli.exe, timed; with `interruptAfter`, Ctrl-C reaches it then.
  TimedRun Run(const std::vector<std::string>& args, std::optional<std::chrono::milliseconds> interruptAfter = {}) {
    const auto start = Clock::now();
    const ProgramRun run = RunWindowsCli(args, dir.path(), 120s, interruptAfter);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return {run.exitCode, WithoutCarriageReturns(run.out), WithoutCarriageReturns(run.err), seconds};
  }

  // Runs a program that Wine brings (reg, say).
  void RunWineProgram(const std::vector<std::string>& args) {
    std::vector<std::string> command{wine_};
    command.insert(command.end(), args.begin(), args.end());
    RunProgram(command, dir.path(), 30s);
  }

  // The packet file of the demo list, compiled on this machine.
  std::string DemoPacketFile() {
    WriteBytes(dir.File("demo.txt"), DemoListBytes());
    RecordingReporter quiet;
    ListEngine engine(quiet);
    EXPECT_TRUE(engine.CompileFile(dir.File("demo.txt"), {}) && engine.ConvertToPackets(dir.File("demo.txt")));
    return ReadBytes(dir.File("demo.bin"));
  }

  std::vector<std::string> links_;
  SimulatedReceiver receiver;
};

// The receiver's console printout of the demo list, and what the upload
// keeps of it: the list up to "[END]", then the three spaces of the capture.
std::string ConsoleList() {
  const std::string demo = DemoListBytes();
  return demo.substr(demo.find("[SATELLITE_NAME_LIST]"));
}

std::string UploadedList() {
  const std::string list = ConsoleList();
  return list.substr(0, list.find("[END]") + 5) + "   ";
}

TEST_F(ComPortTest, DownloadDeliversEveryPacketAndTheReceiversVerdict) {
  const std::string bin = DemoPacketFile();
  const std::vector<std::pair<std::uint32_t, std::uint32_t>> packets = Packets(bin);
  LoaderOptions loader;
  // A refused packet and a garbled acknowledgement make the PC send again. (A
  // lost one would race the PC's 10 s wait for a reply against the
  // receiver's 10 s patience with a silent PC.)
  loader.faults = {{LoaderStep::PacketAck, 1, FaultKind::Nak}, {LoaderStep::DescriptorAck, 1, FaultKind::Garble}};
  receiver.StartFlashLoader(loader);
  const TimedRun run = Run({"download", "--port", LinkPort(21), WindowsFile("demo.bin")});
  const LoaderReport report = receiver.WaitLoader(10s);

  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "Flash download is terminated successfully.\n\n");
  EXPECT_NE(run.out.find("Connetion established..."), std::string::npos) << run.out;
  EXPECT_TRUE(report.connected);
  EXPECT_EQ(report.header, bin.substr(0, 14));
  ASSERT_EQ(report.packets.size(), packets.size());
  std::size_t at = 14;
  for (std::size_t i = 0; i < packets.size(); ++i) {
    const std::size_t size = 16 + packets[i].second;
    EXPECT_EQ(report.packets[i], bin.substr(at, size)) << "packet " << i;
    at += size;
  }
  EXPECT_TRUE(report.problems.empty()) << report.problems.front();
  EXPECT_TRUE(report.disReceived);
  EXPECT_TRUE(report.verdictSent);
}

TEST_F(ComPortTest, DownloadToASilentReceiverGivesUpAfterTheConnectionWait) {
  DemoPacketFile();
  LoaderOptions loader;
  loader.silent = true;
  receiver.StartFlashLoader(loader);
  const TimedRun run = Run({"download", "--port", LinkPort(22), WindowsFile("demo.bin")});
  receiver.Stop();

  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Connetion fail with STB.\n\nDownloading to FLASH Memory is failed!\n");
  EXPECT_GT(run.seconds, 29.0);  // the receiver is given its 30 s to be switched on
  EXPECT_LT(run.seconds, 45.0);
}

TEST_F(ComPortTest, CtrlCAbandonsADownloadAtOnce) {
  DemoPacketFile();
  LoaderOptions loader;
  loader.silent = true;
  receiver.StartFlashLoader(loader);
  const TimedRun run = Run({"download", "--port", LinkPort(23), WindowsFile("demo.bin")}, 3s);
  receiver.Stop();

  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Transfer cancelled by the user."), std::string::npos) << run.err;
  EXPECT_LT(run.seconds, 6.0);
}

TEST_F(ComPortTest, UploadCapturesTheListAndTellsTheReceiverToGoOn) {
  ConsoleOptions console;
  console.listText = ConsoleList();
  console.floodBytes = 3000;  // boot chatter before the list
  receiver.StartConsole(console);
  const TimedRun run = Run({"upload", "--port", LinkPort(24), "-o", WindowsFile("upload.txt")});
  const ConsoleReport report = receiver.WaitConsole(10s);

  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "Uploading SUCESS\n");
  EXPECT_EQ(run.out, WindowsFile("upload.txt") + " written\n");
  EXPECT_EQ(ReadBytes(dir.File("upload.txt")), UploadedList());
  EXPECT_TRUE(report.woke);
  EXPECT_TRUE(report.commandReceived);
  EXPECT_TRUE(report.goReceived);
  EXPECT_EQ(report.portOpens, 2);
}

TEST_F(ComPortTest, UploadFromAConsoleThatFallsSilentEndsWithoutTheList) {
  ConsoleOptions console;
  console.listText = ConsoleList();
  console.silenceAfterBytes = 200;
  receiver.StartConsole(console);
  const TimedRun run = Run({"upload", "--port", LinkPort(25), "-o", WindowsFile("upload.txt")});
  receiver.Stop();

  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "ERROR: Uploading is not complete. try again\n");
  EXPECT_LT(run.seconds, 30.0);  // six empty reads of the console, not a wait for ever
  EXPECT_FALSE(FileExists(dir.File("upload.txt")));
}

TEST_F(ComPortTest, PortsThatAreNotThereOrNotPortsAreTold) {
  DemoPacketFile();
  for (const char* port : {"COM0", "5", "LPT1", "COM07"}) {
    const TimedRun run = Run({"download", "--port", port, WindowsFile("demo.bin")});
    EXPECT_EQ(run.exitCode, 1) << port;
    EXPECT_EQ(run.err,
              "Selected Com Port is illegal!!!, Select again at Option Menu\nDownloading to FLASH Memory is failed!\n")
        << port;
  }
  const TimedRun absent = Run({"upload", "--port", "COM29", "-o", WindowsFile("upload.txt")});
  EXPECT_EQ(absent.exitCode, 1);
  EXPECT_EQ(absent.err, "Serial Port Open FAILED!!!\n");
  EXPECT_FALSE(FileExists(dir.File("upload.txt")));
}

TEST_F(ComPortTest, PortsAreListedFromTheSystemInNaturalOrder) {
  const std::string key = "HKLM\\HARDWARE\\DEVICEMAP\\SERIALCOMM";
  const std::vector<std::pair<std::string, std::string>> ports = {
      {"\\Device\\ChanoraTest10", "COM10"}, {"\\Device\\ChanoraTest2", "COM2"}, {"\\Device\\ChanoraTest31", "COM31"}};
  for (const auto& [name, port] : ports) {
    RunWineProgram({"reg", "add", key, "/v", name, "/d", port, "/f"});
  }
  const TimedRun run = Run({"ports"});
  for (const auto& [name, port] : ports) {
    RunWineProgram({"reg", "delete", key, "/v", name, "/f"});
  }

  EXPECT_EQ(run.exitCode, 0);
  const std::size_t com2 = run.out.find("COM2   \\\\.\\COM2\n");
  const std::size_t com10 = run.out.find("       \\\\.\\COM10\n");
  const std::size_t com31 = run.out.find("       \\\\.\\COM31\n");
  ASSERT_NE(com2, std::string::npos) << run.out;
  ASSERT_NE(com10, std::string::npos) << run.out;
  ASSERT_NE(com31, std::string::npos) << run.out;
  EXPECT_LT(com2, com10);
  EXPECT_LT(com10, com31);
}

}  // namespace
}  // namespace chanora::testing
