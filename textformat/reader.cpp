#include "textformat/reader.h"

#include <algorithm>
#include <vector>

#include "base/reporter.h"
#include "base/text_conversion.h"
#include "textformat/fields.h"
#include "textformat/line_syntax.h"

namespace chanora {
namespace {

class ListReader {
 public:
  ListReader(LineList& list, Reporter& reporter) : list_(list), reporter_(reporter) {}

  bool Read(std::string_view bytes, bool& nullChannelsDropped) {
    nullChannelsDropped = false;
    LineCursor cursor(bytes);
    TextLine line;
    std::string text;
    Header header;
    bool ended = false;
    while (!ended && cursor.Next(line)) {
      switch (PrepareLine(line, text, header)) {
        case LineKind::Bad:
          reporter_.Message(BadLineMessage(line.number));
          return false;
        case LineKind::Skip:
          break;
        case LineKind::Header:
          ended = OnHeader(header);
          break;
        case LineKind::Record:
          line_ = line.number;
          if (!Record(text, nullChannelsDropped)) return false;
          break;
      }
    }
    if (!ended) CloseSection();
    Complete();
    return true;
  }

 private:
  // True at [END].
  bool OnHeader(const Header& header) {
    if (header.type == HeaderType::Unknown) return false;
    CloseSection();
    if (header.type == HeaderType::End) return true;
    section_ = header.section;
    seen_[section_] = true;
    list_.push_back(StartMarker(section_));
    return false;
  }

  void CloseSection() {
    if (section_ != SectionKind::None) list_.push_back(EndMarker(section_));
    section_ = SectionKind::None;
  }

  bool Record(std::string_view text, bool& nullChannelsDropped) {
    if (section_ == SectionKind::None) return true;
    if (section_ == SectionKind::Satellite) return Satellite(text);
    const SectionInfo& info = InfoOf(section_);
    SplitFields(text, fields_);
    if (static_cast<int>(fields_.size()) < info.fieldCount) return true;  // refused by the checks
    // A null digital channel lives only until the list is read again.
    if (section_ == SectionKind::Channel && HexTextToInt(fields_[channel_field::kServiceId], reporter_) == 0) {
      nullChannelsDropped = true;
      return true;
    }
    return Append(static_cast<std::size_t>(info.fieldCount), static_cast<std::size_t>(info.nameField));
  }

  bool Satellite(std::string_view text) {
    using namespace satellite_field;
    text = text.substr(0, text.find('#'));
    SplitFields(text, fields_);
    const std::size_t count = fields_.size();
    const bool currentLayout = count > kBlank && (fields_[kBlank][0] == 'Y' || fields_[kBlank][0] == 'N');
    // The older layout has no Blank field: the fields after the name stand
    // one place earlier.
    const std::size_t shift = currentLayout ? 0 : 1;
    if (count < kPosition + 1 - shift) {
      reporter_.Message("Satellite Section's information is illegal!!!");
      return false;
    }
    std::string degree = "0";
    if (currentLayout && count > kDegree) {
      // The receiver keeps 16 bits: a value above 32767 is the signed 16-bit
      // value of its low bits, so that it stays put through saves and loads.
      int value = DecimalTextToInt(fields_[kDegree]);
      if (value > 32767) value = (value & 0xFFFF) - ((value & 0x8000) != 0 ? 0x10000 : 0);
      degree = std::to_string(value);
    } else if (!currentLayout && count > kDegree - shift) {
      degree = fields_[kDegree - shift];
    }
    if (currentLayout) {
      if (!Append(kDegree, kName)) return false;
    } else {
      if (!NameIsNoMarker(fields_[kName])) return false;
      list_.emplace_back(fields_[kIndex]);
      list_.push_back(DecodeName(fields_[kName]));
      list_.emplace_back("N");
      list_.insert(list_.end(), fields_.begin() + kLnbHigh - shift, fields_.begin() + kDegree - shift);
    }
    list_.push_back(std::move(degree));
    return true;
  }

  bool Append(std::size_t count, std::size_t nameField) {
    if (!NameIsNoMarker(fields_[nameField])) return false;
    for (std::size_t i = 0; i < count; ++i) {
      list_.push_back(i == nameField ? DecodeName(fields_[i]) : std::string(fields_[i]));
    }
    return true;
  }

  // Markers and fields share the LineList: a name spelling a marker would
  // move a section's boundary, and the next save would scramble the list.
  bool NameIsNoMarker(std::string_view field) {
    if (!IsSectionMarker(DecodeName(field))) return true;
    reporter_.Message(
        FormatText("\n ERROR : SYNTAX - NAME reads as a section marker !!!\n           line number %d ", line_));
    return false;
  }

  // Every loaded list has a PID and an analog section, empty ones put right
  // after the digital channels when the file had none.
  void Complete() {
    if (!seen_[SectionKind::ChannelPid])
      InsertEmptySectionAfter(EndMarker(SectionKind::Channel), SectionKind::ChannelPid);
    if (!seen_[SectionKind::Analog]) InsertEmptySectionAfter(EndMarker(SectionKind::ChannelPid), SectionKind::Analog);
  }

  void InsertEmptySectionAfter(const std::string& marker, SectionKind kind) {
    auto it = std::find(list_.begin(), list_.end(), marker);
    if (it == list_.end()) {
      reporter_.Message("CHANNEL PID SECTION not foundD!!!\r\nDisplaying infomation may be disodered!!");
      return;
    }
    list_.insert(it + 1, {StartMarker(kind), EndMarker(kind)});
  }

  LineList& list_;
  Reporter& reporter_;
  SectionKind section_ = SectionKind::None;
  int line_ = 0;
  PerSection<bool> seen_;
  std::vector<std::string_view> fields_;
};

}  // namespace

bool ReadListText(std::string_view bytes, LineList& list, Reporter& reporter, bool& nullChannelsDropped) {
  return ListReader(list, reporter).Read(bytes, nullChannelsDropped);
}

}  // namespace chanora
