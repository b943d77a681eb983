#pragma once

#include <optional>
#include <string>

#include "textformat/line_list.h"

namespace chanora {

// The size of a generated channel list. Every record of a generated list
// passes the checks of a Basic and a Normal pass with `satelliteNames` as the
// maximum satellite number.
struct ListShape {
  int satelliteNames = 32;  // 32 or 40, numbered 1..n
  int satellites = 0;       // 0 to 50, indexed 0..n-1
  int tps = 0;              // digital TPs, 0 to 5,000
  int channels = 0;         // digital channels, 0 to 10,000
  int pidChannels = 0;      // channels given by their PIDs, 0 to 1,000
  int analogTps = 0;        // 0 to 5,000
  // The last satellite is blank and nothing refers to it, as a receiver list
  // keeps a parked dish position.
  bool blankSatellite = false;
  unsigned seed = 1;
};

// The largest list that the format holds: 40 names, 50 satellites (the last
// one blank), 5,000 TPs, 10,000 digital and 1,000 PID channels, 5,000 analog
// TPs.
ListShape MaximalShape();

// Why a list of this shape cannot be valid (a count out of range, channels
// without a TP to carry them, TPs without a usable satellite), or nothing.
std::optional<std::string> ShapeProblem(const ListShape& shape);

// A plausible valid list of the given shape, deterministic from the seed,
// exactly as the reader makes it from the written file: the six sections in
// the writer's order, channels numbered as renumbering leaves them, degrees as
// plain decimal numbers, no null channels. Throws std::invalid_argument when
// ShapeProblem names a problem.
LineList GenerateList(const ListShape& shape);

// The written file of GenerateList(shape).
std::string GenerateListText(const ListShape& shape);

}  // namespace chanora
