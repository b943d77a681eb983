#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "textformat/fields.h"
#include "textformat/line_list.h"

namespace chanora {

class SectionMap;

// Index cells become 1, 2, ... : the digital channels first, the PID
// channels going on with the count, the analog channels from 1 again.
void RenumberChannels(LineList& list, const SectionMap& sections);

// Moves the records of a section, starting at `first`, into the given order
// in one pass: order[k] is the record that comes k-th.
void ReorderRecords(LineList& list, std::size_t first, std::size_t stride, std::span<const std::uint32_t> order);

// The placeholder record that Insert Null puts after a model channel, the
// record of `kind` at `start`: the model's TP, satellite and type, blank. A
// null digital channel has service id 0 and is dropped when the list is read
// again.
std::vector<std::string> NullRecordLike(const LineList& list, SectionKind kind, std::size_t start);

// Upper case, blanks removed at both ends: how names and types compare.
std::string NormalizedText(std::string_view text);
std::string UpperCase(std::string_view text);

// The first cell of the first record of `kind` whose Index is `index`,
// compared as text.
std::optional<std::size_t> FindRecordByIndex(const LineList& list, const SectionMap& sections, SectionKind kind,
                                             std::string_view index);

// The largest Index of the records of the kinds given, read as decimal; 0
// when there are none.
long long LargestIndex(const LineList& list, const SectionMap& sections, std::initializer_list<SectionKind> kinds);

// The satellite names in list order, as the dialogs' drop-downs show them.
std::vector<std::string> SatelliteNames(const LineList& list, const SectionMap& sections);

// The satellite that a channel's SAT index names: the first record with that
// Index, as the row tables look it up. Names may repeat, so a choice by name
// could pick another satellite.
std::optional<std::size_t> SatelliteOfIndex(const LineList& list, const SectionMap& sections,
                                            std::string_view satIndex);

}  // namespace chanora
