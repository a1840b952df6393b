#pragma once
// Asks for a frame width and height of 16 to 1920 pixels each.
#include <QDialog>

class QLineEdit;

namespace app {
class UserDialogs;
}

namespace ui {

class CustomResolutionDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimum = 16;
    static constexpr int kMaximum = 1920;

    // width and height are shown as given (decimal texts, "0" for none yet).
    CustomResolutionDialog(QWidget* parent, app::UserDialogs& dialogs, const QString& width, const QString& height);

    QString Width() const;
    QString Height() const;

    // Refuses sizes outside the range with a message and stays open.
    void accept() override;

private:
    app::UserDialogs& dialogs_;
    QLineEdit* width_;
    QLineEdit* height_;
};

}  // namespace ui
