// The output-format controls and the disc panel of the bottom strip.
#include "MainDialog.h"

#include "Accessible.h"
#include "UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";

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

void MainDialog::SetOutputFolder(const QString& folder)
{
    outputFolderEdit_->setText(folder);
}

void MainDialog::ShowDiscPanel(bool disc)
{
    bottomStrip_->setCurrentIndex(disc ? 1 : 0);
    RefreshTotals();
}

}  // namespace ui
