#include "cli/commands.h"

#include <atomic>
#include <csignal>
#include <functional>
#include <cstdio>
#include <string>

#include "base/file_io.h"
#include "base/reporter.h"
#include "base/text_conversion.h"
#include "document/document.h"
#include "document/list_tools.h"
#include "document/options.h"
#include "document/settings.h"
#include "editor/list_view_model.h"
#include "editor/sorting.h"
#include "engine/list_engine.h"
#include "listmatch/export.h"
#include "listmatch/list_compare.h"
#include "listmatch/reorder_like.h"
#include "serial/channel_upload.h"
#include "serial/serial_port.h"

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

void PrintAccepted(const CheckSummary& summary) {
  static constexpr const char* kTitles[] = {"",           "satellite names",  "satellites",  "digital TPs",
                                            "analog TPs", "digital channels", "PID channels"};
  static constexpr SectionKind kShown[] = {SectionKind::SatName, SectionKind::Satellite,  SectionKind::Digital,
                                           SectionKind::Channel, SectionKind::ChannelPid, SectionKind::Analog};
  for (SectionKind kind : kShown) {
    std::printf("  %-18s %6d\n", kTitles[static_cast<int>(kind)], summary.accepted[kind]);
  }
  if (summary.skipped > 0) {
    std::printf("  %-18s %6d\n", "passed over", summary.skipped);
    std::printf("  (records of blank or undefined satellites)\n");
  }
}

int MissingPort(const char* command) {
  std::fprintf(stderr, "chanora-cli: %s: --port PORT is required (1 to 4, COM1 to COM4, or a device path)\n", command);
  return kExitUsage;
}

int RunCheckAll(const std::string& path, int maxSatellites, Reporter& reporter) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    reporter.Message(FormatText("Can't open Input file : %s\n", path.c_str()));
    return kExitFailure;
  }
  const std::vector<CheckProblem> problems = FindAllProblems(*bytes, maxSatellites, reporter);
  std::fputs(ProblemsText(problems, path).c_str(), stdout);
  std::printf("%zu problem%s\n", problems.size(), problems.size() == 1 ? "" : "s");
  return problems.empty() ? kExitSuccess : kExitFailure;
}

int RunCheck(const ParsedArguments& args, Reporter& reporter) {
  const int maxSatellites = MaxSatellites(args);
  if (maxSatellites == 0) return kExitUsage;
  const std::string& path = args.positionals[0];
  if (args.Has("--all")) return RunCheckAll(path, maxSatellites, reporter);
  const std::optional<CheckSummary> summary = ListEngine(reporter).Check(path, maxSatellites);
  if (!summary) return kExitFailure;
  std::printf("%s: every record passed the checks (%d satellite names)\n", path.c_str(), maxSatellites);
  PrintAccepted(*summary);
  return kExitSuccess;
}

int RunFormat(const ParsedArguments& args, Reporter& reporter) {
  const int maxSatellites = MaxSatellites(args);
  if (maxSatellites == 0) return kExitUsage;
  ListEngine engine(reporter);
  const std::optional<LoadedList> loaded = engine.Load(args.positionals[0], maxSatellites);
  if (!loaded) return kExitFailure;
  const std::string path = args.Value("-o").value_or(args.positionals[0]);
  if (!engine.Save(path, loaded->list)) {
    reporter.Message("ERROR!!! Saving not Complete");
    return kExitFailure;
  }
  if (loaded->nullChannelsDropped) std::printf("null digital channels were dropped\n");
  std::printf("%s written\n", path.c_str());
  return kExitSuccess;
}

// Loads LIST.txt as the editor does, lets `edit` change it, and writes it to
// OUT.txt or back over LIST.txt. `edit` gives a line to print before the
// list is named written, or nothing when it failed (and said why).
int EditAndWrite(const ParsedArguments& args, Reporter& reporter,
                 const std::function<std::optional<std::string>(ListViewModel&, int maxSatellites)>& edit) {
  const int maxSatellites = MaxSatellites(args);
  if (maxSatellites == 0) return kExitUsage;
  ListEngine engine(reporter);
  auto loaded = engine.Load(args.positionals[0], maxSatellites);
  if (!loaded) return kExitFailure;
  ListViewModel model;
  model.Reset(std::move(loaded->list));
  const std::optional<std::string> report = edit(model, maxSatellites);
  if (!report) return kExitFailure;
  const std::string path = args.Value("-o").value_or(args.positionals[0]);
  if (!engine.Save(path, model.List())) {
    reporter.Message("ERROR!!! Saving not Complete");
    return kExitFailure;
  }
  if (loaded->nullChannelsDropped) std::printf("null digital channels were dropped\n");
  std::printf("%s%s written\n", report->c_str(), path.c_str());
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
  return EditAndWrite(args, reporter, [mode](ListViewModel& model, int) {
    SortChannels(model, mode);
    return std::optional<std::string>("");
  });
}

