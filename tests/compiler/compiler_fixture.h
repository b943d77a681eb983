#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "compiler/check_pass.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"

namespace chanora::testing {

// Logs what the check pass hands on: one character per call in `trail`
// (N name table, [ and ] block marks, s t c p a records, F finish).
class RecordingBuilder : public ImageBuilder {
 public:
  bool SatelliteNameTable(const std::vector<std::string>& table) override {
    names = table;
    return Log('N');
  }
  bool BlockStart() override { return Log('['); }
  bool BlockEnd() override { return Log(']'); }
  bool Satellite(const SatelliteRecord& r) override {
    satellites.push_back(r);
    return Log('s');
  }
  bool DigitalTp(const DigitalTpRecord& r) override {
    tps.push_back(r);
    return Log('t');
  }
  bool Channel(const ChannelRecord& r) override {
    channels.push_back(r);
    return Log(r.pid ? 'p' : 'c');
  }
  bool AnalogTp(const AnalogTpRecord& r) override {
    analogs.push_back(r);
    return Log('a');
  }
  bool Finish(const ImageCounts& c) override {
    counts = c;
    return Log('F');
  }

  std::string trail;
  std::vector<std::string> names;
  std::vector<SatelliteRecord> satellites;
  std::vector<DigitalTpRecord> tps;
  std::vector<ChannelRecord> channels;
  std::vector<AnalogTpRecord> analogs;
  ImageCounts counts;

 private:
  bool Log(char call) {
    trail += call;
    return true;
  }
};

struct Pass {
  bool ok = false;
  RecordingReporter reporter;
  RecordingBuilder builder;
  CheckSummary summary;
};

inline Pass RunPass(const std::string& bytes, CompileMode mode, int maxSatellites = 32, bool split = false) {
  Pass pass;
  CheckPass check(mode, maxSatellites, split, pass.builder, pass.reporter);
  pass.ok = check.Run(bytes);
  pass.summary = check.Summary();
  return pass;
}

// The one message of a failed pass, or none; a failed pass never finishes its image.
inline void ExpectFailure(const Pass& pass, const std::string& message) {
  EXPECT_FALSE(pass.ok);
  EXPECT_EQ(pass.reporter.messages, message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
  EXPECT_EQ(pass.builder.trail.find('F'), std::string::npos);
}

// The demo list as lines, edited by line number (from 1) before a pass.
struct ListEdit {
  std::vector<std::string> lines;

  ListEdit() {
    const std::string bytes = DemoListBytes();
    for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2) {
      lines.push_back(bytes.substr(at, end - at));
    }
  }
  ListEdit& Replace(int number, std::string text) {
    lines.at(number - 1) = std::move(text);
    return *this;
  }
  // The new line takes the given number; the old one moves down.
  ListEdit& Insert(int number, std::string text) {
    lines.insert(lines.begin() + (number - 1), std::move(text));
    return *this;
  }
  std::string Bytes() const {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
  }
};

// A compiler message text (copied from the format) with its numbers put in.
template <typename... Numbers>
std::string Msg(const char* format, Numbers... numbers) {
  char text[300];
  std::snprintf(text, sizeof text, format, numbers...);
  return text;
}

// Message texts of more than one check, letter for letter.
inline constexpr const char kBadLine[] = "\n  ERROR : check the following line!!   \n ==> line number %d ";
inline constexpr const char kInvalidState[] = "\n ERROR : INVALID state !!!\n           line number %d ";
inline constexpr const char kFieldCount[] = "\n ERROR : SYNTAX - %d fields requested !!!\n           line number %d ";
inline constexpr const char kNumber[] = "\n ERROR : SYNTAX - number requested !!!\n           line number %d ";
inline constexpr const char kRange[] = "\n ERROR : SYNTAX - %s INDEX must be 0 to %d !!!\n           line number %d ";
inline constexpr const char kNameCount[] = "\n ERROR : SYNTAX - Number of SAT NAME should be %d !!!\nline number %d ";
inline constexpr const char kSatNameLong[] = "\n ERROR : SYNTAX - SAT NAME exceeds %d!!!\n         line number %d ";
inline constexpr const char kIllegal[] = "Satellite Section's information is illegal!!!";
inline constexpr const char kTpSame[] = "\n\n ERROR - same D_TP INDEX already exists.\n           line number %d ";
inline constexpr const char kSvcSame[] = "\n\n ERROR - same SVC INDEX already exists.\n           line number %d ";
inline constexpr const char kTpUnknown[] = "\n\n ERROR - D_TP index.\n           line number %d ";
inline constexpr const char kBlank[] = "\n ERROR : SYNTAX - blank !!! Y or N is OK.\n           line number %d ";
inline constexpr const char kNameLong[] = "\n ERROR : SYNTAX - NAME exceeds %d!!!\n           line number %d ";
inline constexpr const char kSvcTypeLower[] =
    "\n ERROR : SYNTAX - svc type !!! TV or RADIO is OK.\n           line number %d ";

inline constexpr CompileMode kModes[] = {CompileMode::Basic, CompileMode::Normal};
inline const char* ModeName(CompileMode mode) { return mode == CompileMode::Basic ? "Basic" : "Normal"; }

// Record trails of the demo list: 6 satellites, 12 TPs, 27 channels, 3 PID
// channels, 5 analog TPs.
inline std::string DemoTrail(CompileMode mode) {
  const std::string s(6, 's'), t(12, 't'), c(27, 'c'), a(5, 'a');
  if (mode == CompileMode::Basic) return "N[" + s + "][" + t + "][" + c + "][ppp][" + a + "]F";
  return "[" + s + "][" + t + "][" + c + "ppp][" + a + "]F";
}

}  // namespace chanora::testing
