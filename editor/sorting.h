#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace chanora {

class ListViewModel;

// The orders of the Sort menu. All group by satellite and put TV before
// radio within a satellite; then come the name, the TP's frequency or the
// TP's bouquet, and the name last. Analog channels have no bouquet: the
// Bouquet order sorts them by their own frequency.
enum class SortMode { Name = 1, Frequency = 2, Bouquet = 3 };

// Sorts the digital, PID and analog channels, each section within itself,
// in exactly the order of the editor's exchange sort (equal records do not
// keep their order), then renumbers them. Not recorded for undo. True when
// any channel changed place.
bool SortChannels(ListViewModel& model, SortMode mode);

// Where the exchange sort (for each place i, every later record that comes
// strictly first is swapped into place i) leaves records with these ranks,
// lower first: element k is the original position of the record that ends in
// place k. O(n log n) plus, per group of equal ranks, rotations of that group.
std::vector<std::uint32_t> ExchangeSortOrder(std::span<const std::uint32_t> ranks);

}  // namespace chanora