// A list for comparing, or nothing when it cannot be read or fails the checks
// (its first problem already shown).
std::optional<LineList> LoadForComparing(const std::string& path, int maxSatellites, Reporter& reporter) {
  std::optional<LoadedList> loaded = ListEngine(reporter).Load(path, maxSatellites);
  if (!loaded) return std::nullopt;
  return std::move(loaded->list);
}

void PrintDifference(const Difference& d) {
  const std::string kind(ItemKindName(d.kind));
  switch (d.type) {
    case ChangeType::Added:
      std::printf("added    %s %zu %s\n", kind.c_str(), d.positionB, d.label.c_str());
      break;
    case ChangeType::Removed:
      std::printf("removed  %s %zu %s\n", kind.c_str(), d.positionA, d.label.c_str());
      break;
    case ChangeType::Moved:
      std::printf("moved    %s %s %s\n", kind.c_str(), d.label.c_str(), ChangeDetail(d).c_str());
      break;
    case ChangeType::Changed:
      std::printf("changed  %s %zu %s: %s\n", kind.c_str(), d.positionB, d.label.c_str(), ChangeDetail(d).c_str());
      break;
  }
}

void PrintDifferenceCounts(const ListComparison& comparison, const std::string& pathA, const std::string& pathB) {
  for (ItemKind kind : kAllItemKinds) {
    std::size_t counts[4] = {};
    for (const Difference& d : comparison.differences) {
      if (d.kind == kind) ++counts[static_cast<int>(d.type)];
    }
    std::printf("%-16s %5zu added %5zu removed %5zu changed %5zu moved\n", (std::string(ItemKindName(kind)) + "s").c_str(),
                counts[0], counts[1], counts[2], counts[3]);
  }
  std::printf("repeated identities: %zu in %s, %zu in %s\n", comparison.repeatedInA, pathA.c_str(),
              comparison.repeatedInB, pathB.c_str());
}

// Status 2 for a list that cannot be compared, as for a usage error: 1
// would say the lists differ.
int RunDiff(const ParsedArguments& args, Reporter& reporter) {
  const int maxSatellites = MaxSatellites(args);
  if (maxSatellites == 0) return kExitUsage;
  const std::string& pathA = args.positionals[0];
  const std::string& pathB = args.positionals[1];
  const std::optional<LineList> a = LoadForComparing(pathA, maxSatellites, reporter);
  const std::optional<LineList> b = a ? LoadForComparing(pathB, maxSatellites, reporter) : std::nullopt;
  if (!b) return kExitUsage;
  const ListComparison comparison = CompareLists(*a, *b);
  if (!args.Has("--brief")) {
    for (const Difference& d : comparison.differences) PrintDifference(d);
  }
  PrintDifferenceCounts(comparison, pathA, pathB);
  std::printf(comparison.Same() ? "the lists are the same\n" : "the lists differ\n");
  return comparison.Same() ? kExitSuccess : kExitFailure;
}

int RunReorder(const ParsedArguments& args, Reporter& reporter) {
  const std::optional<std::string> referencePath = args.Value("--like");
  if (!referencePath) {
    std::fprintf(stderr, "chanora-cli: reorder: --like REF.txt is required\n");
    return kExitUsage;
  }
  return EditAndWrite(args, reporter, [&](ListViewModel& model, int maxSatellites) -> std::optional<std::string> {
    const std::optional<LineList> reference = LoadForComparing(*referencePath, maxSatellites, reporter);
    if (!reference) return std::nullopt;
    const std::size_t matched = OrderLikeReference(model, *reference);
    return FormatText("%zu of %zu channels matched the reference\n", matched, ChannelCount(model));
  });
}

