#include "engine/list_db.h"

#include "compiler/check_pass.h"
#include "engine/file_io.h"
#include "engine/reporter.h"
#include "engine/text_conversion.h"
#include "textformat/reader.h"
#include "textformat/writer.h"

namespace chanora {

CListDB::CListDB(std::string listPath, Reporter& reporter, int maxSatelliteNumber)
    : path(std::move(listPath)), maxSatellites(maxSatelliteNumber), reporter_(reporter) {}

bool CListDB::LoadBytes(std::string& bytes) {
  auto content = ReadWholeFile(path);
  if (!content) {
    reporter_.Message(FormatText("Can't open Input file : %s\n", path.c_str()));
    return false;
  }
  bytes = std::move(*content);
  return true;
}

bool CListDB::RunChecks(std::string_view bytes, CompileMode mode) {
  NullImageBuilder builder;
  CheckPass pass(mode, maxSatellites, splitOption, builder, reporter_);
  const bool passed = pass.Run(bytes);
  recordsAccepted = pass.RecordsAccepted();
  recordsSkipped = pass.RecordsSkipped();
  return passed;
}

bool CListDB::ReadFormattedText(LineList& list) {
  recordsDropped = false;
  // The file is read once, so the checks and the records see the same bytes.
  std::string bytes;
  if (!LoadBytes(bytes)) return false;
  checkOnly = true;
  const bool checked = RunChecks(bytes, Basic);
  checkOnly = false;
  if (!checked) {
    reporter_.Message("The Text Format is not correct");
    return false;
  }
  LineList read;
  bool dropped = false;
  if (!ReadListText(bytes, read, reporter_, dropped)) return false;
  list.insert(list.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
  recordsDropped = dropped;
  return true;
}

bool CListDB::WriteFormattedText(const LineList& list) {
  auto backupPath = DerivedPath(path, ".bak");
  if (!backupPath) {
    reporter_.Message("Extention Name must be 'txt' ");
    return false;
  }
  if (auto problem = FindUnwritableField(list)) {
    reporter_.Message(*problem);
    return false;
  }
  switch (ReplaceFile(path, FormatListText(list), backupPath)) {
    case SaveResult::Saved:
      return true;
    case SaveResult::CannotCreate:
      reporter_.Message(FormatText("Can't open .temp file : %s\n", path.c_str()));
      return false;
    case SaveResult::CannotWrite:
      reporter_.Message(FormatText("Can't write file : %s\n", path.c_str()));
      return false;
  }
  return false;
}

int CListDB::Compile(CompileMode mode) {
  std::string bytes;
  if (!LoadBytes(bytes)) return 0;
  if (checkOnly) return RunChecks(bytes, mode) ? 1 : 0;
  reporter_.Message("Compiling to a channel image is not available in this version.");
  return 0;
}

}  // namespace chanora
