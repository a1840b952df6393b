// The commands that edit one source: its subtitle file, its track and
// subtitle choices (Properties) and its trim range (Split); and the log of
// its last conversion (Show Log).
#include "MainDialog.h"

#include "LogDialog.h"
#include "PropertiesDialog.h"
#include "SourceListModel.h"
#include "SplitDialog.h"
#include "SubtitleDialog.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/UserDialogs.h"

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";

}  // namespace

int MainDialog::SingleSelectedRow()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.size() == 1)
        return rows.front();
    dialogs_.Message(lang::Text(kSection, rows.empty() ? "Select a video" : "Select only one"),
                     app::Application().appName);
    return -1;
}

void MainDialog::OnSubtitle()
{
    const int row = SingleSelectedRow();
    if (row < 0)
        return;
    engine::SourceItem& item = SourceAt(row);
    SubtitleDialog::Choice current;
    current.subtitleFile = item.subtitleFile;
    current.style.charset = item.subtitleCharset;
    current.style.textSize = item.subtitleTextSize;
    SubtitleDialog dialog(item.path, current, dialogs_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SubtitleDialog::Choice& chosen = dialog.Result();
    item.subtitleFile = chosen.subtitleFile;
    chosen.style.ApplyTo(item);
    Q_EMIT sourcesChanged();
}

// Silent, unlike Subtitle and Split: with no single row there is nothing to show.
void MainDialog::OnProperties()
{
    const std::vector<int> rows = SelectedRows();
    if (Busy() || rows.size() != 1)
        return;
    engine::SourceItem& item = SourceAt(rows.front());
    PropertiesDialog dialog(item, dialogs_, this, sources_->Reason(rows.front()).toStdString());
    if (dialog.exec() != QDialog::Accepted || !dialog.ChoosesTracks())
        return;
    const PropertiesDialog::Choice& chosen = dialog.Result();
    item.subtitleTrack = chosen.subtitleTrack;
    item.audioTrack = chosen.audioTrack;
    chosen.style.ApplyTo(item);
    Q_EMIT sourcesChanged();
}

void MainDialog::OnShowLog()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.size() != 1 || RowLog(rows.front()).isEmpty())
        return;
    LogDialog dialog(RowLog(rows.front()), this);
    dialog.exec();
}

void MainDialog::OnSplit()
{
    const int row = SingleSelectedRow();
    if (row < 0)
        return;
    engine::SourceItem& item = SourceAt(row);
    SplitDialog dialog(item.duration, static_cast<unsigned>(item.trimStart), static_cast<unsigned>(item.trimEnd),
                       item.path, dialogs_, this);
    if (dialog.exec() == QDialog::Accepted)
        sources_->SetTrimRange(row, static_cast<std::int32_t>(dialog.Start()), static_cast<std::int32_t>(dialog.End()));
    RefreshTotals();
}

}  // namespace ui
