#include "PropertiesDialog.h"

#include "SubtitleOptions.h"
#include "engine/SourceFacts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using subtitle_options::LanguageText;

namespace {

void AddRow(QFormLayout* form, const QString& label, QWidget* field, const char* objectName)
{
    field->setObjectName(objectName);
    field->setAccessibleName(label);
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    form->addRow(caption, field);
}

void AddValue(QFormLayout* form, const QString& label, const std::string& value, const char* objectName)
{
    auto* edit = new QLineEdit(QString::fromStdString(value));
    edit->setReadOnly(true);
    AddRow(form, label, edit, objectName);
}

QGroupBox* Group(const QString& title, QFormLayout* form)
{
    auto* group = new QGroupBox(title);
    group->setLayout(form);
    return group;
}

// The probe leaves what it could not find out at 0 (Matroska, for one, stores
// no bit rate per stream). Such facts read "unknown" rather than "0 kbps" or
// "0.000"; a fact the engine already hides keeps its own marker.
engine::SourceFacts ShownFacts(const engine::SourceItem& item)
{
    engine::SourceFacts shown = engine::DescribeSource(item, !engine::HasTracks(item));
    const engine::SourceFacts plain = engine::DescribeSource(item, false);
    const std::string unknown = LanguageText("PropertiesDialog", "Unknown Value").toStdString();
    auto markUnknown = [&](std::string engine::SourceFacts::*fact, bool known) {
        if (!known && shown.*fact == plain.*fact)
            shown.*fact = unknown;
    };
    markUnknown(&engine::SourceFacts::videoBitrate, item.videoBitrate > 0);
    markUnknown(&engine::SourceFacts::frameSize, item.width > 0 && item.height > 0);
    markUnknown(&engine::SourceFacts::frameRate, item.frameRate > 0);
    markUnknown(&engine::SourceFacts::audioBitrate, item.audioBitrate > 0);
    markUnknown(&engine::SourceFacts::sampleRate, item.sampleRate > 0);
    markUnknown(&engine::SourceFacts::channels, item.channels > 0);
    if (item.soundOnly) {
        const std::string none = LanguageText("PropertiesDialog", "No Picture Value").toStdString();
        shown.videoCodec = shown.videoBitrate = shown.frameSize = shown.frameRate = none;
    }
    return shown;
}

}  // namespace

PropertiesDialog::PropertiesDialog(const engine::SourceItem& item, app::UserDialogs& dialogs, QWidget* parent,
                                   const std::string& failureReason)
    : QDialog(parent), dialogs_(dialogs)
{
    setWindowTitle(LanguageText("PropertiesDialog", "Dialog Title"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FactsGroup(item, failureReason));
    const bool choosesTracks = engine::HasTracks(item);
    if (choosesTracks)
        layout->addWidget(ChoicesGroup(item));

    auto* buttons = new QDialogButtonBox(choosesTracks ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                                       : QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(LanguageText("General", "OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    if (choosesTracks) {
        buttons->button(QDialogButtonBox::Cancel)->setText(LanguageText("General", "Cancel"));
        buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    }
    layout->addWidget(buttons);
    setMinimumWidth(520);
    connect(buttons, &QDialogButtonBox::accepted, this, &PropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PropertiesDialog::reject);
}

QWidget* PropertiesDialog::FactsGroup(const engine::SourceItem& item, const std::string& failureReason)
{
    const engine::SourceFacts facts = ShownFacts(item);
    auto* general = new QFormLayout;
    AddValue(general, LanguageText("PropertiesDialog", "File Location"), facts.location, "locationValue");
    AddValue(general, LanguageText("PropertiesDialog", "Media Duration"), facts.duration, "durationValue");
    AddValue(general, LanguageText("PropertiesDialog", "File Size"), facts.fileSize, "fileSizeValue");
    if (!failureReason.empty())
        AddValue(general, LanguageText("PropertiesDialog", "Failure Reason"), failureReason, "failureReasonValue");
    auto* video = new QFormLayout;
    AddValue(video, LanguageText("AdvancedDialog", "Video Codec"), facts.videoCodec, "videoCodecValue");
    AddValue(video, LanguageText("PropertiesDialog", "Video Bitrate"), facts.videoBitrate, "videoBitrateValue");
    AddValue(video, LanguageText("MainDialog", "Width/Height"), facts.frameSize, "frameSizeValue");
    AddValue(video, LanguageText("MainDialog", "Frame Rate"), facts.frameRate, "frameRateValue");
    auto* audio = new QFormLayout;
    AddValue(audio, LanguageText("AdvancedDialog", "Audio Codec"), facts.audioCodec, "audioCodecValue");
    AddValue(audio, LanguageText("PropertiesDialog", "Audio Bitrate"), facts.audioBitrate, "audioBitrateValue");
    AddValue(audio, LanguageText("AdvancedDialog", "Sample Rate"), facts.sampleRate, "sampleRateValue");
    AddValue(audio, LanguageText("PropertiesDialog", "Channel"), facts.channels, "channelsValue");

    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Group(LanguageText("PropertiesDialog", "General"), general));
    auto* media = new QHBoxLayout;
    media->addWidget(Group(LanguageText("PropertiesDialog", "Video"), video));
    media->addWidget(Group(LanguageText("PropertiesDialog", "Audio Stream"), audio));
    layout->addLayout(media);
    return box;
}

QWidget* PropertiesDialog::ChoicesGroup(const engine::SourceItem& item)
{
    audioList_ = new QComboBox;
    for (const std::string& line : engine::TrackLines(item, engine::kTrackAudio))
        audioList_->addItem(QString::fromStdString(line));
    audioList_->setCurrentIndex(item.audioTrack);

    subtitleList_ = new QComboBox;
    subtitleList_->addItem(LanguageText("PropertiesDialog", "No Subtitle"));
    for (const std::string& line : engine::TrackLines(item, engine::kTrackSubtitle))
        subtitleList_->addItem(QString::fromStdString(line));
    subtitleList_->setCurrentIndex(item.subtitleTrack + 1);

    charsetList_ = new QComboBox;
    subtitle_options::FillCharsetList(charsetList_, item.subtitleCharset);
    textSizeList_ = new QComboBox;
    subtitle_options::FillTextSizeList(textSizeList_, item.subtitleTextSize);

    auto* audio = new QFormLayout;
    AddRow(audio, LanguageText("PropertiesDialog", "Audio Track"), audioList_, "audioTrackList");
    auto* subtitle = new QFormLayout;
    AddRow(subtitle, LanguageText("PropertiesDialog", "Subtitle Track"), subtitleList_, "subtitleTrackList");
    AddRow(subtitle, LanguageText("PropertiesDialog", "Subtitle Charset"), charsetList_, "charsetList");
    AddRow(subtitle, LanguageText("PropertiesDialog", "Subtitle Text Size"), textSizeList_, "textSizeList");

    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Group(LanguageText("PropertiesDialog", "Audio Tracks"), audio));
    layout->addWidget(Group(LanguageText("PropertiesDialog", "Subtitle"), subtitle));
    return box;
}

void PropertiesDialog::accept()
{
    if (!ChoosesTracks()) {
        QDialog::accept();
        return;
    }
    choice_.audioTrack = audioList_->currentIndex();
    choice_.subtitleTrack = subtitleList_->currentIndex() - 1;
    if (subtitle_options::ReadChosenStyle(charsetList_, textSizeList_, dialogs_, choice_.style))
        QDialog::accept();
}
