#include "serial/channel_upload.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "base/file_io.h"
#include "base/reporter.h"
#include "base/text_conversion.h"
#include "serial/console_capture.h"
#include "serial/port_session.h"

namespace chanora {
namespace {

// A full list printed with the console's noise (under 2 MiB) stays far below
// this; a receiver that floods the line is cut off here.
constexpr std::size_t kCaptureLimit = 4 * 1024 * 1024;
constexpr std::size_t kReadChunk = 4096;
constexpr int kEmptyReadLimit = 5;
constexpr std::string_view kListStart = "[SATELLITE_NAME_LIST]";

class Uploader {
 public:
  Uploader(SerialPort& port, const TransferSettings& settings, Reporter& reporter)
      : port_(port), settings_(settings), reporter_(reporter) {}

  bool Run(const std::string& outputPath) {
    ConsoleCapture capture(kCaptureLimit);
    {
      PortSession session(port_, reporter_);
      if (!session.Open(settings_.port)) return false;
      session.Configure();
      session.Purge();
      if (WakeConsole(session) && TypeDumpCommand(session)) Receive(session, capture);
    }
    // The receiver waits for "go" whatever came of the printout, a cancel
    // included; a list that ended early is never kept, so it cannot be sent
    // back by mistake.
    const bool wentOn = SendGo();
    if (Cancelled()) return false;
    const std::string text = capture.Complete() ? FilterConsoleCapture(capture.Bytes()) : std::string();
    if (!capture.Complete() || text.compare(0, kListStart.size(), kListStart) != 0) {
      return Fail("ERROR: Uploading is not complete. try again");
    }
    if (!wentOn) return false;
    if (ReplaceFile(outputPath, text, std::nullopt) != SaveResult::Saved) {
      return Fail(FormatText("Fail to open output file %s\n", outputPath.c_str()));
    }
    reporter_.Message("Uploading SUCESS");
    return true;
  }

 private:
  // CR LF and ESC NUL in turn, seven times, wake the console; false on a cancel.
  bool WakeConsole(PortSession& session) {
    for (int i = 0; i < 7; ++i) {
      if (!Pause(1)) return false;
      session.Write(i % 2 == 0 ? std::string_view("\r\n") : std::string_view("\x1B\0", 2));
    }
    return true;
  }

  // One key at a time, as a user types; false on a cancel.
  bool TypeDumpCommand(PortSession& session) {
    if (!Pause(2)) return false;
    for (char key : std::string_view("dumpch")) {
      session.Write(std::string_view(&key, 1));
      if (!Pause(1)) return false;
    }
    session.Write("\r\n");
    if (!Pause(1)) return false;
    session.Write("\r\n");
    return Pause(1);
  }

  // Captures the printout up to "[END]"; it stays incomplete when it ended
  // before (silence, hang-up, a flood) or the user cancelled.
  void Receive(PortSession& session, ConsoleCapture& capture) {
    int emptyReads = 0;
    std::size_t activity = 0;
    while (capture.Room() > 0) {
      const std::string chunk = session.Read(std::min(kReadChunk, capture.Room()), settings_.consoleWait);
      if (Cancelled()) return;
      if (chunk.empty()) {
        if (++emptyReads > kEmptyReadLimit) return;
        continue;
      }
      if (capture.Add(chunk)) return;
      ShowActivity(activity, chunk.size());
    }
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

  // The receiver's console waits for "go" in a port cycle of its own. After
  // a cancel the port writes only what the line takes at once, so this stays
  // short whatever the line does.
  bool SendGo() {
    // The console sees the port closed before it is opened again.
    std::this_thread::sleep_for(settings_.consolePause);
    PortSession session(port_, reporter_);
    if (!session.Open(settings_.port)) return false;
    session.Configure();
    session.Purge();
    session.Write("go\r\n");
    return true;
  }

  // A pause between keys, cut short by a cancel: false then.
  bool Pause(int steps) {
    const auto until = std::chrono::steady_clock::now() + settings_.consolePause * steps;
    while (!Cancelled()) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= until) return true;
      std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(until - now, kCancelCheck));
    }
    return false;
  }

  bool Cancelled() {
    if (settings_.cancel == nullptr || !settings_.cancel->load()) return false;
    if (!cancelReported_) reporter_.Message(std::string(kTransferCancelled));
    cancelReported_ = true;
    return true;
  }

  bool Fail(const std::string& message) {
    reporter_.Message(message);
    return false;
  }

  SerialPort& port_;
  const TransferSettings& settings_;
  Reporter& reporter_;
  bool cancelReported_ = false;
};

}  // namespace

std::optional<std::string> UploadFilePath() { return UserCacheFile("Velkupload.txt"); }

bool UploadChannelList(SerialPort& port, const std::string& outputPath, const TransferSettings& settings,
                       Reporter& reporter) {
  return Uploader(port, settings, reporter).Run(outputPath);
}

}  // namespace chanora
