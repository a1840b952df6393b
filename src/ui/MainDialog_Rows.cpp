// Removing, ticking and moving rows of the source list, and the list's keys.
#include "MainDialog.h"

#include "SourceListModel.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/UserDialogs.h"

#include <QKeyEvent>
#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";

// Hands the list's key presses to the window before the list sees them.
class ListKeyFilter : public QObject {
public:
    ListKeyFilter(QObject* parent, std::function<bool(QKeyEvent*)> onKey) : QObject(parent), onKey_(std::move(onKey)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && onKey_(static_cast<QKeyEvent*>(event)))
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(QKeyEvent*)> onKey_;
};

}  // namespace

void MainDialog::ConnectListKeys()
{
    sourceList_->installEventFilter(new ListKeyFilter(sourceList_, [this](QKeyEvent* event) {
        return OnListKey(event->key(), event->modifiers());
    }));
}

bool MainDialog::OnListKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Delete) {
        RunCommand(Command::Remove);
        return true;
    }
    if (!(modifiers & Qt::ControlModifier))
        return false;
    switch (key) {
    case Qt::Key_Up:
        RunCommand(Command::MoveUp);
        return true;
    case Qt::Key_Down:
        RunCommand(Command::MoveDown);
        return true;
    case Qt::Key_A:
        sourceList_->selectAll();
        return true;
    case Qt::Key_S:
        RunCommand(Command::SplitVideo);
        return true;
    case Qt::Key_T:
        RunCommand(Command::Subtitle);
        return true;
    default:
        return false;
    }
}

void MainDialog::OnRemove()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    sources_->RemoveRows(rows);
    const int next = std::min(rows.front(), SourceCount() - 1);
    if (next >= 0)
        sourceList_->selectionModel()->setCurrentIndex(
            sources_->index(next, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    RefreshTotals();
}

void MainDialog::OnRemoveAll()
{
    if (SourceCount() == 0)
        return;
    if (!dialogs_.Confirm(lang::Text(kSection, "Remove all source"), app::Application().appName))
        return;
    sourceList_->setFocus();
    sources_->Clear();
    RefreshTotals();
}

void MainDialog::CheckAllRows(bool ticked)
{
    for (int row = 0; row < SourceCount(); ++row)
        SetTicked(row, ticked);
}

// Moves one row with its item, tick and status, and makes it the current row.
void MainDialog::MoveRow(int from, int to)
{
    sources_->MoveRow(from, to);
    sourceList_->selectionModel()->setCurrentIndex(sources_->index(to, 0),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// The selected rows move up by one place as blocks, keeping their order;
// nothing moves when the top row is among them.
void MainDialog::OnMoveUp()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty() || rows.front() == 0)
        return;
    for (int row : rows)
        MoveRow(row, row - 1);
    sourceList_->setFocus();
}

void MainDialog::OnMoveDown()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty() || rows.back() == SourceCount() - 1)
        return;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        MoveRow(*row, *row + 1);
    sourceList_->setFocus();
}

}  // namespace ui
