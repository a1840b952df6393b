#pragma once
// Texts of the main window's status line, the shutdown countdown and the
// language list, built without widgets.
#include <string>
#include <vector>

namespace ui {

// "Total Files Number" count, then "Total Duration" as hh:mm:ss.
std::string TotalsLine(int tickedRows, double totalSeconds);

// The countdown text with every "30" replaced by the seconds left.
std::string CountdownText(const std::string& text, int secondsLeft);

// Language names: the ".ini" files of dataDirectory + "Languages/",
// without extension, sorted.
std::vector<std::string> LanguageNames(const std::string& dataDirectory);
// The entry to select for the current language: the one named exactly so,
// else the last that contains the name, else the first; -1 for no entries.
int LanguageIndexToSelect(const std::vector<std::string>& names, const std::string& current);

}  // namespace ui
