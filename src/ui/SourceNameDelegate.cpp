#include "SourceNameDelegate.h"

#include "PathElision.h"

#include <QApplication>
#include <QStyle>

namespace ui {

// The text is shortened for the rectangle the style gives it, less the
// margin the style keeps on each side of an item's text.
void SourceNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* view = item.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int width = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view).width() - 2 * margin;
    item.text = ElidePath(item.text, item.fontMetrics, width);
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, view);
}

}  // namespace ui
