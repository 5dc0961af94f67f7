#pragma once
// The captions of the message boxes that many parts of the program raise. Each text is
// written once here; "Uwaga !" (with its space) and "Błąd" are other captions, kept where
// their one message is.

namespace vorda {

inline constexpr char kErrorCaption[] = "Błąd...";
inline constexpr char kWarningCaption[] = "Uwaga!";

}  // namespace vorda
