// The output-format controls and the disc panel of the bottom strip.
#include "MainDialog.h"

#include "Accessible.h"
#include "AdvancedDialog.h"
#include "CustomResolutionDialog.h"
#include "FormatRules.h"
#include "OutputFormatDialog.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/SettingsStore.h"
#include "app/UserDialogs.h"
#include "controls/SizeRange.h"
#include "engine/DiscRules.h"
#include "profiles/ChoiceEntries.h"
#include "profiles/FamilyOrder.h"
#include "profiles/ProfileMarkers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";
const QColor kBarColour(35, 126, 216);
const QColor kOverCapacityColour(218, 17, 5);

// Selects a row, or nothing when the index lies beyond the list.
void SelectRow(QComboBox* list, int row)
{
    list->setCurrentIndex(row >= 0 && row < list->count() ? row : -1);
}

QString CustomSizeText(int width, int height)
{
    if (width == 0)
        return Tr(kSection, "Custom") + "...";
    return QStringLiteral("%1 (%2x%3)").arg(Tr(kSection, "Custom")).arg(width).arg(height);
}

// Original and Auto entries show their translated word, others their text.
QString EntryText(profiles::EntryKind kind, const std::string& text)
{
    if (kind == profiles::EntryKind::Original)
        return Tr(kSection, "Original");
    if (kind == profiles::EntryKind::Auto)
        return Tr(kSection, "Auto");
    return Qs(text);
}

QString SizeText(const profiles::SizeEntry& entry, const profiles::ProfileChoice& choice)
{
    if (entry.kind == profiles::EntryKind::Custom)
        return CustomSizeText(choice.custom_width, choice.custom_height);
    return EntryText(entry.kind, entry.text);
}

QString AspectText(const profiles::AspectEntry& entry)
{
    switch (entry.ratio) {
    case profiles::AspectRatio::FourThree:
        return Tr(kSection, "4:3 Standard TV");
    case profiles::AspectRatio::SixteenNine:
        return Tr(kSection, "16:9 Wide TV");
    case profiles::AspectRatio::None:
        break;
    }
    return EntryText(entry.kind, entry.text);
}

// Keeps the stored index when the list shows no selection.
void TakeRow(const QComboBox* list, std::int32_t& field)
{
    if (list->currentIndex() >= 0)
        field = list->currentIndex();
}

}  // namespace

void MainDialog::ApplyOutputTexts()
{
    SetLabel(outputFolderLabel_, outputFolderEdit_, Tr(kSection, "Output Folder"));
    SetLabel(outputFormatLabel_, outputFormatList_, Tr(kSection, "Output Format"));
    SetLabel(videoQualityLabel_, videoQualityList_, Tr(kSection, "Video Quality"));
    SetLabel(audioQualityLabel_, audioQualityList_, Tr(kSection, "Audio Quality"));
    SetLabel(sizeLabel_, sizeList_, Tr(kSection, "Width/Height"));
    SetLabel(frameRateLabel_, frameRateList_, Tr(kSection, "Frame Rate"));
    SetLabel(tvTypeLabel_, tvTypeList_, Tr(kSection, "TV Type"));
    SetLabel(discLabelLabel_, discLabelEdit_, Tr(kSection, "Disc Label"));
    SetLabel(aspectRatioLabel_, aspectRatioList_, Tr(kSection, "Aspect Ratio"));
    letterBoxCheck_->setText(Tr(kSection, "Add Letter Box"));
    changeFolderButton_->setText(Tr(kSection, "Change..."));
    openFolderButton_->setText(Tr(kSection, "Open"));
    advancedButton_->setText(Tr(kSection, "Advanced"));
}

void MainDialog::ConnectFormatControls()
{
    connect(outputFormatList_, &QComboBox::activated, this, [this] { OnFormatChanged(); });
    connect(videoQualityList_, &QComboBox::activated, this, [this] { OnVideoQualityChanged(); });
    connect(tvTypeList_, &QComboBox::activated, this, [this] { OnTvTypeChanged(); });
    connect(sizeList_, &QComboBox::activated, this, [this] { OnSizeChanged(); });
}

std::vector<bool> MainDialog::ShownProfiles() const
{
    const profiles::ProfileCatalogue& catalogue = app::Settings().catalogue;
    std::vector<bool> shown;
    for (int slot = 0; slot < catalogue.Count(); ++slot)
        shown.push_back(catalogue.Choice(slot)->showprofile == 1);
    return shown;
}

void MainDialog::SetOutputFolder(const QString& folder)
{
    outputFolderEdit_->setText(folder);
    app::Settings().OutputFolder = Ss(folder);
}

