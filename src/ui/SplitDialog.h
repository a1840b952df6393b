#pragma once
// Marks the part of one source to convert: a start and an end time in
// whole seconds, set with a range slider or typed as hh:mm:ss.
#include <QDialog>

#include <string>

class CmEdit;
class CRangeSlider;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {
class UserDialogs;
}

class SplitDialog : public QDialog {
    Q_OBJECT
public:
    SplitDialog(unsigned duration, unsigned start, unsigned end, std::string sourcePath, app::UserDialogs& dialogs,
                QWidget* parent = nullptr);

    unsigned Start() const { return start_; }
    unsigned End() const { return end_; }

    void accept() override;

private:
    void ApplyTexts();
    void OnSliderMoved();
    void OnStartEdited();
    void OnEndEdited();
    void ShowData();
    void ShowLength(const QString& caption);
    void Warn(const char* key, const char* section);

    unsigned duration_, start_, end_;
    std::string sourcePath_;
    app::UserDialogs& dialogs_;
    bool checking_ = false;

    CRangeSlider* slider_;
    CmEdit* startEdit_;
    CmEdit* endEdit_;
    QLineEdit* minText_;
    QLineEdit* maxText_;
    QLabel* lengthLine_;
    QLabel* minLabel_;
    QLabel* startLabel_;
    QLabel* endLabel_;
    QLabel* maxLabel_;
    QPushButton* saveButton_;
    QPushButton* cancelButton_;
};
