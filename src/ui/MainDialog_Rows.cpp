// Removing, ticking and moving rows of the source list, and the list's keys.
#include "MainDialog.h"

#include "SourceListModel.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/UserDialogs.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTreeView>

#include <algorithm>

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";

// Hands the list's events to the window before the list sees them; the
// handler returns true for the events it took.
class ListEventFilter : public QObject {
public:
    ListEventFilter(QObject* parent, std::function<bool(QEvent*)> onEvent)
        : QObject(parent), onEvent_(std::move(onEvent))
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return onEvent_(event) || QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(QEvent*)> onEvent_;
};

// A list entered with the keyboard and nothing selected selects its
// current row, the first when it has none, so that the commands of a
// selected row work at once (Space ticks rows, it does not select them).
void SelectRowOnEntry(QTreeView* list)
{
    if (list->model()->rowCount() == 0 || list->selectionModel()->hasSelection())
        return;
    const QModelIndex current = list->currentIndex();
    list->selectionModel()->setCurrentIndex(current.isValid() ? current : list->model()->index(0, 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

}  // namespace

// The Menu key reaches the list as a context-menu request; Shift+F10 as a
// key press. Both open the menu at the current row, not at the pointer.
void MainDialog::ConnectListKeys()
{
    sourceList_->installEventFilter(new ListEventFilter(sourceList_, [this](QEvent* event) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            return OnListKey(key->key(), key->modifiers());
        }
        case QEvent::ContextMenu:
            if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Keyboard)
                return false;
            OpenContextMenu(CurrentRowMenuPosition());
            return true;
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                SelectRowOnEntry(sourceList_);
            return false;
        }
        default:
            return false;
        }
    }));
}

// Delete, Ctrl+Up, Ctrl+Down, Ctrl+S and Ctrl+T are shortcuts of the menu
// bar; a disabled Move Up or Move Down leaves its key here, where it must
// not move the list's cursor instead.
bool MainDialog::OnListKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
        OpenContextMenu(CurrentRowMenuPosition());
        return true;
    }
    if (!(modifiers & Qt::ControlModifier))
        return false;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    case Qt::Key_A:
        sourceList_->selectAll();
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