void MainDialog::FillFormatList()
{
    app::SettingsStore& settings = app::Settings();
    const profiles::ProfileCatalogue& catalogue = settings.catalogue;
    const std::vector<bool> shown = ShownProfiles();
    const std::vector<int> order = profiles::SlotsInFamilyOrder(catalogue);
    outputFormatList_->clear();
    for (int slot : order) {
        if (!shown[slot])
            continue;
        const std::string& name = catalogue.Profile(slot)->name;
        outputFormatList_->addItem(slot == 0 && name == "Same as original video" ? Tr(kSection, "Same as original")
                                                                                  : Qs(name));
    }
    outputFolderEdit_->setText(Qs(settings.OutputFolder));
    SelectRow(outputFormatList_, RowOfProfile(order, shown, settings.OutputFormat));
    previousProfile_ = settings.OutputFormat;
    const ExtraFormatRow extra = ExtraRowOf(shown);
    if (extra != ExtraFormatRow::None)
        outputFormatList_->addItem(
            Tr(kSection, extra == ExtraFormatRow::Hide ? "Hide Output Formats" : "More Output Formats"));
    ShowProfileControls();
}

int MainDialog::CurrentProfileFromList() const
{
    return ProfileOfRow(profiles::SlotsInFamilyOrder(app::Settings().catalogue), ShownProfiles(),
                        outputFormatList_->currentIndex());
}

void MainDialog::OnFormatChanged()
{
    SaveMainWindowState();
    app::SettingsStore& settings = app::Settings();
    const bool moreRow = ExtraRowOf(ShownProfiles()) != ExtraFormatRow::None &&
                         outputFormatList_->currentIndex() == outputFormatList_->count() - 1;
    if (moreRow) {
        OutputFormatDialog dialog(this, dialogs_, settings.catalogue, previousProfile_);
        const bool changed = dialog.exec() == QDialog::Accepted && !dialog.CurrentStillShown();
        settings.OutputFormat = changed ? dialog.FirstShown() : previousProfile_;
        FillFormatList();
        return;
    }
    ShowProfileControls();
    previousProfile_ = settings.OutputFormat;
}

// Without a current profile the profile controls are emptied, so that
// nothing shows choices of a profile that is no longer current.
void MainDialog::ShowProfileControls()
{
    app::SettingsStore& settings = app::Settings();
    settings.OutputFormat = CurrentProfileFromList();
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    for (QComboBox* list : {videoQualityList_, audioQualityList_, frameRateList_, tvTypeList_, sizeList_,
                            aspectRatioList_})
        list->clear();
    if (!profile) {
        ShowPictureControls(true);
        ShowDiscPanel(false);
        return;
    }
    const profiles::ProfileChoice& choice = *settings.catalogue.Choice(settings.OutputFormat);

    for (int i = 0; i < profile->video_quality.Count(); ++i)
        videoQualityList_->addItem(Tr(kSection, profile->video_quality.At(i).c_str()));
    SelectRow(videoQualityList_, choice.video_quality);

    const bool disc = profiles::IsDisc(*profile);
    const bool discImage = disc && profiles::IsDiscImage(*profile);
    sizeLabel_->setVisible(!discImage);
    sizeList_->setVisible(!discImage);
    discLabelLabel_->setVisible(discImage);
    discLabelEdit_->setVisible(discImage);
    frameRateLabel_->setVisible(!disc);
    frameRateList_->setVisible(!disc);
    tvTypeLabel_->setVisible(disc);
    tvTypeList_->setVisible(disc);
    if (!disc) {
        for (const profiles::SizeEntry& entry : profiles::SizeEntries(*profile))
            sizeList_->addItem(SizeText(entry, choice));
        SelectRow(sizeList_, choice.video_size);
        for (const profiles::FrameEntry& entry : profiles::FrameEntries(*profile))
            frameRateList_->addItem(EntryText(entry.kind, entry.text));
        SelectRow(frameRateList_, choice.video_frame);
    } else {
        if (!discImage) {
            sizeList_->addItem(Qs(profile->video_size.At(choice.video_tvtype)));
            sizeList_->setCurrentIndex(0);
        }
        for (int i = 0; i < profile->video_tvtype.Count(); ++i)
            tvTypeList_->addItem(Qs(profile->video_tvtype.At(i)));
        SelectRow(tvTypeList_, choice.video_tvtype);
    }

    letterBoxCheck_->setChecked(choice.video_letterbox != 0);
    for (const profiles::AspectEntry& entry : profiles::AspectEntries(*profile))
        aspectRatioList_->addItem(AspectText(entry));
    SelectRow(aspectRatioList_, choice.video_aspect);
    for (int i = 0; i < profile->audio_quality.Count(); ++i)
        audioQualityList_->addItem(Tr(kSection, profile->audio_quality.At(i).c_str()));
    SelectRow(audioQualityList_, choice.audio_quality);

    ShowPictureControls(!profiles::IsSoundOnly(*profile));
    discLabelEdit_->setText(Qs(settings.DiscLabel));
    if (profiles::IsDiscImage(*profile)) {
        ConfigureCapacityRuler();
        ShowDiscPanel(true);
    } else {
        ShowDiscPanel(false);
    }
    outputFolderEdit_->setText(Qs(settings.OutputFolder));
}

