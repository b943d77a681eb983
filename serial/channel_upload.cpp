#include "serial/channel_upload.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

#include "base/file_io.h"
#include "base/reporter.h"
#include "base/text_conversion.h"
#include "serial/comm.h"
#include "serial/console_capture.h"
#include "serial/frames.h"

namespace chanora {
namespace {

// A full list printed with the console's noise (under 2 MiB) stays far below
// this; a receiver that floods the line is cut off here.
constexpr std::size_t kCaptureLimit = 4 * 1024 * 1024;
constexpr std::size_t kReadChunk = 4096;
constexpr int kEmptyReadLimit = 5;
constexpr std::string_view kListStart = "[SATELLITE_NAME_LIST]";

bool MakePrivateFolder(const std::string& path) {
  std::string partial;
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    partial = path.substr(0, slash);
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) {
      // A file of that name is no folder to upload into.
      struct stat folder {};
      return ::stat(partial.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
    }
  }
}

class Uploader {
 public:
  Uploader(const TransferSettings& settings, Reporter& reporter) : settings_(settings), reporter_(reporter) {}

  int Run(const std::string& outputPath) {
    std::string capture;
    bool complete = false;
    {
      CComm comm(reporter_, settings_.cancel);
      if (!comm.Open(settings_.port)) return 0;
      comm.Configure();
      comm.Purge();
      WakeConsole(comm);
      TypeDumpCommand(comm);
      complete = Receive(comm, capture);
    }
    if (Cancelled()) return 0;
    // The receiver waits for "go" whatever came of the printout; a list that
    // ended early is never kept, so it cannot be sent back by mistake.
    const bool wentOn = SendGo();
    const std::string text = complete ? FilterConsoleCapture(capture) : std::string();
    if (!complete || text.compare(0, kListStart.size(), kListStart) != 0) {
      return Fail("ERROR: Uploading is not complete. try again");
    }
    if (!wentOn) return 0;
    if (ReplaceFile(outputPath, text, std::nullopt) != SaveResult::Saved) {
      return Fail(FormatText("Fail to open output file %s\n", outputPath.c_str()));
    }
    reporter_.Message("Uploading SUCESS");
    return 1;
  }

 private:
  // CR LF and ESC NUL in turn, seven times, wake the console.
  void WakeConsole(CComm& comm) {
    for (int i = 0; i < 7; ++i) {
      Pause(1);
      comm.Write(i % 2 == 0 ? std::string_view("\r\n") : std::string_view("\x1B\0", 2));
    }
  }

  void TypeDumpCommand(CComm& comm) {
    Pause(2);
    for (char key : std::string_view("dumpch")) {
      comm.Write(std::string_view(&key, 1));
      Pause(1);
    }
    comm.Write("\r\n");
    Pause(1);
    comm.Write("\r\n");
    Pause(1);
  }

  // Captures the printout up to "[END]"; false when it ended before (silence,
  // hang-up, a flood) or the user cancelled.
  bool Receive(CComm& comm, std::string& capture) {
    int emptyReads = 0;
    std::size_t activity = 0;
    while (capture.size() < kCaptureLimit) {
      const std::size_t searchFrom = capture.size();
      const std::string chunk = comm.Read(std::min(kReadChunk, kCaptureLimit - capture.size()), settings_.consoleWait);
      if (Cancelled()) return false;
      if (chunk.empty()) {
        if (++emptyReads > kEmptyReadLimit) return false;
        continue;
      }
      capture += chunk;
      if (auto end = EndOfListIn(capture, searchFrom)) {
        capture.resize(*end);
        capture += "  ";
        return true;
      }
      ShowActivity(activity, chunk.size());
    }
    return false;
  }

  // The status bar shows that bytes keep coming: half at every thousand,
  // full five hundred later.
  void ShowActivity(std::size_t& activity, std::size_t added) {
    for (std::size_t i = 0; i < added; ++i) {
      ++activity;
      if (activity % 1000 == 0) reporter_.SetProgress(50);
      if (activity % 1000 == 500) reporter_.SetProgress(100);
    }
  }

  // The receiver's console waits for "go" in a port cycle of its own.
  bool SendGo() {
    Pause(1);  // the console sees the port closed before it is opened again
    CComm comm(reporter_, settings_.cancel);
    if (!comm.Open(settings_.port)) return false;
    comm.Configure();
    comm.Purge();
    comm.Write("go\r\n");
    return true;
  }

  void Pause(int steps) { std::this_thread::sleep_for(settings_.consolePause * steps); }

  bool Cancelled() {
    if (settings_.cancel == nullptr || !settings_.cancel->load()) return false;
    if (!cancelReported_) reporter_.Message(std::string(kTransferCancelled));
    cancelReported_ = true;
    return true;
  }

  int Fail(const std::string& message) {
    reporter_.Message(message);
    return 0;
  }

  const TransferSettings& settings_;
  Reporter& reporter_;
  bool cancelReported_ = false;
};

}  // namespace

std::optional<std::string> UploadFilePath() {
  std::string folder;
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && cache[0] == '/') {
    folder = cache;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    folder = std::string(home) + "/.cache";
  } else {
    return std::nullopt;
  }
  folder += "/Chanora";
  if (!MakePrivateFolder(folder)) return std::nullopt;
  return folder + "/Velkupload.txt";
}

int UploadChannelList(const std::string& outputPath, const TransferSettings& settings, Reporter& reporter) {
  return Uploader(settings, reporter).Run(outputPath);
}

}  // namespace chanora
