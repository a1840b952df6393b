#include "TerminalDialogs.h"

#include "app/NoticeText.h"

#include <sstream>

namespace cli {

std::string TidyMessage(const std::string& text)
{
    std::istringstream words(text);
    std::string tidy;
    for (std::string word; words >> word;) {
        if (!tidy.empty())
            tidy += ' ';
        tidy += word;
    }
    return tidy;
}

void TerminalDialogs::Print(const std::string& text)
{
    if (beforeOutput_)
        beforeOutput_();
    out_ << "diziv-cli: " << TidyMessage(text) << "\n" << std::flush;
}

void TerminalDialogs::Message(const std::string& text, const std::string&)
{
    Print(text);
}

// The job's own final message counts only the sources it converted; the
// summary line printed after it counts the refused ones too, so it stands
// in for the message.
void TerminalDialogs::Report(const app::Notice& notice)
{
    using app::NoticeId;
    if (notice.id == NoticeId::JobAccomplished || notice.id == NoticeId::JobPartlyFailed ||
        notice.id == NoticeId::JobOutputMade)
        return;
    Print(app::NoticeText(notice));
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

bool TerminalDialogs::Question(const app::Notice& question)
{
    return Question(app::NoticeText(question), "");
}

bool TerminalDialogs::Confirm(const app::Notice& question)
{
    return Confirm(app::NoticeText(question), "");
}

}  // namespace cli