// A sound-only profile greys the choices of the picture; they keep their
// stored values for when a profile with a picture is chosen again.
void MainDialog::ShowPictureControls(bool picture)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             videoQualityLabel_, videoQualityList_, sizeLabel_, sizeList_, frameRateLabel_, frameRateList_,
             aspectRatioLabel_, aspectRatioList_, letterBoxCheck_})
        control->setEnabled(picture);
    UpdateCommandStates();
}

bool MainDialog::CurrentProfileIsSoundOnly() const
{
    const app::SettingsStore& settings = app::Settings();
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    return profile && profiles::IsSoundOnly(*profile);
}

void MainDialog::SaveMainWindowState()
{
    app::SettingsStore& settings = app::Settings();
    settings.OutputFolder = Ss(outputFolderEdit_->text());
    settings.DiscLabel = Ss(discLabelEdit_->text());
    if (settings.OutputFormat < 0)
        return;
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    if (profile) {
        profiles::ProfileChoice& choice = *settings.catalogue.Choice(settings.OutputFormat);
        TakeRow(videoQualityList_, choice.video_quality);
        if (!profiles::IsDiscImage(*profile))
            TakeRow(sizeList_, choice.video_size);
        if (profiles::IsDisc(*profile))
            TakeRow(tvTypeList_, choice.video_tvtype);
        else
            TakeRow(frameRateList_, choice.video_frame);
        TakeRow(aspectRatioList_, choice.video_aspect);
        choice.video_letterbox = letterBoxCheck_->isChecked() ? 1 : 0;
        TakeRow(audioQualityList_, choice.audio_quality);
    }
    settings.SaveSettings();
}

void MainDialog::ConfigureCapacityRuler()
{
    const app::SettingsStore& settings = app::Settings();
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    if (!profile)
        return;
    const engine::DiscCapacity capacity =
        engine::DiscCapacityFor(profile->kind, settings.catalogue.Choice(settings.OutputFormat)->video_quality);
    capacityRuler_->ClearMarks();
    capacityRuler_->ClearSegments();
    capacityRuler_->SetUnitText("min");
    capacityRuler_->AddSegment(0, kBarColour);
    capacityRuler_->SetMaximum(capacity.maximum);
    capacityRuler_->SetMinorStep(capacity.minorStep);
    capacityRuler_->SetLabelStep(capacity.labelStep);
    capacityRuler_->AddMark(capacity.capacityMinutes, kOverCapacityColour, false);
    capacityRuler_->AddSegment(capacity.capacityMinutes, kOverCapacityColour);
    discCapacityMinutes_ = capacity.capacityMinutes;
}

void MainDialog::OnVideoQualityChanged()
{
    SaveMainWindowState();
    ConfigureCapacityRuler();
}

void MainDialog::OnTvTypeChanged()
{
    const app::SettingsStore& settings = app::Settings();
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    if (!profile)
        return;
    sizeList_->clear();
    sizeList_->addItem(Qs(profile->video_size.At(tvTypeList_->currentIndex())));
    sizeList_->setCurrentIndex(0);
}

void MainDialog::OnSizeChanged()
{
    app::SettingsStore& settings = app::Settings();
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    profiles::ProfileChoice* choice = settings.catalogue.Choice(settings.OutputFormat);
    const int row = sizeList_->currentIndex();
    if (!profile || !choice || profiles::IsDisc(*profile) ||
        profiles::SizeEntryAt(*profile, row).kind != profiles::EntryKind::Custom)
        return;
    CustomResolutionDialog dialog(this, dialogs_, QString::number(choice->custom_width),
                                  QString::number(choice->custom_height));
    if (dialog.exec() == QDialog::Accepted) {
        choice->custom_width = dialog.Width().toInt();
        choice->custom_height = dialog.Height().toInt();
        sizeList_->setItemText(row, CustomSizeText(choice->custom_width, choice->custom_height));
        sizeList_->setCurrentIndex(row);
    } else if (choice->custom_width == 0) {
        sizeList_->setCurrentIndex(0);
    }
}

int MainDialog::CheckDiscLabel()
{
    const app::SettingsStore& settings = app::Settings();
    const app::Outcome label =
        engine::CheckDiscLabel(settings.catalogue.Profile(settings.OutputFormat), Ss(discLabelEdit_->text()));
    app::ReportFailure(dialogs_, label);
    return label ? 1 : 0;
}

void MainDialog::OnAdvanced()
{
    SaveMainWindowState();
    app::SettingsStore& settings = app::Settings();
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    if (!profile) {
        dialogs_.Message("Failed to get output format settings. ", app::Application().appName);
        return;
    }
    AdvancedDialog dialog(this, *profile, *settings.catalogue.Choice(settings.OutputFormat), settings.Volume,
                          settings.DVDChapter, settings.Speed);
    dialog.exec();
}

void MainDialog::ShowDiscPanel(bool disc)
{
    bottomStrip_->setCurrentIndex(disc ? 1 : 0);
    RefreshTotals();
}

}  // namespace ui
