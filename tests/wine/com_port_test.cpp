// The Windows chanora-cli under Wine, talking through a COM port to the
// simulated receiver: Wine maps \\.\COMn through the link dosdevices/comN of
// its prefix, which here leads to the receiver's pseudo-terminal. Needs
// CHANORA_WINE, WINEPREFIX and CHANORA_WINDOWS_CLI; skips without them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/list_engine.h"
#include "tests/support/packet_file.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"
#include "tools/simulated_receiver.h"

namespace chanora::testing {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct WineRun {
  int status = -1;  // exit code; -1 when it did not end by itself
  std::string out;
  std::string err;
  double seconds = 0;
};

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The Windows program's text output ends its lines with CR LF.
std::string WithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

// Starts a program with its output in files (or nowhere); its process id.
pid_t Spawn(const std::vector<std::string>& words, const std::string& out, const std::string& err) {
  const pid_t child = ::fork();
  if (child != 0) return child;
  const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int nullFd = ::open("/dev/null", O_RDONLY);
  ::dup2(nullFd, 0);
  ::dup2(outFd, 1);
  ::dup2(errFd, 2);
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  ::execvp(argv[0], argv.data());
  ::_exit(127);
}

// Waits for a child up to `limit`, then kills it; its exit code or -1.
int Reap(pid_t child, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(10ms);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ComPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (wine_.empty() || prefix_.empty() || cli_.empty()) {
      GTEST_SKIP() << "set CHANORA_WINE, WINEPREFIX and CHANORA_WINDOWS_CLI to run the Windows build under Wine";
    }
    StartWine();
  }

  void TearDown() override {
    for (const std::string& link : links_) std::filesystem::remove(link);
  }

  // A session that outlives each program, started with its output nowhere:
  // the server keeps the output it started with, and at its start Wine sets
  // the low COM links anew (com1 and up), so ours are made afterwards and
  // numbered high.
  void StartWine() {
    const std::filesystem::path server = std::filesystem::path(wine_).parent_path() / "wineserver";
    Reap(Spawn({std::filesystem::exists(server) ? server.string() : "wineserver", "-p30"}, "/dev/null", "/dev/null"),
         30s);
    Reap(Spawn({wine_, cli_, "--version"}, "/dev/null", "/dev/null"), 60s);
  }

  // Lets the Windows program reach the receiver as COM`number`.
  std::string LinkPort(int number) {
    const std::string link = prefix_ + "/dosdevices/com" + std::to_string(number);
    std::filesystem::remove(link);
    std::filesystem::create_symlink(receiver.DevicePath(), link);
    links_.push_back(link);
    return "COM" + std::to_string(number);
  }

  // The path of a file of the test's folder as the Windows program names it.
  std::string WindowsPath(std::string_view name) const { return "Z:" + dir.File(name); }

  // Runs chanora-cli.exe; with `interruptAfter`, Ctrl-C reaches it then.
  WineRun Run(const std::vector<std::string>& args, std::optional<std::chrono::milliseconds> interruptAfter = {}) {
    std::vector<std::string> words = {wine_, cli_};
    words.insert(words.end(), args.begin(), args.end());
    const auto start = Clock::now();
    const pid_t child = Spawn(words, dir.File("stdout.log"), dir.File("stderr.log"));
    if (interruptAfter) {
      std::this_thread::sleep_for(*interruptAfter);
      ::kill(child, SIGINT);
    }
    WineRun run;
    run.status = Reap(child, 120s);
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.out = WithoutCarriageReturns(ReadBytes(dir.File("stdout.log")));
    run.err = WithoutCarriageReturns(ReadBytes(dir.File("stderr.log")));
    return run;
  }

  // The packet file of the demo list, compiled on this machine.
  std::string DemoPacketFile() {
    WriteBytes(dir.File("demo.txt"), DemoListBytes());
    RecordingReporter quiet;
    ListEngine engine(quiet);
    EXPECT_TRUE(engine.CompileFile(dir.File("demo.txt"), {}) && engine.ConvertToPackets(dir.File("demo.txt")));
    return ReadBytes(dir.File("demo.bin"));
  }

