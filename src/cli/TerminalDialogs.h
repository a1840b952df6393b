#pragma once
// Message boxes and questions on a terminal: each text goes to standard
// error as one line, "diziv-cli: " and the text without the line breaks and
// blank framing the boxes use; a question takes its safe answer (No,
// Cancel) unless the user gave --yes.
#include "app/UserDialogs.h"

#include <functional>
#include <ostream>

namespace cli {

class TerminalDialogs : public app::UserDialogs {
public:
    TerminalDialogs(std::ostream& out, bool assumeYes) : out_(out), assumeYes_(assumeYes) {}

    // Runs before anything is printed, so that a live progress line can end first.
    void SetBeforeOutput(std::function<void()> beforeOutput) { beforeOutput_ = std::move(beforeOutput); }

    void Message(const std::string& text, const std::string& caption) override;
    bool Question(const std::string& text, const std::string& caption) override;
    bool Confirm(const std::string& text, const std::string& caption) override;

    void Report(const app::Notice& notice) override;
    bool Question(const app::Notice& question) override;
    bool Confirm(const app::Notice& question) override;

private:
    bool Ask(const std::string& text, const char* yes, const char* no);
    void Print(const std::string& text);

    std::ostream& out_;
    bool assumeYes_;
    std::function<void()> beforeOutput_;
};

// A message box text as one line: every run of blanks and line breaks
// becomes one blank, none at either end.
std::string TidyMessage(const std::string& text);

}  // namespace cli
