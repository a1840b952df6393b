#include "TerminalDialogs.h"

#include <sstream>

namespace cli {

std::string TidyMessage(const std::string& text)
{
    std::istringstream lines(text);
    std::string tidy;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        tidy += line.substr(first, line.find_last_not_of(" \t\r") - first + 1) + "\n";
    }
    return tidy;
}

void TerminalDialogs::Print(const std::string& text)
{
    if (beforeOutput_)
        beforeOutput_();
    out_ << TidyMessage(text) << std::flush;
}

void TerminalDialogs::Message(const std::string& text, const std::string&)
{
    Print(text);
}

bool TerminalDialogs::Ask(const std::string& text, const char* yes, const char* no)
{
    Print(text);
    if (assumeYes_)
        out_ << "-> " << yes << " (--yes)\n";
    else
        out_ << "-> " << no << " (--yes would answer " << yes << ")\n";
    out_ << std::flush;
    return assumeYes_;
}

bool TerminalDialogs::Question(const std::string& text, const std::string&)
{
    return Ask(text, "Yes", "No");
}

bool TerminalDialogs::Confirm(const std::string& text, const std::string&)
{
    return Ask(text, "OK", "Cancel");
}

}  // namespace cli
