#pragma once
#include "app/UserDialogs.h"

class QWidget;

// Message boxes of the running program.
class QtUserDialogs : public app::UserDialogs {
public:
    // Boxes are centred on owner; with none they have no owner window.
    explicit QtUserDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void Message(const std::string& text, const std::string& caption) override;
    bool Question(const std::string& text, const std::string& caption) override;
    bool Confirm(const std::string& text, const std::string& caption) override;

private:
    QWidget* owner_;
};
