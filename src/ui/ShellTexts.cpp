#include "ShellTexts.h"

#include "app/Utilities.h"
#include "lang/IniTextFile.h"

#include <algorithm>
#include <filesystem>

namespace ui {

std::string TotalsLine(int tickedRows, double totalSeconds)
{
    return lang::Text("MainDialog", "Total Files Number") + std::to_string(tickedRows) + "      " +
           lang::Text("MainDialog", "Total Duration") + app::SecondsToClock(totalSeconds);
}

std::string CountdownText(const std::string& text, int secondsLeft)
{
    const std::string number = std::to_string(secondsLeft);
    std::string result;
    std::size_t start = 0;
    for (std::size_t found; (found = text.find("30", start)) != std::string::npos; start = found + 2)
        result += text.substr(start, found - start) + number;
    return result + text.substr(start);
}

std::vector<std::string> LanguageNames(const std::string& dataDirectory)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dataDirectory + "Languages", error)) {
        if (entry.path().extension() == ".ini" && entry.is_regular_file(error))
            names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

int LanguageIndexToSelect(const std::vector<std::string>& names, const std::string& current)
{
    if (names.empty())
        return -1;
    int chosen = 0;
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        if (names[i] == current)
            return i;
        if (names[i].find(current) != std::string::npos)
            chosen = i;
    }
    return chosen;
}

}  // namespace ui
