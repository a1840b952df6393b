#pragma once
#include "app/UserDialogs.h"

class QWidget;

// Message boxes of the running program; the core's notices are worded and
// captioned by app::NoticeText and app::NoticeCaption.
class QtUserDialogs : public app::UserDialogs {
public:
    // Boxes are centred on owner; with none they have no owner window.
    explicit QtUserDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void Message(const std::string& text, const std::string& caption) override;
    bool Question(const std::string& text, const std::string& caption) override;
    bool Confirm(const std::string& text, const std::string& caption) override;

    void Report(const app::Notice& notice) override;
    bool Question(const app::Notice& question) override;
    bool Confirm(const app::Notice& question) override;
    bool Offer(const app::Notice& notice, const std::string& choice) override;
    // One warning box listing every refused file with its reasons.
    void ReportRefusedFiles(const std::vector<app::RefusedFile>& files) override;

private:
    QWidget* owner_;
};
