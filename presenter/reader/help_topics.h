#pragma once
// Wizor's help: the page and its anchors for the help context numbers of the window.
//   context 1: toolbar, status bar, "O programie"       -> #ctx1
//   context 3: "Kopiuj", "Widok 3D", "Dodaj legende"    -> #ctx3
//   context 4: the window and both charts               -> #ctx4
//   context 5: "Drukuj"                                  -> #ctx5
// "Zawarto" opens the page at #spis, "Indeks" at #indeks.

#include <string_view>

namespace wizor {

// Relative to the start-up directory; an installed copy lives in <prefix>/share/vorda/Help.
inline constexpr std::string_view kHelpFile = "Help/wizor.html";
// The English page, with the same anchors, beside it in Help/en.
inline constexpr std::string_view kEnglishHelpFile = "Help/en/wizor.html";
inline constexpr std::string_view kHelpContentsAnchor = "spis";
inline constexpr std::string_view kHelpIndexAnchor = "indeks";

// The anchor of a help context number; contents for a number without a topic of its own.
constexpr std::string_view helpAnchor(int context) noexcept
{
    switch (context) {
    case 1:
        return "ctx1";
    case 3:
        return "ctx3";
    case 4:
        return "ctx4";
    case 5:
        return "ctx5";
    default:
        return kHelpContentsAnchor;
    }
}

}  // namespace wizor