int RunExport(const ParsedArguments& args, Reporter& reporter) {
  const std::optional<ExportView> view = ExportViewNamed(args.Value("--view").value_or(""));
  if (!view) {
    std::fprintf(stderr, "chanora-cli: export: --view takes digital, analog, satellites, tps, pids or names\n");
    return kExitUsage;
  }
  const std::string formatName = args.Value("--format").value_or("csv");
  if (formatName != "csv" && formatName != "json") {
    std::fprintf(stderr, "chanora-cli: export: --format takes csv or json\n");
    return kExitUsage;
  }
  const int maxSatellites = MaxSatellites(args);
  if (maxSatellites == 0) return kExitUsage;
  std::optional<LoadedList> loaded = ListEngine(reporter).Load(args.positionals[0], maxSatellites);
  if (!loaded) return kExitFailure;
  ListViewModel model;
  model.Reset(std::move(loaded->list));
  model.shownSection = view->section;
  model.showDigital = view->digital;
  const std::string text =
      FormatTable(ShownTable(model), formatName == "json" ? ExportFormat::Json : ExportFormat::Csv);
  const std::optional<std::string> output = args.Value("-o");
  if (!output) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kExitSuccess;
  }
  if (ReplaceFile(*output, text, std::nullopt) != SaveResult::Saved) {
    std::fprintf(stderr, "chanora-cli: export: cannot write %s\n", output->c_str());
    return kExitFailure;
  }
  std::printf("%s written\n", output->c_str());
  return kExitSuccess;
}

int RunCompile(const ParsedArguments& args, Reporter& reporter) {
  const int maxSatellites = MaxSatellites(args);
  if (maxSatellites == 0) return kExitUsage;
  if (args.Has("--split") && !args.Has("--preinstalled")) {
    std::fprintf(stderr, "chanora-cli: compile: --split goes with --preinstalled\n");
    return kExitUsage;
  }
  const std::string& listPath = args.positionals[0];
  const CompileOptions options{maxSatellites, args.Has("--preinstalled"), args.Has("--split")};
  ListEngine engine(reporter);
  if (options.preInstalled) {
    if (!engine.CompileFile(listPath, options)) return kExitFailure;
  } else {
    if (!engine.CompileFile(listPath, options)) {
      reporter.Message("Making a HEX file is failed!");
      return kExitFailure;
    }
    if (!engine.ConvertToPackets(listPath)) {
      reporter.Message("Making a BIN file is failed!");
      return kExitFailure;
    }
  }
  return kExitSuccess;
}

