// A receiver to try the transfers against by hand: point the PC side at the
// device path it prints. Serves one session after another until Ctrl-C.

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/simulated_receiver.h"

namespace {

using namespace chanora::testing;
using namespace std::chrono_literals;

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) { interrupted = 1; }

int Usage() {
  std::cerr << "usage: chanora-receiver-sim download [--pace] [--per] [--silent] [--fault STEP:N:KIND]...\n"
               "       chanora-receiver-sim upload [--list LIST.txt] [--pace] [--no-echo] [--omit-end]\n"
               "                 [--silence-after BYTES] [--hang-up-after BYTES] [--flood BYTES] [--long-line BYTES]\n"
               "  STEP: request, connect-confirm, header-ack, descriptor-ack, packet-ack, dis-ack, verdict\n"
               "  N:    which time that reply is due, from 1; 0 for every time\n"
               "  KIND: nak, drop, garble, slow, hangup, junk\n"
               "  BYTES count the list as printed, from its first \"||\" on\n";
  return 2;
}

std::string Key(std::string text) {
  std::erase_if(text, [](char c) { return c == '-' || c == '_'; });
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

bool ParseCount(const char* text, long& count) {
  char* end = nullptr;
  count = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && count >= 0;
}

bool ParseFault(const std::string& text, Fault& fault) {
  const std::size_t first = text.find(':');
  const std::size_t second = text.find(':', first == std::string::npos ? 0 : first + 1);
  if (first == std::string::npos || second == std::string::npos) return false;
  static const std::vector<std::pair<std::string, LoaderStep>> kSteps = {
      {"request", LoaderStep::Request},     {"connectconfirm", LoaderStep::ConnectConfirm},
      {"headerack", LoaderStep::HeaderAck}, {"descriptorack", LoaderStep::DescriptorAck},
      {"packetack", LoaderStep::PacketAck}, {"disack", LoaderStep::DisAck},
      {"verdict", LoaderStep::Verdict}};
  static const std::vector<std::pair<std::string, FaultKind>> kKinds = {
      {"nak", FaultKind::Nak},   {"drop", FaultKind::Drop},     {"garble", FaultKind::Garble},
      {"slow", FaultKind::Slow}, {"hangup", FaultKind::HangUp}, {"junk", FaultKind::Junk}};
  const std::string step = Key(text.substr(0, first));
  const std::string kind = Key(text.substr(second + 1));
  const auto s = std::find_if(kSteps.begin(), kSteps.end(), [&](const auto& p) { return p.first == step; });
  const auto k = std::find_if(kKinds.begin(), kKinds.end(), [&](const auto& p) { return p.first == kind; });
  const std::string count = text.substr(first + 1, second - first - 1);
  if (s == kSteps.end() || k == kKinds.end() || count.empty() ||
      !std::all_of(count.begin(), count.end(), [](unsigned char c) { return std::isdigit(c); }))
    return false;
  fault = Fault{s->second, std::stoi(count), k->second};
  return true;
}

// The receiver prints its database from the first section on; blank lines at
// the top of a list file are not part of it.
std::string ListFromFile(const std::string& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ok = in.good() || in.eof();
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string::npos) return "";
  return text.substr(text.rfind('\n', start) == std::string::npos ? 0 : text.rfind('\n', start) + 1);
}

std::mutex printing;

void Say(const std::string& text) {
  std::lock_guard lock(printing);
  std::cout << text << std::endl;
}

// Runs the started session until it ends or the user interrupts; false on interruption.
bool Serve(SimulatedReceiver& receiver) {
  while (receiver.Running()) {
    if (interrupted) {
      receiver.Stop();
      return false;
    }
    std::this_thread::sleep_for(100ms);
  }
  return true;
}

void PrintLoaderReport(const LoaderReport& report) {
  std::size_t bytes = 0;
  for (const std::string& packet : report.packets) bytes += packet.size() - 16;
  Say(std::string("Download ended: ") + (report.connected ? "connected" : "not connected") + ", " +
      std::to_string(report.packets.size()) + " packets (" + std::to_string(bytes) + " data bytes), " +
      (report.disReceived ? "DIS received" : "no DIS") + ", " + (report.verdictSent ? "verdict sent" : "no verdict"));
  Say("  the PC sent: " + report.framesFromPc);
  for (const std::string& problem : report.problems) Say("  problem: " + problem);
}

void PrintConsoleReport(const ConsoleReport& report) {
  Say(std::string("Upload ended: ") + (report.woke ? "woken" : "never woken") + ", " +
      (report.commandReceived ? "dumpch typed" : "no dumpch") + ", " +
      (report.goReceived ? "\"go\" received" : "no \"go\"") + ", port opened " + std::to_string(report.portOpens) +
      " times");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string mode = argv[1];
  if (mode != "download" && mode != "upload") return Usage();
  LoaderOptions loader;
  ConsoleOptions console;
  std::string listPath = std::string(CHANORA_SOURCE_DIR) + "/examples/demo.txt";
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--pace") {
      loader.paceAtLineRate = console.paceAtLineRate = true;
    } else if (arg == "--per" && mode == "download") {
      loader.verdictOk = false;
    } else if (arg == "--silent" && mode == "download") {
      loader.silent = true;
    } else if (arg == "--fault" && mode == "download" && i + 1 < argc) {
      Fault fault{LoaderStep::Request, 1, FaultKind::Nak};
      if (!ParseFault(argv[++i], fault)) return Usage();
      loader.faults.push_back(fault);
    } else if (arg == "--list" && mode == "upload" && i + 1 < argc) {
      listPath = argv[++i];
    } else if (arg == "--no-echo" && mode == "upload") {
      console.echoCommand = false;
    } else if (arg == "--omit-end" && mode == "upload") {
      console.omitEnd = true;
    } else if (mode == "upload" && i + 1 < argc &&
               (arg == "--silence-after" || arg == "--hang-up-after" || arg == "--flood" || arg == "--long-line")) {
      long& count = arg == "--silence-after"   ? console.silenceAfterBytes
                    : arg == "--hang-up-after" ? console.hangUpAfterBytes
                    : arg == "--flood"         ? console.floodBytes
                                               : console.longLineBytes;
      if (!ParseCount(argv[++i], count)) return Usage();
    } else {
      return Usage();
    }
  }
  if (mode == "upload") {
    bool ok = false;
    console.listText = ListFromFile(listPath, ok);
    if (!ok || console.listText.empty()) {
      std::cerr << "cannot read a channel list from " << listPath << "\n";
      return 1;
    }
  }
  loader.onEvent = console.onEvent = [](const std::string& event) { Say("  " + event); };

  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  try {
    SimulatedReceiver receiver;
    std::string shown;
    while (!interrupted) {
      if (mode == "download") {
        receiver.StartFlashLoader(loader);
      } else {
        receiver.StartConsole(console);
      }
      if (receiver.DevicePath() != shown) {
        shown = receiver.DevicePath();
        Say("Receiver ready on " + shown);
      }
      Say(mode == "download" ? "Flash loader waiting for the PC to open the port"
                             : "Console waiting for the PC (" + listPath + ")");
      if (!Serve(receiver)) break;
      if (mode == "download") {
        PrintLoaderReport(receiver.WaitLoader(0ms));
      } else {
        PrintConsoleReport(receiver.WaitConsole(0ms));
      }
    }
    Say("Stopped");
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}
