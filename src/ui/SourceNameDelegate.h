#pragma once
// Paints the Source Video cells of the source list with the path shortened
// to the cell (ElidePath), so the file name stays readable in a narrow
// column or a deep folder. The model keeps the whole path for tooltips and
// assistive tools.
#include <QStyledItemDelegate>

namespace ui {

class SourceNameDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace ui
