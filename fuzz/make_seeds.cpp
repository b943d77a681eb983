// Writes the seed corpora of the fuzz targets under fuzz/corpus/: the demo
// list, a few small generated lists and hand-made damaged ones, their hex
// texts and packet files, and console printouts of lists.
//   build-fuzz/make_seeds [REPO]     (REPO defaults to the current folder)

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/reporter.h"
#include "compiler/channel_image_builder.h"
#include "compiler/check_pass.h"
#include "packets/packet_conversion.h"
#include "tools/list_generator.h"

namespace chanora {
namespace {

namespace fs = std::filesystem;

class SilentReporter : public Reporter {
 public:
  void Message(const std::string&) override {}
  Answer Ask(const std::string&, const std::string&, Buttons) override { return Answer::No; }
  void AppendLine(const std::string&) override {}
  void SetProgress(int) override {}
};

fs::path root;

void Write(const std::string& target, const std::string& name, std::string_view bytes) {
  const fs::path folder = root / "fuzz" / "corpus" / target;
  fs::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) {
    std::cerr << "make_seeds: no \"" << from << "\" in the base list\n";
    std::exit(1);
  }
  return text.replace(at, from.size(), to);
}

std::optional<std::string> Compile(std::string_view list, CompileMode mode, int maxSatellites = 32) {
  SilentReporter reporter;
  ChannelImageBuilder builder(mode, reporter);
  CheckPass pass(mode, maxSatellites, false, builder, reporter);
  if (!pass.Run(list)) return std::nullopt;
  return builder.HexText();
}

std::string Packets(std::string_view hex) {
  SilentReporter reporter;
  auto packets = ConvertHexToPackets(hex, reporter);
  if (!packets) {
    std::cerr << "make_seeds: a seed hex text did not convert\n";
    std::exit(1);
  }
  return *packets;
}

// The receiver's printout of a list: boot noise, each line behind "||", the
// list's own [END], then the prompt.
std::string Printout(std::string_view list, std::string_view noise = "dumpch\r\n> ") {
  std::string out = "[boot] tuner 0 locked\r\n";
  out += noise;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find("\r\n", start);
    if (end == std::string_view::npos) end = list.size();
    out += "||";
    out += list.substr(start, end - start);
    out += "\r\n";
    start = end + 2;
  }
  out += "\r\n> ";
  return out;
}

// The console target's first byte is its chunk size; 0 stands for 4096.
std::string Chunked(char chunkSize, std::string_view capture) {
  return std::string(1, chunkSize) + std::string(capture);
}

void ListSeeds(const std::string& demo) {
  ListShape small;
  small.satellites = 2;
  small.tps = 3;
  small.channels = 5;
  small.pidChannels = 2;
  small.analogTps = 2;
  const std::string base = GenerateListText(small);

  ListShape forty = small;
  forty.satelliteNames = 40;
  forty.blankSatellite = true;
  forty.satellites = 3;
  forty.seed = 7;

  ListShape names;  // names only, no satellite
  names.seed = 3;

  std::vector<std::pair<std::string, std::string>> lists = {
      {"demo.txt", demo},
      {"small.txt", base},
      {"forty_names_blank_sat.txt", GenerateListText(forty)},
      {"names_only.txt", GenerateListText(names)},
      // Quotes: "" reads as "--", a lone quote closes at its first space,
      // quotes past the second become blanks.
      {"quotes.txt", Replace(Replace(Replace(base, "\"ORION 4\"", "\"\""), "\"ZENITH 1\"", "\"SAT TWO \"x\" Z\""),
                             "\"ORION 4\"        N", "\"ORION 4        N")},
      // Brackets: an unknown header inside a section, text after [END].
      {"brackets.txt", Replace(base, "[DIGITAL TP]\r\n", "[DIGITAL TP]\r\n[UNKNOWN]\r\n[DIGITAL TP\r\n") +
                           "[SATELLITE]\r\n0 AFTER N 10600 9750 0\r\n"},
      {"end_early.txt", Replace(base, "[DIGITAL CHANNEL]", "[END]\r\n[DIGITAL CHANNEL]")},
      {"long_line.txt",
       Replace(base, "[DIGITAL TP]\r\n",
               "[DIGITAL TP]\r\n#" + std::string(497, '-') + "\r\n#" + std::string(520, '=') + "\r\n")},
      {"cr_without_lf.txt", Replace(Replace(base, "\r\n[SATELLITE]", "\r[SATELLITE]"), "[END]\r\n", "[END]")},
      {"lf_only.txt", "\n[SATELLITE_NAME_LIST]\n1 \"A\"\n2 B\n[END]\n"},
      // The older satellite layout: no blank field, the degree after the position.
      {"old_satellite_layout.txt", Replace(base, "\"ORION 4\"        N   ", "\"ORION 4\"   ")},
      {"null_channel.txt", Replace(base, "      247F     TV", "      0        TV")},
      {"sections_out_of_order.txt",
       Replace(Replace(base, "[SATELLITE]", "[SAT_MOVED]"), "[DIGITAL CHANNEL]", "[SATELLITE]\r\n[DIGITAL CHANNEL]")},
      {"no_channel_section.txt", Replace(base, "[DIGITAL CHANNEL]", "[DIGITAL CHANNELS]")},
      {"section_twice.txt", Replace(base, "[END]", "[DIGITAL TP]\r\n[END]")},
      {"tilde_and_hash.txt", Replace(base, "\"ORION 4\"", "ORION~4#x")},
  };
  for (const auto& [name, text] : lists) {
    Write("reader", name, text);
    Write("compile", name, text);
  }
}

