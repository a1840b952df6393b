// The source list's columns, its context menu, which list commands are
// enabled, the totals line and the window's row access, which forwards to
// the list's model.
#include "MainDialog.h"

#include "MainMenu.h"
#include "ShellTexts.h"
#include "SourceListModel.h"
#include "SourceNameDelegate.h"
#include "UiText.h"
#include "app/Application.h"
#include "controls/IconButton.h"
#include "controls/SizeRange.h"
#include "engine/DiscRules.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QTreeView>

#include <algorithm>

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";

}  // namespace

void MainDialog::SetUpListColumns()
{
    const int widths[SourceListModel::kColumnCount] = {430, 90, 80, 80, 70};
    for (int column = 0; column < SourceListModel::kColumnCount; ++column)
        sourceList_->setColumnWidth(column, widths[column]);
    sourceList_->header()->setStretchLastSection(false);
    sourceList_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    sourceList_->header()->setDefaultAlignment(Qt::AlignCenter);
    sourceList_->setItemDelegateForColumn(SourceListModel::kPathColumn, new SourceNameDelegate(sourceList_));
}

void MainDialog::ApplyListTexts()
{
    sources_->SetHeaderTexts({Tr(kSection, "Source Video"), Tr(kSection, "Resolution"), Tr(kSection, "Start Time"),
                              Tr(kSection, "End Time"), Tr(kSection, "Status")});
    sourceList_->setAccessibleName(Tr(kSection, "Source Video"));
}

std::vector<int> MainDialog::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : sourceList_->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::unique_ptr<QMenu> MainDialog::BuildContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName("listContextMenu");
    const std::vector<int> selected = SelectedRows();
    std::vector<Command> greyed = GreyedMenuCommands(SourceCount(), selected);
    if (selected.size() != 1 || RowLog(selected.front()).isEmpty() ||
        !QFileInfo::exists(RowLog(selected.front())))
        greyed.push_back(Command::ShowLog);
    for (const MenuItem& item : ContextMenuItems()) {
        if (item.command == Command::Subtitle && !app::Application().product.subtitleEdition)
            continue;
        if (item.command == Command::Properties || item.command == Command::CheckAll)
            menu->addSeparator();
        QAction* action = menu->addAction(Tr(kSection, item.key));
        action->setData(static_cast<int>(item.command));
        action->setEnabled(!IsGreyed(greyed, item.command));
    }
    return menu;
}

// A right click opens the menu at the pointer (position is in the list's
// viewport).
void MainDialog::OnListContextMenu(const QPoint& position)
{
    OpenContextMenu(sourceList_->viewport()->mapToGlobal(position));
}

void MainDialog::OpenContextMenu(const QPoint& globalPosition)
{
    if (busy_)
        return;
    std::unique_ptr<QMenu> menu = BuildContextMenu();
    if (QAction* chosen = menu->exec(globalPosition))
        RunCommand(static_cast<Command>(chosen->data().toInt()));
}

// Below the start of the current row, scrolled into view; the list's top
// left corner when there is no current row.
QPoint MainDialog::CurrentRowMenuPosition()
{
    const QModelIndex current = sourceList_->currentIndex();
    if (!current.isValid())
        return sourceList_->viewport()->mapToGlobal(QPoint(0, 0));
    const QModelIndex cell = current.siblingAtColumn(SourceListModel::kPathColumn);
    sourceList_->scrollTo(cell);
    return sourceList_->viewport()->mapToGlobal(sourceList_->visualRect(cell).bottomLeft());
}

void MainDialog::ConnectCommandStates()
{
    connect(sources_, &QAbstractItemModel::rowsInserted, this, &MainDialog::UpdateCommandStates);
    connect(sources_, &QAbstractItemModel::rowsRemoved, this, &MainDialog::UpdateCommandStates);
    connect(sources_, &QAbstractItemModel::rowsMoved, this, &MainDialog::UpdateCommandStates);
    connect(sources_, &QAbstractItemModel::modelReset, this, &MainDialog::UpdateCommandStates);
    connect(sourceList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainDialog::UpdateCommandStates);
    UpdateCommandStates();
}

// The buttons and menu items of the list commands are enabled as the
// context menu's items, busy or not: while busy they refuse when used.
void MainDialog::UpdateCommandStates()
{
    std::vector<Command> greyed = GreyedMenuCommands(SourceCount(), SelectedRows());
    // Subtitles are drawn on the picture, which a sound-only profile does not write.
    if (CurrentProfileIsSoundOnly())
        greyed.push_back(Command::Subtitle);
    for (std::size_t i = 0; i < Buttons().size(); ++i)
        buttons_[i]->setEnabled(!IsGreyed(greyed, Buttons()[i].command));
    menu_->SetGreyed(greyed);
}

void MainDialog::RefreshTotals()
{
    int ticked = 0;
    double seconds = 0;
    for (int row = 0; row < SourceCount(); ++row) {
        if (!IsTicked(row))
            continue;
        ++ticked;
        seconds += SourceAt(row).trimEnd - SourceAt(row).trimStart;
    }
    capacityRuler_->SetValue(engine::WholeMinutes(seconds));
    const QString line = Qs(TotalsLine(ticked, seconds));
    statusLine_->setText(line);
    rulerCaption_->setText(line);
}

int MainDialog::SourceCount() const
{
    return sources_->rowCount();
}

const engine::SourceItem& MainDialog::SourceAt(int row) const
{
    return sources_->Item(row);
}

engine::SourceItem& MainDialog::SourceAt(int row)
{
    return sources_->Item(row);
}

void MainDialog::AppendSource(const engine::SourceItem& item)
{
    sources_->Append(item);
}

bool MainDialog::IsTicked(int row) const
{
    return sources_->IsTicked(row);
}

void MainDialog::SetTicked(int row, bool ticked)
{
    sources_->SetTicked(row, ticked);
}

QString MainDialog::RowStatus(int row) const
{
    return sources_->Status(row);
}

void MainDialog::SetRowStatus(int row, const QString& text)
{
    sources_->SetStatus(row, text);
}

QString MainDialog::RowReason(int row) const
{
    return sources_->Reason(row);
}

void MainDialog::SetRowReason(int row, const QString& reason)
{
    sources_->SetReason(row, reason);
}

QString MainDialog::RowLog(int row) const
{
    return sources_->RunLog(row);
}

void MainDialog::SetRowLog(int row, const QString& logPath)
{
    sources_->SetRunLog(row, logPath);
}

}  // namespace ui