int RunConvert(const ParsedArguments& args, Reporter& reporter) {
  const std::string& hexPath = args.positionals[0];
  auto binPath = DerivedPath(hexPath, ".bin", ".hex");
  if (!binPath) {
    std::fprintf(stderr, "chanora-cli: convert: the file must end in .hex\n");
    return kExitUsage;
  }
  if (!ListEngine(reporter).ConvertHexFile(hexPath, *binPath)) {
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

// The document's Download Others, with the file named in place of its dialog.
int RunDownload(const ParsedArguments& args, Reporter& reporter) {
  if (!args.Value("--port")) return MissingPort("download");
  const TransferSettings settings = SettingsFor(args);
  MemorySettings options;
  StoreOptions(options, {32, settings.port});
  Document document(options, reporter);
  auto named = [&args](const FileDialogRequest&) { return std::optional<std::string>(args.positionals[0]); };
  if (!document.DownloadOthers(named, *MakeSystemSerialPort(settings.cancel), settings)) {
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
    std::fprintf(stderr, "chanora-cli: upload: no folder of your own for the upload file (see %s); give -o OUT.txt\n",
                 std::string(UserCacheVariables()).c_str());
    return kExitFailure;
  }
  const TransferSettings settings = SettingsFor(args);
  if (!UploadChannelList(*MakeSystemSerialPort(settings.cancel), *output, settings, reporter)) return kExitFailure;
  std::printf("%s written\n", output->c_str());
  // The captured list must open as any list does.
  return ListEngine(reporter).Load(*output, 32) ? kExitSuccess : kExitFailure;
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
      {{"check",
        "check LIST.txt [--all] [--max-satellites 32|40]",
        "Runs the record checks over the channel list and writes nothing. The first\n"
        "bad record is reported with its line number; a good list is summed up.\n"
        "--all lists every problem, one a line as LIST.txt:LINE: message, then their\n"
        "count: a bad record is set aside and the records after it are checked as\n"
        "if it were absent. A line that leaves the rest unreadable (an open quote, a\n"
        "section twice, a wrong count of satellite names) ends the list.",
        1,
        {"--max-satellites"},
        {"--all"}},
       RunCheck},
      {{"format",
        "format LIST.txt [-o OUT.txt] [--max-satellites 32|40]",
        "Loads the channel list as the editor does (checks, null digital channels\n"
        "dropped, missing sections completed) and writes it in fixed columns, to\n"
        "OUT.txt or back over LIST.txt; the previous file is kept as .bak.",
        1,
        {"-o", "--max-satellites"},
        {}},
       RunFormat},
      {{"sort",
        "sort LIST.txt --by name|frequency|bouquet [-o OUT.txt] [--max-satellites 32|40]",
        "Loads the channel list as format does and sorts the digital, PID and analog\n"
        "channels each by satellite, TV before radio, then by name, by the TP's\n"
        "frequency or by the TP's bouquet (analog channels by their own frequency),\n"
        "and by name last; renumbers them and writes the list to OUT.txt or back over\n"
        "LIST.txt, the previous file kept as .bak.",
        1,
        {"--by", "-o", "--max-satellites"},
        {}},
       RunSort},
      {{"diff",
        "diff A.txt B.txt [--brief] [--max-satellites 32|40]",
        "Compares two channel lists: satellites, TPs and channels added, removed,\n"
        "changed (with the fields) and moved. Channels are matched by what identifies\n"
        "them on air (satellite, TP frequency and polarization, service id; PID\n"
        "channels by their PIDs; analog channels by satellite, frequency and name),\n"
        "not by their index; repeated identities are matched in order and counted.\n"
        "--brief gives the counts only. Exit status: 0 the same, 1 they differ, 2 a\n"
        "usage error or a list that fails the checks.",
        2,
        {"--max-satellites"},
        {"--brief"}},
       RunDiff},
      {{"reorder",
        "reorder LIST.txt --like REF.txt [-o OUT.txt] [--max-satellites 32|40]",
        "Puts the channels that REF.txt also has (matched as diff matches them, then\n"
        "by satellite and name) first, in REF.txt's order, each section within\n"
        "itself; the others follow in their present order. Renumbers them and writes\n"
        "the list as format does, to OUT.txt or back over LIST.txt.",
        1,
        {"--like", "-o", "--max-satellites"},
        {}},
       RunReorder},
      {{"export",
        "export LIST.txt --view digital|analog|satellites|tps|pids|names [--format csv|json] [-o OUT] [--max-satellites 32|40]",
        "Writes the rows of one of the window's lists with the columns it shows: CSV\n"
        "with a header row (the default) or JSON, an array of objects keyed by column\n"
        "title; UTF-8, to OUT or stdout. The list is loaded as format loads it and\n"
        "is not changed.",
        1,
        {"--view", "--format", "-o", "--max-satellites"},
        {}},
       RunExport},
      {{"compile",
        "compile LIST.txt [--preinstalled [--split]] [--max-satellites 32|40]",
        "Compiles the channel list into the receiver's channel image: LIST.hex (hex\n"
        "text) and LIST.bin (packet file) beside the list, which is not changed.\n"
        "Without options the Basic image; --preinstalled writes the Normal image\n"
        "followed by the Basic image, and --split numbers the analog services apart.",
        1,
        {"--max-satellites"},
        {"--preinstalled", "--split"}},
       RunCompile},
      {{"convert",
        "convert FILE.hex",
        "Cuts a hex text into the packet file FILE.bin that the receiver's loader takes.",
        1,
        {},
        {}},
       RunConvert},
      {{"download",
        "download --port PORT FILE.bin",
        "Sends a packet file into the receiver's flash over the serial line. Start it,\n"
        "then switch the receiver off and on: its loader asks for the download.\n"
        "PORT is 1 to 4 (COM1 to COM4, the first four serial ports) or a device path\n"
        "such as /dev/ttyUSB0. A hex text (FILE.hex) is first cut into the packet\n"
        "file FILE.bin beside it. Ctrl-C abandons the transfer.",
        1,
        {"--port"},
        {}},
       RunDownload},
      {{"upload",
        "upload --port PORT [-o OUT.txt]",
        "Fetches the channel list that the receiver holds through its console, when\n"
        "the receiver shows ___1, and checks that it opens as a list. The list goes to\n"
        "OUT.txt, or to the upload file in the user's cache folder.",
        0,
        {"--port", "-o"},
        {}},
       RunUpload},
      {{"ports", "ports", "Lists the serial devices present, with the COM names of the first four.", 0, {}, {}},
       RunPorts},
  };
  return commands;
}

}  // namespace chanora
