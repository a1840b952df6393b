#pragma once
// Shows what the probe found out about one source. For a source with its
// own audio or subtitle tracks ("Video Properties") it also chooses the
// audio track, the subtitle track to burn in and the subtitle charset and
// text size; sources without tracks get the display-only window.
#include "SubtitleOptions.h"
#include "engine/SourceItem.h"

#include <QDialog>

#include <string>

class QComboBox;

namespace app {
class UserDialogs;
}

class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    struct Choice {
        int audioTrack = -1;
        int subtitleTrack = -1;
        subtitle_options::SubtitleStyle style;
    };

    // failureReason, when given, says why the source's last conversion failed.
    PropertiesDialog(const engine::SourceItem& item, app::UserDialogs& dialogs, QWidget* parent = nullptr,
                     const std::string& failureReason = "");

    // True for the window with the track choices.
    bool ChoosesTracks() const { return audioList_ != nullptr; }
    // Valid after the dialog was accepted.
    const Choice& Result() const { return choice_; }

    void accept() override;

private:
    QWidget* FactsGroup(const engine::SourceItem& item, const std::string& failureReason);
    QWidget* ChoicesGroup(const engine::SourceItem& item);

    app::UserDialogs& dialogs_;
    Choice choice_;
    QComboBox* audioList_ = nullptr;
    QComboBox* subtitleList_ = nullptr;
    QComboBox* charsetList_ = nullptr;
    QComboBox* textSizeList_ = nullptr;
};
