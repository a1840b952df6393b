#include "AdvancedDialog.h"

#include "Accessible.h"
#include "UiText.h"
#include "engine/AdvancedChoices.h"
#include "engine/EncoderSpeed.h"
#include "profiles/ProfileMarkers.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr char kSection[] = "AdvancedDialog";

template <std::size_t Slots>
void Fill(QComboBox* list, const profiles::TextList<Slots>& entries, int selected)
{
    for (int i = 0; i < entries.Count(); ++i)
        list->addItem(Qs(entries.At(i)));
    list->setCurrentIndex(selected >= 0 && selected < list->count() ? selected : -1);
}

// A list without a selection (a stored index beyond it) keeps the old value.
void Take(const QComboBox* list, std::int32_t& field)
{
    if (list->currentIndex() >= 0)
        field = list->currentIndex();
}

}  // namespace

AdvancedDialog::AdvancedDialog(QWidget* parent, const profiles::OutputProfile& profile,
                               profiles::ProfileChoice& choice, int& volume, int& dvdChapter, int& speed)
    : QDialog(parent),
      profile_(profile),
      choice_(choice),
      volume_(volume),
      dvdChapter_(dvdChapter),
      speed_(speed),
      disc_(profiles::IsDisc(profile)),
      original_(profiles::IsOriginal(profile)),
      dvdImage_(profiles::IsDvdImage(profile))
{
    setObjectName("AdvancedDialog");
    setWindowTitle(Tr(kSection, "Dialog Title"));
    form_ = new QFormLayout;

    QComboBox* format = AddList("outputFormatList", Tr("MainDialog", "Output Format"));
    format->addItem(Qs(profile.name));
    format->setEnabled(false);
    videoCodecList_ = AddList("videoCodecList", Tr(kSection, "Video Codec"));
    Fill(videoCodecList_, profile.video_codec, choice.video_codec);
    videoCodecList_->setEnabled(!profiles::IsSoundOnly(profile));
    audioCodecList_ = AddList("audioCodecList", Tr(kSection, "Audio Codec"));
    Fill(audioCodecList_, profile.audio_codec, choice.audio_codec);
    sampleRateList_ = AddList("sampleRateList", Tr(kSection, "Sample Rate"));
    Fill(sampleRateList_, profile.audio_sample, choice.audio_sample);

    volumeList_ = AddList("volumeList", Tr(kSection, "Audio Volume"));
    for (int row = 0; row < static_cast<int>(engine::kVolumeRows.size()); ++row)
        volumeList_->addItem(row == engine::kOriginalVolumeRow ? Tr("MainDialog", "Original")
                                                               : Qs(engine::kVolumeRows[row]));
    const bool fixedVolume = profiles::KeepsOriginalVolume(profile);
    const bool knownVolume = volume >= 0 && volume < volumeList_->count();
    volumeList_->setCurrentIndex(fixedVolume ? engine::kOriginalVolumeRow : knownVolume ? volume : -1);
    volumeList_->setEnabled(!fixedVolume);

    speedList_ = AddList("speedList", Tr(kSection, "Speed"));
    for (const char* row : engine::kSpeedRows)
        speedList_->addItem(Tr(kSection, row));
    ShowSpeedFor(choice.video_codec);
    connect(videoCodecList_, &QComboBox::currentIndexChanged, this, &AdvancedDialog::ShowSpeedFor);

    if (disc_) {
        QComboBox* size = AddList("sizeList", Tr("MainDialog", "Width/Height"));
        size->addItem(Qs(profile.video_size.At(choice.video_tvtype)));
        QComboBox* frame = AddList("frameRateList", Tr("MainDialog", "Frame Rate"));
        frame->addItem(Qs(profile.video_frame.At(choice.video_tvtype)));
        if (dvdImage_) {
            chapterList_ = AddList("chapterList", Tr(kSection, "DVD Chapter"));
            for (const char* row : engine::kDvdChapterRows)
                chapterList_->addItem(Qs(row));
            chapterList_->setCurrentIndex(dvdChapter >= 0 && dvdChapter < chapterList_->count() ? dvdChapter : -1);
        }
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr("General", "OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr("General", "Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &AdvancedDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

QComboBox* AdvancedDialog::AddList(const char* objectName, const QString& label)
{
    auto* list = new QComboBox(this);
    list->setObjectName(objectName);
    auto* text = new QLabel(this);
    SetLabel(text, list, label);
    form_->addRow(text, list);
    return list;
}

void AdvancedDialog::ShowSpeedFor(int videoCodecRow)
{
    profiles::ProfileChoice shown = choice_;
    shown.video_codec = videoCodecRow;
    const bool presets = engine::HasSpeedPresets(profile_, shown);
    const bool knownSpeed = speed_ >= 0 && speed_ < speedList_->count();
    speedList_->setCurrentIndex(presets && knownSpeed ? speed_ : engine::kBalancedSpeedRow);
    speedList_->setEnabled(presets);
}

void AdvancedDialog::accept()
{
    Take(videoCodecList_, choice_.video_codec);
    Take(audioCodecList_, choice_.audio_codec);
    Take(sampleRateList_, choice_.audio_sample);
    if (!original_)
        Take(volumeList_, volume_);
    if (chapterList_)
        Take(chapterList_, dvdChapter_);
    if (speedList_->isEnabled())
        Take(speedList_, speed_);
    QDialog::accept();
}

}  // namespace ui
