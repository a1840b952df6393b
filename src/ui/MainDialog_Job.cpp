// The window's side of a conversion run: the busy state, the row being
// converted and the progress display.
#include "MainDialog.h"

#include "SourceListModel.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/SettingsStore.h"
#include "profiles/ProfileMarkers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

namespace ui {

namespace {

constexpr int kProgressFull = 10000;

bool DiscImageProfileSelected()
{
    const app::SettingsStore& settings = app::Settings();
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    return profile && profiles::IsDiscImage(*profile);
}

}  // namespace

void MainDialog::SetBusy(bool busy)
{
    busy_ = busy;
    // Disc image profiles show the disc ruler in place of the progress bar
    // while idle; a run needs the bar.
    if (DiscImageProfileSelected())
        ShowDiscPanel(!busy);
    progressBar_->setRange(0, kProgressFull);
    progressBar_->setValue(0);
    elapsedTime_->setVisible(busy);
    rowCount_->setVisible(busy);
    timeLeft_->setVisible(busy);
    rowCount_->clear();
    timeLeft_->clear();
    setWindowTitle(Qs(app::Application().appName));
    for (QWidget* control : std::initializer_list<QWidget*>{
             changeFolderButton_, outputFormatList_, advancedButton_, videoQualityList_, audioQualityList_,
             frameRateList_, sizeList_, aspectRatioList_, discLabelEdit_, letterBoxCheck_, tvTypeList_})
        control->setEnabled(!busy);
    if (!busy)
        ShowPictureControls(!CurrentProfileIsSoundOnly());
    stopButton_->setEnabled(busy);
    // Paths handed in during the run are added once it has wound up.
    if (!busy)
        QTimer::singleShot(0, this, [this] { AddWaitingPaths(); });
    Q_EMIT busyChanged(busy);
}

void MainDialog::HighlightRow(int row)
{
    const QModelIndex index = sources_->index(row, 0);
    if (!index.isValid()) {
        sourceList_->clearSelection();
        return;
    }
    sourceList_->setCurrentIndex(index);
    sourceList_->scrollTo(index);
}

void MainDialog::ShowProgress(const engine::ProgressView& view)
{
    progressBar_->setValue(view.position);
    statusLine_->setText(Qs(view.stageLine));
    elapsedTime_->setText(Qs(view.elapsedLine));
    rowCount_->setText(Qs(view.countLine));
    timeLeft_->setText(Qs(view.timeLeftLine));
    setWindowTitle(Qs(view.titlePrefix) + Qs(app::Application().appName));
}

}  // namespace ui
