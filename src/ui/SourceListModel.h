#pragma once
// The rows of the main window's source list: each row holds the probed
// source item, whether it is ticked for conversion, its status text, why
// its last conversion failed (the row's tooltip) and the log of that run.
// The five columns show the path, the resolution, the trim start and end,
// and the status; column 0 carries the tick box, and its tooltip and
// accessible description give the whole path.
#include "engine/SourceItem.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <vector>

namespace ui {

class SourceListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kPathColumn, kResolutionColumn, kStartColumn, kEndColumn, kStatusColumn, kColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Only the tick of column 0 is editable.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // One text per column.
    void SetHeaderTexts(const QStringList& texts);

    // The row's item; the shown fields (path, size, trim range) change only
    // through SetTrimRange, so that the row shows them.
    const engine::SourceItem& Item(int row) const { return rows_.at(static_cast<std::size_t>(row)).item; }
    engine::SourceItem& Item(int row) { return rows_.at(static_cast<std::size_t>(row)).item; }
    // Appends a ticked row with the status "--".
    void Append(const engine::SourceItem& item);
    bool IsTicked(int row) const { return rows_.at(static_cast<std::size_t>(row)).ticked; }
    // Signals a change of the check state only when the tick changes.
    void SetTicked(int row, bool ticked);
    const QString& Status(int row) const { return rows_.at(static_cast<std::size_t>(row)).status; }
    void SetStatus(int row, const QString& text);
    const QString& Reason(int row) const { return rows_.at(static_cast<std::size_t>(row)).reason; }
    void SetReason(int row, const QString& reason);
    const QString& RunLog(int row) const { return rows_.at(static_cast<std::size_t>(row)).runLog; }
    void SetRunLog(int row, const QString& logPath) { rows_.at(static_cast<std::size_t>(row)).runLog = logPath; }
    // Stores a new trim range in the item and shows it in the row.
    void SetTrimRange(int row, std::int32_t start, std::int32_t end);

    // Removes the given rows, in any order.
    void RemoveRows(std::vector<int> rows);
    void Clear();
    // Moves one row with its item, tick and status to the place to.
    void MoveRow(int from, int to);

private:
    struct Row {
        engine::SourceItem item;
        bool ticked = true;
        QString status;
        QString reason;
        QString runLog;
    };

    QString Text(const Row& row, int column) const;
    static QVariant ToolTip(const Row& row, int column);

    std::vector<Row> rows_;
    QStringList headerTexts_;
};

}  // namespace ui
