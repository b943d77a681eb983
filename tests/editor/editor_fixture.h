#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/list_view_model.h"
#include "editor/section_map.h"
#include "tests/support/recording_reporter.h"

namespace chanora::testing {

using Strings = std::vector<std::string>;

inline const Strings kDegreeErrors = {"ERROR in converting degree format!!!", "Degree format ERROR!!!"};

// Satellite 2 repeats the name of satellite 0; satellite 3 holds a degree
// that does not convert. PHOENIX, on satellite 2, names TP "07" where only TP
// "7" exists. GAMMA is on satellite 9, which does not exist.
inline LineList SmallList() {
  LineList list = {"SAT_NAME START",
                   "1",
                   "ASTRA",
                   "2",
                   "HOTBIRD",
                   "SAT_NAME END",
                   "SATELLITE START",
                   "0",
                   "ASTRA",
                   "N",
                   "9750",
                   "10600",
                   "0",
                   "0192",
                   "1",
                   "HOTBIRD",
                   "N",
                   "9750",
                   "10600",
                   "1",
                   "0130",
                   "2",
                   "ASTRA",
                   "N",
                   "9750",
                   "10600",
                   "2",
                   "-0450",
                   "3",
                   "BAD",
                   "Y",
                   "9750",
                   "10600",
                   "3",
                   "X12",
                   "SATELLITE END",
                   "DIGITAL START",
                   "1",
                   "0",
                   "11778",
                   "27500",
                   "V",
                   "ARD",
                   "7",
                   "0",
                   "12000",
                   "27500",
                   "H",
                   "ZDF",
                   "3",
                   "1",
                   "10832",
                   "22000",
                   "H",
                   "RAI",
                   "DIGITAL END",
                   "CHANNEL START",
                   "1",
                   "1",
                   "0",
                   "0001",
                   "TV",
                   "DAS ERSTE",
                   "1",
                   "N",
                   "2",
                   "07",
                   "2",
                   "0002",
                   "TV",
                   "PHOENIX",
                   "1",
                   "N",
                   "3",
                   "7",
                   "0",
                   "0003",
                   "RADIO",
                   "ZDF RADIO",
                   "2",
                   "N",
                   "CHANNEL END",
                   "CHANNEL_PID START",
                   "4",
                   "3",
                   "1",
                   "TV",
                   "RAI UNO",
                   "512",
                   "650",
                   "8190",
                   "1",
                   "N",
                   "CHANNEL_PID END",
                   "ANALOG START"};
  auto analog = [&list](const char* sat, const char* name, const char* audio, const char* width, const char* dnr) {
    list.insert(list.end(), {"0", sat, "1150", "C", name, "27MHz", "H", "1", "5", "CVBS", audio, "6.50", "6.80", width,
                             dnr, "U50", "TV", "N"});
  };
  analog("2", "ALPHA", "STEREO", "130", "Y");
  analog("1", "Beta", "MONO_RIGHT", "400", "N");
  analog("9", "GAMMA", "STEREO", "130", "Y");
  analog("3", "DELTA", "STEREO", "130", "Y");
  list.push_back("ANALOG END");
  return list;
}

inline std::size_t RecordStart(const LineList& list, SectionKind kind, std::size_t k) {
  return SectionMap(list).RecordStart(kind, k);
}

inline Strings RecordOf(const LineList& list, SectionKind kind, std::size_t k) {
  const auto start = list.begin() + static_cast<std::ptrdiff_t>(RecordStart(list, kind, k));
  return {start, start + InfoOf(kind).fieldCount};
}

// A list view model as a load leaves it (channels renumbered, rows built),
// the list it started from and a reporter that answers from a script.
class EditorTest : public ::testing::Test {
 protected:
  static ListViewModel ModelOf(LineList list) {
    ListViewModel model;
    model.Reset(std::move(list));
    return model;
  }

  void Start(LineList list = SmallList(), std::vector<Answer> answers = {}) {
    model = ModelOf(std::move(list));
    original = model.List();
    reporter = RecordingReporter();
    reporter.answers.assign(answers.begin(), answers.end());
  }

  Strings Record(SectionKind kind, std::size_t k) const { return RecordOf(model.List(), kind, k); }
  std::size_t Count(SectionKind kind) const { return model.Sections().RecordCount(kind); }

  // A refused edit, or one that changes nothing, leaves the list as it was,
  // no undo record and nothing to save.
  void ExpectUnchanged() const {
    EXPECT_EQ(model.List(), original);
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(model.History().UndoDepth(), 0u);
  }

  RecordingReporter reporter;
  ListViewModel model;
  LineList original;
};

}  // namespace chanora::testing
