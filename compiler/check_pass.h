#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/image_builder.h"
#include "textformat/line_syntax.h"

namespace chanora {

class Reporter;

// What a pass accepted, per section (indexed by SectionKind), and how many
// records it passed over because their satellite is blank or undefined.
struct CheckSummary {
  PerSection<int> accepted;
  int skipped = 0;
};

// One pass of the compiler over the bytes of a channel list: every record
// checked in file order, the first failure shown with its line number, and
// every accepted record handed to the image builder.
class CheckPass {
 public:
  CheckPass(CompileMode mode, int maxSatellites, bool splitOption, ImageBuilder& builder, Reporter& reporter);

  // True when the whole list was accepted and the builder finished its image.
  bool Run(std::string_view bytes);

  const CheckSummary& Summary() const { return summary_; }

 private:
  bool EnterSection(SectionKind section);
  bool Finish();
  bool Record(std::string_view text);
  bool OnSatelliteName();
  bool OnSatellite(std::string_view text);
  bool OnDigitalTp();
  bool OnAnalogTp();
  bool OnChannel();
  bool OnPidChannel();

  bool TakeFields(std::string_view text, SectionKind kind);
  bool CheckFieldLengths(std::size_t count);
  bool Number(std::size_t field, int& value);
  bool Index(std::size_t field, int limit, const char* what, int& value);
  bool SkippedForSatellite(int satIndex);
  void CountService(ServiceType type, ChannelRecord& record);
  // Counts a record and gives its index the count as sequence number; false
  // (with the message, when there is one) for an index already taken.
  bool MapNewIndex(std::vector<int>& map, int index, int& count, const char* duplicateMessage);
  bool Fail(const std::string& message);
  bool FailAtLine(const char* format);
  bool FailAtLine(const char* format, int number);

  CompileMode mode_;
  int maxSatellites_;
  bool splitOption_;
  ImageBuilder& builder_;
  Reporter& reporter_;

  SectionKind section_ = SectionKind::None;
  int line_ = 0;
  std::vector<std::string_view> fields_;
  PerSection<bool> sectionSeen_;

  std::vector<std::string> satelliteNames_;
  int satelliteNameCount_ = 0;
  ImageCounts counts_;  // the counts of the records and services so far
  int tvCounter_ = 0;
  int radioCounter_ = 0;

  std::vector<int> satelliteMap_;
  std::vector<bool> satelliteSkip_;
  std::vector<int> tpMap_;
  std::vector<int> serviceMap_;
  std::vector<int> pidServiceMap_;
  std::vector<int> analogMap_;

  CheckSummary summary_;
};

}  // namespace chanora
