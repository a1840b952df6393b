#pragma once
// Records every message box and answers questions from a script. Notices
// are recorded with the text and caption the window would show.
#include "app/UserDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class RecordingDialogs : public app::UserDialogs {
public:
    struct Shown {
        std::string text;
        std::string caption;
        bool question;
        std::optional<app::Notice> notice;  // when the box showed one
    };

    void Message(const std::string& text, const std::string& caption) override;
    // Answers with the next scripted answer; No when the script is empty.
    bool Question(const std::string& text, const std::string& caption) override;
    // Answers from the same script as Question (true = OK).
    bool Confirm(const std::string& text, const std::string& caption) override;

    void Report(const app::Notice& notice) override;
    bool Question(const app::Notice& question) override;
    bool Confirm(const app::Notice& question) override;
    // Records the notice and the offered choice; takes it when takeOffer is set.
    bool Offer(const app::Notice& notice, const std::string& choice) override;
    // Records the batch, then each notice as Report does.
    void ReportRefusedFiles(const std::vector<app::RefusedFile>& files) override;

    void Answer(bool yes) { answers_.push_back(yes); }

    std::vector<Shown> shown;
    std::vector<std::string> offered;  // the choices offered beside notices
    std::vector<std::vector<app::RefusedFile>> refusedBatches;
    bool takeOffer = false;

private:
    bool NextAnswer();

    std::deque<bool> answers_;
};

}  // namespace testing_support
