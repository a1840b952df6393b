#include "SourceListModel.h"

#include "UiText.h"
#include "app/Utilities.h"

#include <algorithm>
#include <functional>

namespace ui {

int SourceListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SourceListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QString SourceListModel::Text(const Row& row, int column) const
{
    switch (column) {
    case kPathColumn:
        return Qs(row.item.path);
    case kResolutionColumn:
        if (row.item.soundOnly)
            return Tr("MainDialog", "No Picture");
        return QString::number(row.item.width) + " X " + QString::number(row.item.height);
    case kStartColumn:
        return Qs(app::SecondsToClock(row.item.trimStart));
    case kEndColumn:
        return Qs(app::SecondsToClock(row.item.trimEnd));
    default:
        return row.status;
    }
}

// The path cell shows its whole path, which the list may shorten, above
// the reason of a failed conversion; the other cells show the reason.
QVariant SourceListModel::ToolTip(const Row& row, int column)
{
    if (column == kPathColumn)
        return row.reason.isEmpty() ? Qs(row.item.path) : Qs(row.item.path) + '\n' + row.reason;
    return row.reason.isEmpty() ? QVariant() : QVariant(row.reason);
}

QVariant SourceListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return Text(row, index.column());
    case Qt::TextAlignmentRole:
        return index.column() == kPathColumn ? QVariant() : QVariant(static_cast<int>(Qt::AlignCenter));
    case Qt::ToolTipRole:
        return ToolTip(row, index.column());
    case Qt::AccessibleDescriptionRole:
        return index.column() == kPathColumn ? QVariant(Qs(row.item.path)) : QVariant();
    case Qt::CheckStateRole:
        return index.column() == kPathColumn ? QVariant(static_cast<int>(row.ticked ? Qt::Checked : Qt::Unchecked))
                                             : QVariant();
    default:
        return {};
    }
}

bool SourceListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != kPathColumn ||
        !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    SetTicked(index.row(), static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked);
    return true;
}

Qt::ItemFlags SourceListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return index.column() == kPathColumn ? flags | Qt::ItemIsUserCheckable : flags;
}

QVariant SourceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headerTexts_.size())
        return {};
    return headerTexts_[section];
}

void SourceListModel::SetHeaderTexts(const QStringList& texts)
{
    headerTexts_ = texts;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void SourceListModel::Append(const engine::SourceItem& item)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    rows_.push_back({item, true, QStringLiteral("--"), {}, {}});
    endInsertRows();
}

void SourceListModel::SetTicked(int row, bool ticked)
{
    Row& target = rows_.at(static_cast<std::size_t>(row));
    if (target.ticked == ticked)
        return;
    target.ticked = ticked;
    const QModelIndex cell = index(row, kPathColumn);
    Q_EMIT dataChanged(cell, cell, {Qt::CheckStateRole});
}

void SourceListModel::SetStatus(int row, const QString& text)
{
    rows_.at(static_cast<std::size_t>(row)).status = text;
    const QModelIndex cell = index(row, kStatusColumn);
    Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole});
}

void SourceListModel::SetReason(int row, const QString& reason)
{
    rows_.at(static_cast<std::size_t>(row)).reason = reason;
    Q_EMIT dataChanged(index(row, 0), index(row, kColumnCount - 1), {Qt::ToolTipRole});
}

void SourceListModel::SetTrimRange(int row, std::int32_t start, std::int32_t end)
{
    engine::SourceItem& item = Item(row);
    item.trimStart = start;
    item.trimEnd = end;
    Q_EMIT dataChanged(index(row, kStartColumn), index(row, kEndColumn), {Qt::DisplayRole});
}

void SourceListModel::RemoveRows(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        beginRemoveRows(QModelIndex(), row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
    }
}

void SourceListModel::Clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void SourceListModel::MoveRow(int from, int to)
{
    if (from == to)
        return;
    // Qt counts the destination before the move: one further down.
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
    const auto source = rows_.begin() + from;
    const auto target = rows_.begin() + to;
    if (from < to)
        std::rotate(source, source + 1, target + 1);
    else
        std::rotate(target, source, source + 1);
    endMoveRows();
}

}  // namespace ui
