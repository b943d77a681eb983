#include "compiler/check_pass.h"

#include <algorithm>
#include <span>

#include "base/reporter.h"
#include "base/text_conversion.h"
#include "textformat/fields.h"

namespace chanora {
namespace {

constexpr int kMaxNameLength = 13;
constexpr const char* kSameServiceIndex = "\n\n ERROR - same SVC INDEX already exists.\n           line number %d ";

// Index limits of the format. Renumbering gives the digital channels 1 to
// 10,000, the PID channels the numbers after them, and the analog TPs 1 to
// 5,000, so those tables reach one past the count of the format.
constexpr int kSatIndexLimit = 49;
constexpr int kTpIndexLimit = 4999;
constexpr int kServiceIndexLimit = 10000;
constexpr int kPidServiceIndexLimit = 11000;
constexpr int kAnalogIndexLimit = 5000;

// Position of the first keyword that the token begins with, or -1.
int MatchKeyword(std::string_view token, std::span<const std::string_view> keywords) {
  int position = 0;
  for (std::string_view keyword : keywords) {
    if (token.substr(0, keyword.size()) == keyword) return position;
    ++position;
  }
  return -1;
}

bool StartsWith(std::string_view token, char c) { return !token.empty() && token[0] == c; }
bool IsYesOrNo(std::string_view token) { return StartsWith(token, 'Y') || StartsWith(token, 'N'); }
bool HasFourOrFiveCharacters(std::string_view token) { return token.size() == 4 || token.size() == 5; }
bool NameTooLong(std::string_view name) { return name.size() > kMaxNameLength; }
bool IsServiceType(std::string_view token) {
  return std::find(kServiceTypes.begin(), kServiceTypes.end(), token) != kServiceTypes.end();
}

}  // namespace

CheckPass::CheckPass(CompileMode mode, int maxSatellites, bool splitOption, ImageBuilder& builder, Reporter& reporter,
                     AfterFailure afterFailure)
    : mode_(mode),
      maxSatellites_(maxSatellites),
      splitOption_(splitOption),
      builder_(builder),
      reporter_(reporter),
      afterFailure_(afterFailure),
      satelliteMap_(kSatIndexLimit + 1, 0),
      satelliteSkip_(kSatIndexLimit + 1, true),
      tpMap_(kTpIndexLimit + 1, 0),
      serviceMap_(kServiceIndexLimit + 1, 0),
      pidServiceMap_(kPidServiceIndexLimit + 1, 0),
      analogMap_(kAnalogIndexLimit + 1, 0) {}

bool CheckPass::Run(std::string_view bytes) {
  LineCursor cursor(bytes);
  TextLine line;
  std::string text;
  Header header;
  while (cursor.Next(line)) {
    line_ = line.number;
    switch (PrepareLine(line, text, header)) {
      case LineKind::Bad:
        return Fail(BadLineMessage(line_));
      case LineKind::Skip:
        break;
      case LineKind::Header:
        if (header.type == HeaderType::End) return End();
        // An unknown bracket line is ignored, as the reader ignores it.
        if (header.type == HeaderType::Section && !EnterSection(header.section)) return false;
        break;
      case LineKind::Record:
        if (!RecordAsAWhole(text) && afterFailure_ == AfterFailure::Stop) return false;
        break;
    }
  }
  return End();
}

bool CheckPass::End() { return problems_.empty() && Finish(); }

bool CheckPass::RecordAsAWhole(std::string_view text) {
  const RecordStart start{counts_,          tvCounter_, radioCounter_, satelliteNameCount_, satelliteNames_.size(),
                          summary_};
  mappedByRecord_.clear();
  unskippedByRecord_.clear();
  if (Record(text)) return true;
  ForgetRecord(start);
  // A name line keeps its place in the numbering even when it fails, so the
  // names after it are judged on their own, not all found out of order.
  if (section_ == SectionKind::SatName) ++satelliteNameCount_;
  return false;
}

void CheckPass::ForgetRecord(const RecordStart& start) {
  counts_ = start.counts;
  tvCounter_ = start.tvCounter;
  radioCounter_ = start.radioCounter;
  satelliteNameCount_ = start.satelliteNameCount;
  satelliteNames_.resize(start.satelliteNames);
  summary_ = start.summary;
  for (auto [map, index] : mappedByRecord_) (*map)[index] = 0;
  for (int index : unskippedByRecord_) satelliteSkip_[index] = true;
}

bool CheckPass::Finish() { return builder_.BlockEnd() && builder_.Finish(counts_); }

bool CheckPass::EnterSection(SectionKind section) {
  // Two blocks of one kind would be merged into one by the reader and
  // written as one by the writer; refuse rather than guess.
  if (sectionSeen_[section]) {
    return FailAtLine("\n ERROR : SYNTAX - section appears twice !!!\n           line number %d ");
  }
  sectionSeen_[section] = true;
  section_ = section;
  switch (section) {
    case SectionKind::SatName:
      return true;
    case SectionKind::Satellite:
      counts_.satellites = 0;
      std::fill(satelliteMap_.begin(), satelliteMap_.end(), 0);
      std::fill(satelliteSkip_.begin(), satelliteSkip_.end(), true);
      if (!builder_.BlockStart()) return false;
      if (satelliteNameCount_ != maxSatellites_) {
        return FailAtLine("\n ERROR : SYNTAX - Number of SAT NAME should be %d !!!\nline number %d ", maxSatellites_);
      }
      return true;
    case SectionKind::Analog:
      if (splitOption_) tvCounter_ = radioCounter_ = 0;
      break;
    case SectionKind::Channel:
      counts_.channels = 0;
      break;
    case SectionKind::ChannelPid:
      // A Normal image carries the PID channels on in the block and the count
      // of the digital channels.
      if (mode_ == CompileMode::Normal) return true;
      counts_.channels = 0;
      break;
    default:
      break;
  }
  return builder_.BlockEnd() && builder_.BlockStart();
}

bool CheckPass::Record(std::string_view text) {
  switch (section_) {
    case SectionKind::None:
      return FailAtLine("\n ERROR : INVALID state !!!\n           line number %d ");
    case SectionKind::SatName:
      return TakeFields(text, section_) && OnSatelliteName();
    case SectionKind::Satellite:
      return OnSatellite(text);
    case SectionKind::Digital:
      return TakeFields(text, section_) && OnDigitalTp();
    case SectionKind::Analog:
      return TakeFields(text, section_) && OnAnalogTp();
    case SectionKind::Channel:
      return TakeFields(text, section_) && OnChannel();
    case SectionKind::ChannelPid:
      return TakeFields(text, section_) && OnPidChannel();
  }
  return false;
}

bool CheckPass::OnSatelliteName() {
  int index = 0;
  if (!Number(satellite_name_field::kIndex, index)) return false;
  std::string name = DecodeName(fields_[satellite_name_field::kName]);
  if (NameTooLong(name)) {
    return FailAtLine("\n ERROR : SYNTAX - SAT NAME exceeds %d!!!\n         line number %d ", kMaxNameLength);
  }
  if (index != satelliteNameCount_ + 1) {
    return FailAtLine("\n ERROR : SYNTAX - SAT NAME INDEX !!!\n         line number %d ");
  }
  ++satelliteNameCount_;
  ++summary_.accepted[SectionKind::SatName];
  if (mode_ == CompileMode::Basic && satelliteNameCount_ <= maxSatellites_) {
    satelliteNames_.push_back(std::move(name));
    if (satelliteNameCount_ == maxSatellites_) return builder_.SatelliteNameTable(satelliteNames_);
  }
  return true;
}

bool CheckPass::OnSatellite(std::string_view text) {
  text = text.substr(0, text.find('#'));  // the rest of a satellite line is a comment
  using namespace satellite_field;
  SplitFields(text, fields_);
  const std::size_t count = fields_.size();
  const bool currentLayout = count > kBlank && IsYesOrNo(fields_[kBlank]);
  // The older layout has no Blank field (and takes no Positioner): the
  // fields after the name stand one place earlier.
  const std::size_t shift = currentLayout ? 0 : 1;
  const std::size_t fieldsRead = kPosition + 1 - shift;
  if (count < fieldsRead) return Fail("Satellite Section's information is illegal!!!");

  chanora::SatelliteRecord record;
  if (!CheckFieldLengths(currentLayout ? std::min(count, kDegree + 1) : fieldsRead)) return false;
  if (!Index(kIndex, kSatIndexLimit, "SAT", record.index) || !Number(kPosition - shift, record.position)) {
    return false;
  }
  if (currentLayout && count > kDegree) {
    record.positioner = DecimalTextToInt(fields_[kDegree]);
    if (record.positioner > 32767) record.positioner -= 65536;
  }
  record.blank = currentLayout && StartsWith(fields_[kBlank], 'Y');
  record.name = DecodeName(fields_[kName]);
  record.lnbHigh = fields_[kLnbHigh - shift];
  record.lnbLow = fields_[kLnbLow - shift];

  if (NameTooLong(record.name)) {
    return FailAtLine("\n ERROR : SYNTAX - SAT NAME exceeds %d!!!\n         line number %d ", kMaxNameLength);
  }
  if (!MapNewIndex(satelliteMap_, record.index, counts_.satellites,
                   "\n\n ERROR - same INDEX already exists. \n         line number %d ")) {
    return false;
  }
  if (!record.blank && satelliteSkip_[record.index]) {
    satelliteSkip_[record.index] = false;
    unskippedByRecord_.push_back(record.index);
  }
  if (!HasFourOrFiveCharacters(record.lnbHigh)) {
    return FailAtLine(
        "\n ERROR : SYNTAX - SAT LNB_HIGH frequency. 4 or 5 digit requested !!!\n         line number %d ");
  }
  if (!HasFourOrFiveCharacters(record.lnbLow)) {
    return FailAtLine(
        "\n ERROR : SYNTAX - SAT LNB_LOW frequency. 4 or 5 digit requested !!!\n         line number %d ");
  }
  ++summary_.accepted[SectionKind::Satellite];
  return builder_.Satellite(record);
}

bool CheckPass::OnDigitalTp() {
  using namespace digital_tp_field;
  chanora::DigitalTpRecord record;
  if (!Index(kIndex, kTpIndexLimit, "D_TP", record.index) ||
      !Index(kSatIndex, kSatIndexLimit, "SAT", record.satIndex)) {
    return false;
  }
  if (SkippedForSatellite(record.satIndex)) return true;
  record.frequency = fields_[kFrequency];
  record.symbolRate = fields_[kSymbolRate];
  std::string_view polarization = fields_[kPolarization];
  record.vertical = StartsWith(polarization, 'V');
  record.comment = DecodeName(fields_[kBouquet].substr(0, kMaxNameLength));

  auto countAndMap = [this, &record]() {
    if (!MapNewIndex(tpMap_, record.index, counts_.tps,
                     "\n\n ERROR - same D_TP INDEX already exists.\n           line number %d ")) {
      return false;
    }
    record.sequence = counts_.tps;
    return true;
  };
  const bool polarizationValid = StartsWith(polarization, 'H') || StartsWith(polarization, 'V');
  if (mode_ == CompileMode::Basic) {
    if (!countAndMap()) return false;
    if (!HasFourOrFiveCharacters(record.frequency)) {
      return FailAtLine("\n\n\n ERROR : SYNTAX - D_TP frequency !!!.\n           line number %d ");
    }
    if (!HasFourOrFiveCharacters(record.symbolRate)) {
      return FailAtLine(
          "\n\n\n ERROR : SYNTAX - D_TP symbol rate. 4 or 5 digit requested !!!.\n           line number %d ");
    }
    if (!polarizationValid) {
      return FailAtLine("\n\n ERROR : SYNTAX - D_TP Polarization !!!.\n           line number %d ");
    }
  } else {
    if (!polarizationValid) {
      return FailAtLine("\n ERROR : SYNTAX - D_TP Polarization !!!\n           line number %d ");
    }
    if (!HasFourOrFiveCharacters(record.frequency)) {
      return FailAtLine("\n ERROR : SYNTAX - D_TP frequency. 4 or 5 digit requested !!!\n           line number %d ");
    }
    if (!HasFourOrFiveCharacters(record.symbolRate)) {
      return FailAtLine("\n ERROR : SYNTAX - D_TP symbol rate. 4 or 5 digit requested !!!\n           line number %d ");
    }
    if (!countAndMap()) return false;
  }
  ++summary_.accepted[SectionKind::Digital];
  return builder_.DigitalTp(record);
}

bool CheckPass::OnAnalogTp() {
  using namespace analog_field;
  chanora::AnalogTpRecord record;
  if (!Index(kIndex, kAnalogIndexLimit, "A_TP", record.index) ||
      !Index(kSatIndex, kSatIndexLimit, "SAT", record.satIndex)) {
    return false;
  }
  // A record of a blank satellite is passed over before any other check.
  if (SkippedForSatellite(record.satIndex)) return true;
  if (!Number(kThreshold, record.threshold) || !Number(kContrast, record.contrast)) return false;

  const int type = MatchKeyword(fields_[kType], kServiceTypes);
  if (type < 0) return FailAtLine("\n ERROR : SYNTAX - TV/RADIO!!!\n           line number %d ");
  record.type = type == 0 ? ServiceType::TV : ServiceType::Radio;
  record.serviceNumber = type == 0 ? ++tvCounter_ : ++radioCounter_;
  if (!IsYesOrNo(fields_[kBlank])) {
    return FailAtLine("\n ERROR : SYNTAX - blank !!! Y or N is OK.\n           line number %d ");
  }
  record.blank = StartsWith(fields_[kBlank], 'Y');
  // The one failure of the checks that has no message of its own.
  if (!MapNewIndex(analogMap_, record.index, counts_.analogTps, nullptr)) {
    return FailUnannounced("\n ERROR - same A_TP INDEX already exists.\n           line number %d ");
  }
  record.name = DecodeName(fields_[kName]);
  if (NameTooLong(record.name)) {
    return FailAtLine("\n ERROR : SYNTAX - NAME exceeds %d!!!\n           line number %d ", kMaxNameLength);
  }
  record.frequency = fields_[kFrequency];
  if (!HasFourOrFiveCharacters(record.frequency)) {
    return FailAtLine("\n ERROR : SYNTAX - A_TP frequency. 4 or 5 digit requested !!!\n           line number %d ");
  }
  record.videoBand = MatchKeyword(fields_[kVideoBand], kVideoBands);
  if (record.videoBand < 0) return FailAtLine("\n ERROR : SYNTAX - A_TP video band !!!\n           line number %d ");
  const std::string_view polarization = fields_[kPolarization];
  if (!StartsWith(polarization, 'H') && !StartsWith(polarization, 'V')) {
    return FailAtLine("\n ERROR : SYNTAX - A_TP Polarization !!!\n           line number %d ");
  }
  record.vertical = StartsWith(polarization, 'V');
  record.audioMode = MatchKeyword(fields_[kAudioMode], kAudioModes);
  if (record.audioMode < 0) return FailAtLine("\n ERROR : SYNTAX - A_TP audio mode !!!\n           line number %d ");
  record.decoderOutput = MatchKeyword(fields_[kDecoderOutput], kDecoderOutputs);
  if (record.decoderOutput < 0) {
    return FailAtLine("\n ERROR : SYNTAX - A_TP decoder output !!!\n           line number %d ");
  }
  record.bandwidth = MatchKeyword(fields_[kBandWidth], kBandWidths);
  if (record.bandwidth < 0) return FailAtLine("\n ERROR : SYNTAX - A_TP audio band !!!\n           line number %d ");
  record.deemphasis = MatchKeyword(fields_[kDeEmphasis], kDeEmphases);
  if (record.deemphasis < 0) return FailAtLine("\n ERROR : SYNTAX - A_TP De-Emphasis !!!\n           line number %d ");
  if (!IsYesOrNo(fields_[kDnr])) {
    return FailAtLine("\n ERROR : SYNTAX - A_TP panda_enable !!!\n           line number %d ");
  }
  record.panda = StartsWith(fields_[kDnr], 'Y');
  record.tpBand = MatchKeyword(fields_[kSignalBand], kSignalBands);
  if (record.tpBand < 0) return FailAtLine("\n ERROR : SYNTAX - A_TP TP_band !!!\n           line number %d ");
  record.audioLeft = fields_[kAudioLeft];
  record.audioRight = fields_[kAudioRight];
  if (!builder_.AnalogTp(record)) return false;
  if (mode_ == CompileMode::Normal) ++(record.type == ServiceType::TV ? counts_.tvTotal : counts_.radioTotal);
  ++summary_.accepted[SectionKind::Analog];
  return true;
}

void CheckPass::CountService(ServiceType type, chanora::ChannelRecord& record) {
  if (type == ServiceType::TV) {
    ++counts_.tvTotal;
    record.serviceNumber = ++tvCounter_;
  } else {
    ++counts_.radioTotal;
    record.serviceNumber = ++radioCounter_;
  }
}

bool CheckPass::OnChannel() {
  using namespace channel_field;
  chanora::ChannelRecord record;
  if (!Index(kIndex, kServiceIndexLimit, "SVC", record.svcIndex) ||
      !Index(kTpIndex, kTpIndexLimit, "D_TP", record.tpIndex) ||
      !Index(kSatIndex, kSatIndexLimit, "SAT", record.satIndex)) {
    return false;
  }
  if (SkippedForSatellite(record.satIndex)) return true;
  if (!Number(kActiveAudio, record.activeAudio)) return false;
  const std::string_view typeToken = fields_[kType];
  const bool typeValid = IsServiceType(typeToken);
  record.type = typeToken == "TV" ? ServiceType::TV : ServiceType::Radio;
  record.blank = StartsWith(fields_[kBlank], 'Y');
  record.name = DecodeName(fields_[kName]);
  record.tpSequence = tpMap_[record.tpIndex];

  auto countAndMap = [this, &record]() {
    return MapNewIndex(serviceMap_, record.svcIndex, counts_.channels, kSameServiceIndex);
  };
  auto checkBlank = [this]() {
    return IsYesOrNo(fields_[kBlank]) ||
           FailAtLine("\n ERROR : SYNTAX - blank !!! Y or N is OK.\n           line number %d ");
  };
  auto checkTp = [this, &record]() {
    return record.blank || record.tpSequence != 0 || FailAtLine("\n\n ERROR - D_TP index.\n           line number %d ");
  };
  auto checkName = [this, &record]() {
    return !NameTooLong(record.name) ||
           FailAtLine("\n ERROR : SYNTAX - NAME exceeds %d!!!\n           line number %d ", kMaxNameLength);
  };
  if (mode_ == CompileMode::Basic) {
    if (!countAndMap() || !checkBlank() || !checkTp()) return false;
    if (!typeValid) {
      return FailAtLine("\n ERROR : SYNTAX - SVC Type !!!  TV or RADIO is OK.\n           line number %d ");
    }
    if (!checkName()) return false;
  } else {
    if (!typeValid) {
      return FailAtLine("\n ERROR : SYNTAX - svc type !!! TV or RADIO is OK.\n           line number %d ");
    }
    CountService(record.type, record);
    if (!checkBlank() || !countAndMap() || !checkTp() || !checkName()) return false;
  }
  record.svcId = HexTextToInt(fields_[kServiceId], reporter_);
  ++summary_.accepted[SectionKind::Channel];
  return builder_.Channel(record);
}

bool CheckPass::OnPidChannel() {
  using namespace pid_channel_field;
  chanora::ChannelRecord record;
  record.pid = true;
  if (!Index(kIndex, kPidServiceIndexLimit, "SVC", record.svcIndex) ||
      !Index(kTpIndex, kTpIndexLimit, "D_TP", record.tpIndex) ||
      !Index(kSatIndex, kSatIndexLimit, "SAT", record.satIndex)) {
    return false;
  }
  if (SkippedForSatellite(record.satIndex)) return true;
  if (!Number(kVideoPid, record.videoPid) || !Number(kAudioPid, record.audioPid) || !Number(kPcrPid, record.pcrPid) ||
      !Number(kActiveAudio, record.activeAudio)) {
    return false;
  }
  const std::string_view typeToken = fields_[kType];
  const bool typeValid = IsServiceType(typeToken);
  record.type = typeToken == "TV" ? ServiceType::TV : ServiceType::Radio;
  record.blank = StartsWith(fields_[kBlank], 'Y');
  record.name = DecodeName(fields_[kName]);
  record.tpSequence = tpMap_[record.tpIndex];

  auto countAndMap = [this, &record]() {
    return MapNewIndex(pidServiceMap_, record.svcIndex, counts_.channels, kSameServiceIndex);
  };
  auto failType = [this]() {
    return FailAtLine("\n ERROR : SYNTAX - svc type !!! TV or RADIO is OK.\n           line number %d ");
  };
  if (mode_ == CompileMode::Basic) {
    if (!countAndMap()) return false;
    if (!IsYesOrNo(fields_[kBlank])) {
      return FailAtLine("\n ERROR : SYNTAX - CHANNEL blank !!!\n           line number %d ");
    }
    if (!record.blank && record.tpSequence == 0) {
      return FailAtLine("\n\n ERROR - D_TP index.\n           line number %d ");
    }
    if (!typeValid) return failType();
    if (NameTooLong(record.name)) {
      return FailAtLine("\n ERROR : SYNTAX - DIGITAL CHANNEL NAME exceeds %d!!!\n           line number %d ",
                        kMaxNameLength);
    }
  } else {
    if (!typeValid) return failType();
    CountService(record.type, record);
    if (!IsYesOrNo(fields_[kBlank])) {
      return FailAtLine("\n\n ERROR - D_TP Blank must Y or N.\n           line number %d ");
    }
    if (!record.blank && record.tpSequence == 0) {
      return FailAtLine("\n\n ERROR - D_TP:fail make Tp map table.\n           line number %d ");
    }
    if (!countAndMap()) return false;
    if (NameTooLong(record.name)) {
      return FailAtLine("\n ERROR : SYNTAX - NAME exceeds %d!!!\n           line number %d ", kMaxNameLength);
    }
  }
  ++summary_.accepted[SectionKind::ChannelPid];
  return builder_.Channel(record);
}

bool CheckPass::TakeFields(std::string_view text, SectionKind kind) {
  const int count = InfoOf(kind).fieldCount;
  SplitFields(text, fields_);
  if (static_cast<int>(fields_.size()) < count) {
    return FailAtLine("\n ERROR : SYNTAX - %d fields requested !!!\n           line number %d ", count);
  }
  return CheckFieldLengths(static_cast<std::size_t>(count));
}

bool CheckPass::CheckFieldLengths(std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (fields_[i].size() > static_cast<std::size_t>(kMaxFieldLength)) {
      return FailAtLine("\n ERROR : SYNTAX - field exceeds %d!!!\n           line number %d ", kMaxFieldLength);
    }
  }
  return true;
}

