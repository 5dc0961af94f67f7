#pragma once
// The hand-off file: Vorda copies the file to be shown to this name in the start-up
// directory, and Wizor shows it when started without an argument.

namespace handoff {

inline constexpr char kFileName[] = "wiznow.dan";

}  // namespace handoff
