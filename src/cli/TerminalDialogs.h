#pragma once
// Message boxes and questions on a terminal: the text goes to standard
// error without the blank framing the boxes use; a question takes its safe
// answer (No, Cancel) unless the user gave --yes.
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

private:
    bool Ask(const std::string& text, const char* yes, const char* no);
    void Print(const std::string& text);

    std::ostream& out_;
    bool assumeYes_;
    std::function<void()> beforeOutput_;
};

// The lines of a message box text, each trimmed, empty ones left out.
std::string TidyMessage(const std::string& text);

}  // namespace cli
