#pragma once

#include <span>
#include <string_view>

#include "textformat/sections.h"

namespace chanora {

struct Column {
  std::string_view title;
  int width;  // pixels
};

// A column of a channel view, with its widths before View Detail is first
// used, while it is on, and after it is turned off; 0 hides the column.
struct ChannelColumn {
  std::string_view title;
  int initial;
  int detailOn;
  int detailOff;
};

// The columns of a section list, one per field of its records.
std::span<const Column> SectionColumns(SectionKind kind);
std::span<const ChannelColumn> DigitalViewColumns();  // 20
std::span<const ChannelColumn> AnalogViewColumns();   // 23

}  // namespace chanora
