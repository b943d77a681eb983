#include "document/list_tools.h"

#include "base/text_conversion.h"
#include "editor/list_view_model.h"

namespace chanora {

std::string OneLineMessage(std::string_view message) {
  std::string line;
  for (char c : message) {
    const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
    if (!blank) {
      line += c;
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  if (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

std::string ProblemsText(const std::vector<CheckProblem>& problems, const std::string& path) {
  std::string text;
  for (const CheckProblem& problem : problems) {
    text += FormatText("%s:%d: %s\n", path.c_str(), problem.line, OneLineMessage(problem.message).c_str());
  }
  return text;
}

std::size_t ChannelCount(const ListViewModel& model) {
  std::size_t channels = 0;
  for (SectionKind kind : {SectionKind::Channel, SectionKind::ChannelPid, SectionKind::Analog}) {
    channels += model.Sections().RecordCount(kind);
  }
  return channels;
}

std::string_view ChangeTypeName(ChangeType type) {
  switch (type) {
    case ChangeType::Added:
      return "added";
    case ChangeType::Removed:
      return "removed";
    case ChangeType::Changed:
      return "changed";
    case ChangeType::Moved:
      return "moved";
  }
  return {};
}

std::string ChangeDetail(const Difference& difference) {
  if (difference.type == ChangeType::Moved) {
    return FormatText("from %zu to %zu", difference.positionA, difference.positionB);
  }
  std::string fields;
  for (const FieldChange& f : difference.fields) {
    fields += (fields.empty() ? "" : ", ") + std::string(f.field) + " '" + f.before + "' -> '" + f.after + "'";
  }
  return fields;
}

std::string ComparisonSummary(const ListComparison& comparison) {
  const std::string repeated = FormatText("repeated identities: %zu in this list, %zu in the other",
                                          comparison.repeatedInA, comparison.repeatedInB);
  if (comparison.Same()) return "The lists are the same; " + repeated;
  const std::size_t count = comparison.differences.size();
  return FormatText("%zu difference%s; %s", count, count == 1 ? "" : "s", repeated.c_str());
}

std::optional<ListPlace> PlaceInFirstList(const ListViewModel& model, const Difference& difference) {
  if (difference.positionA == 0) return std::nullopt;
  const SectionKind section = SectionOf(difference.kind);
  const std::size_t index = difference.positionA - 1;
  if (index >= model.Sections().RecordCount(section)) return std::nullopt;
  if (section != SectionKind::Channel && section != SectionKind::ChannelPid && section != SectionKind::Analog) {
    return ListPlace{section, true, index};
  }
  // A channel is shown in the channel view of its kind, among the others.
  const bool digital = section != SectionKind::Analog;
  const std::size_t start = model.Sections().RecordStart(section, index);
  for (std::size_t row = 0; row < model.ChannelRowCount(digital); ++row) {
    if (model.RowSection(row, digital) == section && model.RecordStartOfRow(row, digital) == start) {
      return ListPlace{SectionKind::None, digital, row};
    }
  }
  return std::nullopt;
}

}  // namespace chanora
