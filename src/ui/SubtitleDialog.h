#pragma once
// Attaches an external subtitle file to a source, with the charset it is
// written in and the text size to burn it in with. A chosen file's charset
// is detected and preselected; a preview shows its first lines as the
// selected charset reads them.
#include "SubtitleOptions.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace app {
class UserDialogs;
}

class SubtitleDialog : public QDialog {
    Q_OBJECT
public:
    struct Choice {
        std::string subtitleFile;
        subtitle_options::SubtitleStyle style;
    };

    // Asks for a subtitle file starting in the given folder; "" on cancel.
    using FileChooser = std::function<std::string(QWidget* parent, const std::string& folder)>;

    SubtitleDialog(const std::string& sourcePath, const Choice& current, app::UserDialogs& dialogs,
                   QWidget* parent = nullptr);

    // Replaces the file dialog, for tests.
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Valid after the dialog was accepted.
    const Choice& Result() const { return choice_; }

    void accept() override;

private:
    void OnBrowse();
    void ShowPreview();

    std::string sourcePath_;
    Choice choice_;
    app::UserDialogs& dialogs_;
    FileChooser chooseFile_;

    QLineEdit* sourceEdit_;
    QComboBox* charsetList_;
    QComboBox* textSizeList_;
    QLineEdit* subtitleEdit_;
    QPushButton* browseButton_;
    QPlainTextEdit* preview_;
};
