#pragma once

namespace chanora::field_limit {

// The longest text an edit dialog's field accepts: what the receiver's
// records hold, so that a typed value fits its cell. Fields not named here
// have no limit of their own; the editor's checks refuse what does not fit.
inline constexpr int kName = 13;      // channel, bouquet and satellite names
inline constexpr int kFrequency = 5;  // frequency, symbol rate and LNB LO values in MHz or kHz
inline constexpr int kPosition = 5;   // a satellite's position
inline constexpr int kDegree = 6;     // a satellite's degree as typed, "E123.4"

}  // namespace chanora::field_limit
