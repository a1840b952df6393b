// The source list's columns, its context menu and the totals line.
#include "MainDialog.h"

#include "ShellTexts.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/Utilities.h"
#include "controls/SizeRange.h"
#include "engine/DiscRules.h"

#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>

#include <algorithm>

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";

}  // namespace

void MainDialog::SetUpListColumns()
{
    sourceList_->setColumnCount(5);
    const int widths[] = {430, 90, 80, 80, 70};
    for (int column = 0; column < 5; ++column)
        sourceList_->setColumnWidth(column, widths[column]);
    sourceList_->header()->setStretchLastSection(false);
    sourceList_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    sourceList_->header()->setDefaultAlignment(Qt::AlignCenter);
}

void MainDialog::ApplyListTexts()
{
    sourceList_->setHeaderLabels({Tr(kSection, "Source Video"), Tr(kSection, "Resolution"),
                                  Tr(kSection, "Start Time"), Tr(kSection, "End Time"), Tr(kSection, "Status")});
    sourceList_->setAccessibleName(Tr(kSection, "Source Video"));
}

std::vector<int> MainDialog::SelectedRows() const
{
    std::vector<int> rows;
    for (QTreeWidgetItem* item : sourceList_->selectedItems())
        rows.push_back(sourceList_->indexOfTopLevelItem(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::unique_ptr<QMenu> MainDialog::BuildContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName("listContextMenu");
    const std::vector<Command> greyed = GreyedMenuCommands(sourceList_->topLevelItemCount(), SelectedRows());
    for (const MenuItem& item : ContextMenuItems()) {
        if (item.command == Command::Subtitle && !app::Application().product.subtitleEdition)
            continue;
        if (item.command == Command::Properties || item.command == Command::CheckAll)
            menu->addSeparator();
        QAction* action = menu->addAction(Tr(kSection, item.key));
        action->setData(static_cast<int>(item.command));
        action->setEnabled(std::find(greyed.begin(), greyed.end(), item.command) == greyed.end());
    }
    return menu;
}

void MainDialog::OnListContextMenu(const QPoint&)
{
    if (busy_)
        return;
    std::unique_ptr<QMenu> menu = BuildContextMenu();
    if (QAction* chosen = menu->exec(QCursor::pos()))
        RunCommand(static_cast<Command>(chosen->data().toInt()));
}

void MainDialog::RefreshTotals()
{
    int ticked = 0;
    double seconds = 0;
    for (int row = 0; row < sourceList_->topLevelItemCount(); ++row) {
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

int MainDialog::TotalMinutes() const
{
    return capacityRuler_->GetValue();
}

void MainDialog::AppendSource(const engine::SourceItem& item)
{
    auto* row = new QTreeWidgetItem;
    row->setText(0, QString::fromStdString(item.path));
    row->setText(1, QString::number(item.width) + " X " + QString::number(item.height));
    row->setText(2, Qs(app::SecondsToClock(item.trimStart)));
    row->setText(3, Qs(app::SecondsToClock(item.trimEnd)));
    row->setText(4, QStringLiteral("--"));
    for (int column = 1; column < 5; ++column)
        row->setTextAlignment(column, Qt::AlignCenter);
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    sources_.push_back(item);
    sourceList_->addTopLevelItem(row);
    row->setCheckState(0, Qt::Checked);
}

bool MainDialog::IsTicked(int row) const
{
    return sourceList_->topLevelItem(row)->checkState(0) == Qt::Checked;
}

void MainDialog::SetTicked(int row, bool ticked)
{
    sourceList_->topLevelItem(row)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void MainDialog::SetRowStatus(int row, const QString& text)
{
    sourceList_->topLevelItem(row)->setText(4, text);
}

}  // namespace ui