bool CheckPass::Number(std::size_t field, int& value) {
  auto number = ParseDecimalToken(fields_[field]);
  if (!number) return FailAtLine("\n ERROR : SYNTAX - number requested !!!\n           line number %d ");
  value = *number;
  return true;
}

bool CheckPass::Index(std::size_t field, int limit, const char* what, int& value) {
  if (!Number(field, value)) return false;
  if (value < 0 || value > limit) {
    return Fail(
        FormatText("\n ERROR : SYNTAX - %s INDEX must be 0 to %d !!!\n           line number %d ", what, limit, line_));
  }
  return true;
}

bool CheckPass::SkippedForSatellite(int satIndex) {
  if (!satelliteSkip_[satIndex]) return false;
  ++summary_.skipped;
  return true;
}

bool CheckPass::MapNewIndex(std::vector<int>& map, int index, int& count, const char* duplicateMessage) {
  ++count;
  if (map[index] != 0) return duplicateMessage != nullptr && FailAtLine(duplicateMessage);
  map[index] = count;
  mappedByRecord_.emplace_back(&map, index);
  return true;
}

bool CheckPass::Fail(const std::string& message) {
  if (afterFailure_ == AfterFailure::GoOn) {
    problems_.push_back({line_, message});
  } else {
    reporter_.Message(message);
  }
  return false;
}

bool CheckPass::FailUnannounced(const char* listedFormat) {
  return afterFailure_ == AfterFailure::GoOn && FailAtLine(listedFormat);
}

bool CheckPass::FailAtLine(const char* format) { return Fail(FormatText(format, line_)); }

bool CheckPass::FailAtLine(const char* format, int number) { return Fail(FormatText(format, number, line_)); }

std::vector<CheckProblem> FindAllProblems(std::string_view bytes, int maxSatellites, Reporter& reporter) {
  NullImageBuilder nothing;
  CheckPass pass(CompileMode::Basic, maxSatellites, false, nothing, reporter, AfterFailure::GoOn);
  pass.Run(bytes);
  return pass.Problems();
}

}  // namespace chanora
