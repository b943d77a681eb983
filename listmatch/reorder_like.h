#pragma once

#include <cstddef>

#include "textformat/line_list.h"

namespace chanora {

class ListViewModel;

// Puts the digital, PID and analog channels, each section within itself, in
// the order of a reference list: first the channels the reference also has,
// matched by what identifies them on air and then, among those left, by
// satellite and name, in the reference's order; then the others in their
// present order. Renumbers them and records the change for undo as "Like
// Reference List" (nothing is recorded when no channel moves). Returns how
// many channels were matched.
std::size_t OrderLikeReference(ListViewModel& model, const LineList& reference);

}  // namespace chanora