std::vector<std::pair<std::string, std::string>> HexSeeds(const std::string& demo) {
  ListShape small;
  small.satellites = 2;
  small.tps = 4;
  small.channels = 6;
  small.pidChannels = 1;
  small.analogTps = 2;
  small.seed = 11;
  const std::string list = GenerateListText(small);
  const std::string demoBasic = *Compile(demo, CompileMode::Basic);
  const std::string line = "7FF20000  00 11 22 33 44 55 66 77   88 99 AA BB CC DD EE FF\n";
  return {
      {"demo_basic.hex", demoBasic},
      {"small_preinstalled.hex", *Compile(list, CompileMode::Normal) + *Compile(list, CompileMode::Basic)},
      {"gaps.hex", line + "7FF20040  01 02\n" + "00001000 0A0B0C\n" + "7FF20010  FF FE\n"},
      {"spellings.hex",
       "\r\n   7ff20000 00112233445566778899aabbccddeeff   \r\n\t\n7FF20010 00\t11\x7F"
       "22\n"},
      {"ff_ends.hex", line + "\xFF" + "garbage that is never read\n"},
      {"long_data_line.hex", "00000000 " + std::string(256, 'A') + "\n"},
      {"address_wrap.hex", "FFFFFFF0 00112233445566778899AABBCCDDEEFF\n00000000 01\n"},
      {"bad_character.hex", line + "7FF20010  0G\n"},
  };
}

void PacketSeeds(const std::vector<std::pair<std::string, std::string>>& hexTexts) {
  for (const auto& [name, hex] : hexTexts) Write("packets", name, hex);
  std::string demoBin;
  for (const auto& [name, hex] : hexTexts) {
    if (name == "bad_character.hex" || name == "long_data_line.hex") continue;
    const std::string bin = Packets(hex);
    if (name == "demo_basic.hex") demoBin = bin;
    Write("packet_file", name.substr(0, name.size() - 4) + ".bin", bin);
  }
  Write("packet_file", "truncated.bin", demoBin.substr(0, demoBin.size() - 7));
  std::string badMark = demoBin;
  badMark[14] = '\x5B';
  Write("packet_file", "bad_packet_mark.bin", badMark);
  std::string huge = demoBin;
  huge.replace(14 + 8, 4, "\x00\x00\xFF\xF0", 4);  // a data length past what the loader buffers
  Write("packet_file", "huge_length.bin", huge);
  Write("packet_file", "header_only.bin", demoBin.substr(0, 14));
  Write("packet_file", "bad_file_mark.bin", "\xAA\x55" + demoBin.substr(2, 40));
}

void ConsoleSeeds(const std::string& demo) {
  ListShape small;
  small.satellites = 1;
  small.tps = 1;
  small.channels = 2;
  small.seed = 5;
  const std::string list = GenerateListText(small);
  const std::string printout = Printout(list);
  Write("console_filter", "small_printout", Chunked(0, printout));
  Write("console_filter", "demo_printout_small_chunks", Chunked(7, Printout(demo)));
  std::string nul = printout;
  for (std::size_t at = 200; at < nul.size(); at += 97) nul[at] = '\0';
  Write("console_filter", "nul_bytes", Chunked(0, nul));
  Write("console_filter", "pipes_everywhere",
        Chunked(3, "|a||b|||c\r\n||x|y||z\r\n|\r\n||[SATELLITE_NAME_LIST]\r\n||[EN||D]\r\n||[END]\r\n"));
  Write("console_filter", "prompt_at_end", Chunked(0, "||[SATELLITE_NAME_LIST]\r\n||1 A\r\n> "));
  Write("console_filter", "prompt_only", Chunked(0, ">"));
  Write("console_filter", "cr_without_lf", Chunked(5, "||abc\r||def\rx\r\n||[END]\r"));
  Write("console_filter", "end_across_chunks",
        Chunked(4,
                "noise\r\n||list\r\n||[E"
                "ND]\r\n> "));
}

}  // namespace
}  // namespace chanora

int main(int argc, char** argv) {
  using namespace chanora;
  root = argc > 1 ? fs::path(argv[1]) : fs::current_path();
  const std::string demo = ReadFile(root / "examples" / "demo.txt");
  if (demo.empty()) {
    std::cerr << "make_seeds: examples/demo.txt not found under " << root << "\n";
    return 1;
  }
  ListSeeds(demo);
  PacketSeeds(HexSeeds(demo));
  ConsoleSeeds(demo);
  return 0;
}
