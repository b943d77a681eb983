#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
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

// A problem that the checks found: the line it stands on and the message as
// the check words it.
struct CheckProblem {
  int line = 0;
  std::string message;
};

// What a pass does after a record fails: stop there, showing the message (a
// compile, a load), or set the record aside as if it were absent, keep its
// problem and go on (listing every problem of a list at once). A line that
// leaves the rest unreadable (an open quote, a section twice, a wrong count of
// satellite names) ends the pass either way.
enum class AfterFailure { Stop, GoOn };

// One pass of the compiler over the bytes of a channel list: every record
// checked in file order, the first failure shown with its line number, and
// every accepted record handed to the image builder.
class CheckPass {
 public:
  CheckPass(CompileMode mode, int maxSatellites, bool splitOption, ImageBuilder& builder, Reporter& reporter,
            AfterFailure afterFailure = AfterFailure::Stop);

  // True when the whole list was accepted and the builder finished its image.
  bool Run(std::string_view bytes);

  const CheckSummary& Summary() const { return summary_; }
  // The problems kept by a pass that goes on after a failure, in file order;
  // a pass that stops shows its one problem instead.
  const std::vector<CheckProblem>& Problems() const { return problems_; }

 private:
  // What a record may change before one of its later checks fails.
  struct RecordStart {
    ImageCounts counts;
    int tvCounter = 0;
    int radioCounter = 0;
    int satelliteNameCount = 0;
    std::size_t satelliteNames = 0;
    CheckSummary summary;
  };

  bool EnterSection(SectionKind section);
  bool End();
  bool Finish();
  // A record checked as a whole: after a failure nothing it counted, mapped
  // or cleared is left behind.
  bool RecordAsAWhole(std::string_view text);
  void ForgetRecord(const RecordStart& start);
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
  // A failure that the compile shows no message for; a pass that goes on
  // keeps it with `listedFormat`.
  bool FailUnannounced(const char* listedFormat);
  bool FailAtLine(const char* format);
  bool FailAtLine(const char* format, int number);

  CompileMode mode_;
  int maxSatellites_;
  bool splitOption_;
  ImageBuilder& builder_;
  Reporter& reporter_;
  AfterFailure afterFailure_;

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
  std::vector<CheckProblem> problems_;
  // Index entries made and satellites unskipped by the record being checked.
  std::vector<std::pair<std::vector<int>*, int>> mappedByRecord_;
  std::vector<int> unskippedByRecord_;
};

// Every problem of the list in `bytes` (Basic checks, nothing written), in
// file order; the first is the one a check that stops reports. Messages that
// are no failure (a service id that is not hexadecimal) go to `reporter`.
std::vector<CheckProblem> FindAllProblems(std::string_view bytes, int maxSatellites, Reporter& reporter);

}  // namespace chanora
