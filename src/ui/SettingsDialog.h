#pragma once
// The settings dialog: UI language, video decode engine, CPU usage, how
// many conversions run at once, what happens when a run is done (nothing,
// shut down, suspend, quit), the copying of streams that already fit and
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
        int& copyFitting;
        int& whenDone;  // an app::WhenDone
        int& keepSourceList;
        int& simultaneousConversions;  // 0 Automatic, else 1..4
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
    int openingCopyFitting_;
    int openingWhenDone_;
    int openingKeepSourceList_;
    int openingSimultaneousConversions_;

    QLabel* languageLabel_;
    QComboBox* languageList_;
    QLabel* decodeEngineLabel_;
    QComboBox* decodeEngineList_;
    QLabel* cpuUsageLabel_;
    QComboBox* cpuUsageList_;
    QCheckBox* copyFitting_;
    QLabel* whenDoneLabel_;
    QComboBox* whenDoneList_;
    QCheckBox* keepSourceList_;
    QLabel* simultaneousLabel_;
    QComboBox* simultaneousList_;
    QDialogButtonBox* buttons_;
};

}  // namespace ui
