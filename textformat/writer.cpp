#include "textformat/writer.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/text_conversion.h"
#include "textformat/line_syntax.h"

namespace chanora {
namespace {

constexpr std::size_t kShortNameLength = 13;

constexpr std::array<std::string_view, kSectionCount + 1> kCommentBlocks = {
    "",
    // SAT_NAME
    "\r\n\r\n[SATELLITE_NAME_LIST]\r\n#"
    "#-------------------------+\r\n"
    "# Index  Satellite_Name   |\r\n"
    "#-------------------------+\r\n",
    // SATELLITE
    "\r\n\r\n[SATELLITE]\r\n"
    "#----------------------------------------------------------------------+\r\n"
    "#  Index    Name          Blank  LNB_LO   LNB_LO Position Posotioner   |\r\n"
    "#                                 HIGH     LOW                         |\r\n"
    "#----------------------------------------------------------------------+\r\n",
    // DIGITAL
    "\r\n\r\n[DIGITAL TP]\r\n"
    "#---------------------------------------------------------+\r\n"
    "# D_TP   SAT   Frequency  Symbol    Polari-    Comment    |\r\n"
    "# Index  Index   (MHz)    R. (KHz)   zation               |\r\n"
    "#---------------------------------------------------------+\r\n",
    // ANALOG
    "\r\n\r\n[ANALOG TP]\r\n"
    "#--------------------------------------------------------------------------------------------------------------"
    "------------+\r\n"
    "# A_TP  SAT   Freq.  Name          Video Pol Thr Con-  Decoder  Audio  A_Freq  A_Freq  Band   Panda  De-       "
    "TV/   Blank |\r\n"
    "# Index Index (MHz)                Band          trast Output   Mode   L (MHz) R (MHz) W.(KHz)       emphasis  "
    "RADIO       |\r\n"
    "#--------------------------------------------------------------------------------------------------------------"
    "------------+\r\n",
    // CHANNEL
    "\r\n\r\n[DIGITAL CHANNEL]\r\n"
    "#-----------------------------------------------------------------+\r\n"
    "# SVC   D_TP  SAT   SVC     SVC       SVC         Active  Blank   |\r\n"
    "# Index Index Index ID(hex) Type      Name        Audio           |\r\n"
    "#-----------------------------------------------------------------+\r\n",
    // CHANNEL_PID
    "\r\n\r\n[DIGITAL PID CHANNEL]\r\n"
    "#----------------------------------------------------------------------------+\r\n"
    "# SVC   D_TP  SAT   SVC       SVC           Video Audio  PCR  Active  Blank  |\r\n"
    "# Index Index Index Type      Name          PID   PID    PID  Audio          |\r\n"
    "#----------------------------------------------------------------------------+\r\n",
};

void AppendName(std::string& out, const std::string& name) {
  if (name == "\"") {
    out += "\"\"";
  } else if (name.size() <= kShortNameLength || name.find(' ', kShortNameLength) != std::string::npos) {
    // A long name whose tail holds a space is quoted whole: cut after the
    // 13th character its tail would read back as further fields.
    out += '"';
    out += name;
    out += '"';
  } else {
    out += '"';
    out.append(name, 0, kShortNameLength);
    out += '"';
    out.append(name, kShortNameLength);
  }
}

void AppendField(std::string& out, const std::string& value, bool isName, int width) {
  const std::size_t start = out.size();
  if (isName) {
    AppendName(out, value);
  } else {
    out += value;
  }
  const std::size_t length = out.size() - start;
  // A value wider than its column still gets one space, so that it cannot run
  // into the next field.
  const std::size_t padded = std::max<std::size_t>(static_cast<std::size_t>(width) + 1, length + 1);
  out.append(padded - length, ' ');
}

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7F; }

std::optional<std::string> FieldProblem(const std::string& value, SectionKind kind, int field) {
  const SectionInfo& info = InfoOf(kind);
  if (value.size() > static_cast<std::size_t>(kMaxFieldLength)) return "longer than 19 characters";
  if (kind == SectionKind::Satellite && value.find('#') != std::string::npos) return "a '#' in a satellite record";
  if (field == info.nameField) {
    if (value != "\"" && value.find('"') != std::string::npos) return "a double quote";
    if (std::any_of(value.begin(), value.end(), [](char c) { return c != ' ' && IsBlankOrControl(c); })) {
      return "a control character";
    }
    return std::nullopt;
  }
  // Leading blanks (a number printed right-aligned) read back as the same
  // field; blanks inside or after it would split it.
  const std::size_t start = value.find_first_not_of(' ');
  if (start == std::string::npos) return "empty";
  if (std::any_of(value.begin() + static_cast<std::ptrdiff_t>(start), value.end(), IsBlankOrControl)) {
    return "a blank or a control character";
  }
  if (value.find('"') != std::string::npos) return "a double quote";
  if (field == 0 && (value[start] == '[' || Classify(value) != LineClass::Significant)) {
    return "a start that makes the line a header or a comment";
  }
  return std::nullopt;
}

}  // namespace

std::string FormatListText(const LineList& list) {
  std::string out;
  out.reserve(list.size() * 9 + 4096);
  for (SectionKind kind : kWriterOrder) {
    const SectionInfo& info = InfoOf(kind);
    out += kCommentBlocks[static_cast<std::size_t>(kind)];
    auto span = FindLastSection(list, kind);
    if (!span) continue;
    for (std::size_t i = span->first; i < span->end; ++i) {
      const int field = static_cast<int>((i - span->first) % info.fieldCount);
      if (field == 0) out += "\r\n";
      AppendField(out, list[i], field == info.nameField, info.widths[field]);
    }
  }
  out += "\r\n\r\n[END]\r\n";
  return out;
}

std::optional<std::string> FindUnwritableField(const LineList& list) {
  for (SectionKind kind : kWriterOrder) {
    const SectionInfo& info = InfoOf(kind);
    auto span = FindLastSection(list, kind);
    if (!span) continue;
    if ((span->end - span->first) % info.fieldCount != 0) {
      return FormatText("\n ERROR : can not save the %s section: its last record is incomplete !!!",
                        std::string(info.marker).c_str());
    }
    for (std::size_t i = span->first; i < span->end; ++i) {
      const int field = static_cast<int>((i - span->first) % info.fieldCount);
      if (auto problem = FieldProblem(list[i], kind, field)) {
        const int record = static_cast<int>((i - span->first) / info.fieldCount) + 1;
        return FormatText("\n ERROR : can not save the field \"%s\" (%s) !!!\n ==> %s section, record %d, field %d ",
                          list[i].c_str(), problem->c_str(), std::string(info.marker).c_str(), record, field + 1);
      }
    }
  }
  return std::nullopt;
}

}  // namespace chanora
