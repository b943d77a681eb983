#include "cli/commands.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>

#include "editor/list_view_model.h"
#include "editor/sorting.h"
#include "base/file_io.h"
#include "engine/list_engine.h"
#include "base/reporter.h"
#include "serial/channel_upload.h"
#include "serial/comm.h"
#include "serial/flash_download.h"

namespace chanora {
namespace {

// --max-satellites accepts 32 or 40; anything else is a usage error (0).
int MaxSatellites(const ParsedArguments& args) {
  auto value = args.Value("--max-satellites");
  if (!value || *value == "32") return 32;
  if (*value == "40") return 40;
  std::fprintf(stderr, "chanora-cli: --max-satellites takes 32 or 40, not '%s'\n", value->c_str());
  return 0;
}

void PrintAccepted(const ListEngine& engine) {
  static constexpr const char* kTitles[] = {"",           "satellite names", "satellites",   "digital TPs",
                                            "analog TPs", "digital channels", "PID channels"};
  static constexpr SectionKind kShown[] = {SectionKind::SatName, SectionKind::Satellite, SectionKind::Digital, SectionKind::Channel, SectionKind::ChannelPid, SectionKind::Analog};
  for (SectionKind kind : kShown) {
    std::printf("  %-18s %6d\n", kTitles[static_cast<int>(kind)], engine.recordsAccepted[kind]);
  }
  if (engine.recordsSkipped > 0) {
    std::printf("  %-18s %6d\n", "passed over", engine.recordsSkipped);
    std::printf("  (records of blank or undefined satellites)\n");
  }
}

int MissingPort(const char* command) {
  std::fprintf(stderr, "chanora-cli: %s: --port PORT is required (1 to 4, COM1 to COM4, or a device path)\n", command);
  return kExitUsage;
}

int RunCheck(const ParsedArguments& args, Reporter& reporter) {
  const int maxSatellites = MaxSatellites(args);
  if (maxSatellites == 0) return kExitUsage;
  ListEngine engine(args.positionals[0], reporter, maxSatellites);
  engine.checkOnly = true;
  const bool passed = engine.Compile(CompileMode::Basic) != 0;
  engine.checkOnly = false;
  if (!passed) return kExitFailure;
  std::printf("%s: every record passed the checks (%d satellite names)\n", engine.path.c_str(), maxSatellites);
  PrintAccepted(engine);
  return kExitSuccess;
}

int RunFormat(const ParsedArguments& args, Reporter& reporter) {
  const int maxSatellites = MaxSatellites(args);
  if (maxSatellites == 0) return kExitUsage;
  ListEngine engine(args.positionals[0], reporter, maxSatellites);
  LineList list;
  if (!engine.ReadFormattedText(list)) return kExitFailure;
  if (auto out = args.Value("-o")) engine.path = *out;
  if (!engine.WriteFormattedText(list)) {
    reporter.Message("ERROR!!! Saving not Complete");
    return kExitFailure;
  }
  if (engine.recordsDropped) std::printf("null digital channels were dropped\n");
  std::printf("%s written\n", engine.path.c_str());
  return kExitSuccess;
}

int RunSort(const ParsedArguments& args, Reporter& reporter) {
  const std::optional<std::string> by = args.Value("--by");
  SortMode mode;
  if (by == "name") {
    mode = SortMode::Name;
  } else if (by == "frequency") {
    mode = SortMode::Frequency;
  } else if (by == "bouquet") {
    mode = SortMode::Bouquet;
  } else {
    std::fprintf(stderr, "chanora-cli: sort: --by takes name, frequency or bouquet\n");
    return kExitUsage;
  }
  const int maxSatellites = MaxSatellites(args);
  if (maxSatellites == 0) return kExitUsage;
  ListEngine engine(args.positionals[0], reporter, maxSatellites);
  LineList list;
  if (!engine.ReadFormattedText(list)) return kExitFailure;
  ListViewModel model;
  model.Reset(std::move(list));
  SortChannels(model, mode);
  if (auto out = args.Value("-o")) engine.path = *out;
  if (!engine.WriteFormattedText(model.List())) {
    reporter.Message("ERROR!!! Saving not Complete");
    return kExitFailure;
  }
  if (engine.recordsDropped) std::printf("null digital channels were dropped\n");
  std::printf("%s written\n", engine.path.c_str());
  return kExitSuccess;
}

int RunCompile(const ParsedArguments& args, Reporter& reporter) {
  const int maxSatellites = MaxSatellites(args);
  if (maxSatellites == 0) return kExitUsage;
  if (args.Has("--split") && !args.Has("--preinstalled")) {
    std::fprintf(stderr, "chanora-cli: compile: --split goes with --preinstalled\n");
    return kExitUsage;
  }
  ListEngine engine(args.positionals[0], reporter, maxSatellites);
  if (args.Has("--preinstalled")) {
    engine.splitOption = args.Has("--split");
    if (!engine.CompilePreInstalled()) return kExitFailure;
  } else {
    if (!engine.Compile(CompileMode::Basic)) {
      reporter.Message("Making a HEX file is failed!");
      return kExitFailure;
    }
    if (!engine.ConvertToPackets()) {
      reporter.Message("Making a BIN file is failed!");
      return kExitFailure;
    }
  }
  return kExitSuccess;
}

int RunConvert(const ParsedArguments& args, Reporter& reporter) {
  // The engine names its hex and packet files after a list; a hex file
  // stands for the list of the same name.
  auto listPath = DerivedPath(args.positionals[0], ".txt", ".hex");
  if (!listPath) {
    std::fprintf(stderr, "chanora-cli: convert: the file must end in .hex\n");
    return kExitUsage;
  }
  ListEngine engine(*listPath, reporter);
  if (!engine.ConvertToPackets()) {
    reporter.Message("Making a BIN file is failed!");
    return kExitFailure;
  }
  return kExitSuccess;
}

// Ctrl-C abandons a transfer cleanly: the port is closed and the user told.
std::atomic<bool> cancelRequested{false};

void RequestCancel(int) { cancelRequested = true; }

TransferSettings SettingsFor(const ParsedArguments& args) {
  std::signal(SIGINT, RequestCancel);
  TransferSettings settings;
  settings.port = *args.Value("--port");
  settings.cancel = &cancelRequested;
  return settings;
}

int RunDownload(const ParsedArguments& args, Reporter& reporter) {
  if (!args.Value("--port")) return MissingPort("download");
  if (!FlashDownload(args.positionals[0], SettingsFor(args), reporter)) {
    reporter.Message("Downloading to FLASH Memory is failed!");
    return kExitFailure;
  }
  return kExitSuccess;
}

int RunUpload(const ParsedArguments& args, Reporter& reporter) {
  if (!args.Value("--port")) return MissingPort("upload");
  std::optional<std::string> output = args.Value("-o");
  if (!output) output = UploadFilePath();
  if (!output) {
    std::fprintf(stderr, "chanora-cli: upload: no folder of your own for the upload file (see HOME and XDG_CACHE_HOME); give -o OUT.txt\n");
    return kExitFailure;
  }
  if (!UploadChannelList(*output, SettingsFor(args), reporter)) return kExitFailure;
  std::printf("%s written\n", output->c_str());
  // The captured list must open as any list does.
  ListEngine engine(*output, reporter);
  LineList list;
  return engine.ReadFormattedText(list) ? kExitSuccess : kExitFailure;
}

int RunPorts(const ParsedArguments&, Reporter&) {
  const std::vector<std::string> devices = SystemSerialDevices();
  for (const std::string& device : devices) {
    std::string name;
    for (const char* port : {"COM1", "COM2", "COM3", "COM4"}) {
      if (DeviceOfPort(port) == device) name = port;
    }
    std::printf("%-6s %s\n", name.c_str(), device.c_str());
  }
  if (devices.empty()) std::printf("no serial ports found\n");
  return kExitSuccess;
}

}  // namespace

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {{"check", "check LIST.txt [--max-satellites 32|40]",
        "Runs the record checks over the channel list and writes nothing. The first\n"
        "bad record is reported with its line number; a good list is summed up.",
        1, {"--max-satellites"}, {}},
       RunCheck},
      {{"format", "format LIST.txt [-o OUT.txt] [--max-satellites 32|40]",
        "Loads the channel list as the editor does (checks, null digital channels\n"
        "dropped, missing sections completed) and writes it in fixed columns, to\n"
        "OUT.txt or back over LIST.txt; the previous file is kept as .bak.",
        1, {"-o", "--max-satellites"}, {}},
       RunFormat},
      {{"sort", "sort LIST.txt --by name|frequency|bouquet [-o OUT.txt] [--max-satellites 32|40]",
        "Loads the channel list as format does and sorts the digital, PID and analog\n"
        "channels each by satellite, TV before radio, then by name, by the TP's\n"
        "frequency or by the TP's bouquet (analog channels by their own frequency),\n"
        "and by name last; renumbers them and writes the list to OUT.txt or back over\n"
        "LIST.txt, the previous file kept as .bak.",
        1, {"--by", "-o", "--max-satellites"}, {}},
       RunSort},
      {{"compile", "compile LIST.txt [--preinstalled [--split]] [--max-satellites 32|40]",
        "Compiles the channel list into the receiver's channel image: LIST.hex (hex\n"
        "text) and LIST.bin (packet file) beside the list, which is not changed.\n"
        "Without options the Basic image; --preinstalled writes the Normal image\n"
        "followed by the Basic image, and --split numbers the analog services apart.",
        1, {"--max-satellites"}, {"--preinstalled", "--split"}},
       RunCompile},
      {{"convert", "convert FILE.hex",
        "Cuts a hex text into the packet file FILE.bin that the receiver's loader takes.", 1, {}, {}},
       RunConvert},
      {{"download", "download --port PORT FILE.bin",
        "Sends a packet file into the receiver's flash over the serial line. Start it,\n"
        "then switch the receiver off and on: its loader asks for the download.\n"
        "PORT is 1 to 4 (COM1 to COM4, the first four serial ports) or a device path\n"
        "such as /dev/ttyUSB0. Ctrl-C abandons the transfer.",
        1, {"--port"}, {}},
       RunDownload},
      {{"upload", "upload --port PORT [-o OUT.txt]",
        "Fetches the channel list that the receiver holds through its console, when\n"
        "the receiver shows ___1, and checks that it opens as a list. The list goes to\n"
        "OUT.txt, or to the upload file in the user's cache folder.",
        0, {"--port", "-o"}, {}},
       RunUpload},
      {{"ports", "ports", "Lists the serial devices present, with the COM names of the first four.", 0, {}, {}},
       RunPorts},
  };
  return commands;
}

}  // namespace chanora
