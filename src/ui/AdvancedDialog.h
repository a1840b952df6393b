#pragma once
// The less common choices of the current profile: video and audio codec,
// sample rate, audio volume and the encoder's speed (only for a video codec
// with speed presets; otherwise Balanced and disabled). Disc profiles also
// show, read-only, the frame size and rate of the chosen TV type, and DVD
// folders the chapter length. OK stores into the profile's choices and the
// settings.
#include "profiles/OutputProfile.h"
#include "profiles/ProfileChoice.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLabel;

namespace ui {

class AdvancedDialog : public QDialog {
    Q_OBJECT
public:
    AdvancedDialog(QWidget* parent, const profiles::OutputProfile& profile, profiles::ProfileChoice& choice,
                   int& volume, int& dvdChapter, int& speed);

    bool DiscLayout() const { return disc_; }

    void accept() override;

private:
    QComboBox* AddList(const char* objectName, const QString& label);
    // Enables the speed list for the video codec row chosen now.
    void ShowSpeedFor(int videoCodecRow);

    const profiles::OutputProfile& profile_;
    profiles::ProfileChoice& choice_;
    int& volume_;
    int& dvdChapter_;
    int& speed_;
    bool disc_;
    bool original_;
    bool dvdImage_;

    QFormLayout* form_;
    QComboBox* videoCodecList_;
    QComboBox* audioCodecList_;
    QComboBox* sampleRateList_;
    QComboBox* volumeList_;
    QComboBox* speedList_;
    QComboBox* chapterList_ = nullptr;
};

}  // namespace ui
