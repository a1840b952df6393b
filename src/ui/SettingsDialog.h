#pragma once
// The settings dialog: UI language, video decode engine, CPU usage, the
// shutdown after a finished run, the copying of streams that already fit and
// whether the source list is kept for the next start. A new language takes
// effect at once (also when the dialog is then cancelled); the other values
// only on OK.
#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace ui {

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    struct Values {
        std::string& languageFileName;
        int& decodeEngine;
        int& cpuUsage;
        int& autoShutdown;
        int& copyFitting;
        int& keepSourceList;
    };

    // languageChanged runs after a new language is loaded, so that the
    // main window re-applies its texts.
    SettingsDialog(QWidget* parent, Values values, std::function<void()> languageChanged);

    void accept() override;

private:
    void ApplyTexts();
    void FillLanguages();
    void OnLanguageChosen(int index);

    Values values_;
    std::function<void()> languageChanged_;
    int openingDecodeEngine_;
    int openingCpuUsage_;
    int openingAutoShutdown_;
    int openingCopyFitting_;
    int openingKeepSourceList_;

    QLabel* languageLabel_;
    QComboBox* languageList_;
    QLabel* decodeEngineLabel_;
    QComboBox* decodeEngineList_;
    QLabel* cpuUsageLabel_;
    QComboBox* cpuUsageList_;
    QCheckBox* autoShutdown_;
    QCheckBox* copyFitting_;
    QCheckBox* keepSourceList_;
    QDialogButtonBox* buttons_;
};

}  // namespace ui