  const std::string wine_ = Environment("CHANORA_WINE");
  const std::string prefix_ = Environment("WINEPREFIX");
  const std::string cli_ = Environment("CHANORA_WINDOWS_CLI");
  std::vector<std::string> links_;
  TempDir dir;
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
  // A lost acknowledgement makes the PC wait out a reply and send again.
  loader.faults = {{LoaderStep::PacketAck, 1, FaultKind::Drop}, {LoaderStep::DescriptorAck, 1, FaultKind::Garble}};
  receiver.StartFlashLoader(loader);
  const WineRun run = Run({"download", "--port", LinkPort(21), WindowsPath("demo.bin")});
  const LoaderReport report = receiver.WaitLoader(10s);

  EXPECT_EQ(run.status, 0) << run.err;
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
  const WineRun run = Run({"download", "--port", LinkPort(22), WindowsPath("demo.bin")});
  receiver.Stop();

  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Connetion fail with STB.\n\nDownloading to FLASH Memory is failed!\n");
  EXPECT_GT(run.seconds, 29.0);  // the receiver is given its 30 s to be switched on
  EXPECT_LT(run.seconds, 45.0);
}

TEST_F(ComPortTest, CtrlCAbandonsADownloadAtOnce) {
  DemoPacketFile();
  LoaderOptions loader;
  loader.silent = true;
  receiver.StartFlashLoader(loader);
  const WineRun run = Run({"download", "--port", LinkPort(23), WindowsPath("demo.bin")}, 3s);
  receiver.Stop();

  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Transfer cancelled by the user."), std::string::npos) << run.err;
  EXPECT_LT(run.seconds, 6.0);
}

TEST_F(ComPortTest, UploadCapturesTheListAndTellsTheReceiverToGoOn) {
  ConsoleOptions console;
  console.listText = ConsoleList();
  console.floodBytes = 3000;  // boot chatter before the list
  receiver.StartConsole(console);
  const WineRun run = Run({"upload", "--port", LinkPort(24), "-o", WindowsPath("upload.txt")});
  const ConsoleReport report = receiver.WaitConsole(10s);

  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "Uploading SUCESS\n");
  EXPECT_EQ(run.out, WindowsPath("upload.txt") + " written\n");
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
  const WineRun run = Run({"upload", "--port", LinkPort(25), "-o", WindowsPath("upload.txt")});
  receiver.Stop();

  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "ERROR: Uploading is not complete. try again\n");
  EXPECT_LT(run.seconds, 30.0);  // six empty reads of the console, not a wait for ever
}

TEST_F(ComPortTest, PortsThatAreNotThereOrNotPortsAreTold) {
  DemoPacketFile();
  for (const char* port : {"COM0", "5", "LPT1", "COM07"}) {
    const WineRun run = Run({"download", "--port", port, WindowsPath("demo.bin")});
    EXPECT_EQ(run.status, 1) << port;
    EXPECT_EQ(run.err,
              "Selected Com Port is illegal!!!, Select again at Option Menu\nDownloading to FLASH Memory is failed!\n")
        << port;
  }
  const WineRun absent = Run({"upload", "--port", "COM29", "-o", WindowsPath("upload.txt")});
  EXPECT_EQ(absent.status, 1);
  EXPECT_EQ(absent.err, "Serial Port Open FAILED!!!\n");
  EXPECT_FALSE(FileExists(dir.File("upload.txt")));
}

TEST_F(ComPortTest, PortsAreListedFromTheSystemInNaturalOrder) {
  const std::string key = "HKLM\\HARDWARE\\DEVICEMAP\\SERIALCOMM";
  const std::vector<std::pair<std::string, std::string>> ports = {
      {"\\Device\\ChanoraTest10", "COM10"}, {"\\Device\\ChanoraTest2", "COM2"}, {"\\Device\\ChanoraTest31", "COM31"}};
  for (const auto& [name, port] : ports) {
    Reap(Spawn({wine_, "reg", "add", key, "/v", name, "/d", port, "/f"}, "/dev/null", "/dev/null"), 30s);
  }
  const WineRun run = Run({"ports"});
  for (const auto& [name, port] : ports) {
    Reap(Spawn({wine_, "reg", "delete", key, "/v", name, "/f"}, "/dev/null", "/dev/null"), 30s);
  }

  EXPECT_EQ(run.status, 0);
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
