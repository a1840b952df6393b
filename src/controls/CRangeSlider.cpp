#include "CRangeSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

using controls::RangeModel;

CRangeSlider::CRangeSlider(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(24);
}

void CRangeSlider::SetRange(double min, double max)
{
    Report(model_.SetRange(min, max));
    update();
}

void CRangeSlider::SetLeftRight(double left, double right)
{
    Report(model_.SetLeftRight(left, right));
    update();
}

void CRangeSlider::Report(controls::RangeChange change)
{
    if (change != controls::kNoChange)
        emit rangeChanged(change);
}

double CRangeSlider::PixelOf(double value) const
{
    const double span = model_.Max() - model_.Min();
    return span <= 0 ? 0 : (value - model_.Min()) / span * TrackLength();
}

int CRangeSlider::LeftThumbCentre() const
{
    return static_cast<int>(PixelOf(model_.Left()) + kThumbWidth / 2.0);
}

int CRangeSlider::RightThumbCentre() const
{
    return static_cast<int>(PixelOf(model_.Right()) + 1.5 * kThumbWidth);
}

void CRangeSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.window());
    const int w = kThumbWidth;
    const int top = 2, bottom = height() - 3, middle = height() / 2;
    const int left = static_cast<int>(PixelOf(model_.Left()));
    const int right = static_cast<int>(PixelOf(model_.Right())) + w;

    painter.setPen(colours.color(QPalette::Dark));
    painter.drawLine(0, middle, width() - 1, middle);
    painter.fillRect(QRect(left + w, top + 4, right - left - w, bottom - top - 8),
                     hasFocus() ? colours.highlight() : colours.mid());
    painter.setBrush(colours.button());
    painter.setPen(colours.color(QPalette::Shadow));
    painter.drawPolygon(QPolygon({{left + w, top}, {left + w, bottom}, {left, middle}}));
    painter.drawPolygon(QPolygon({{right, top}, {right, bottom}, {right + w, middle}}));
}

void CRangeSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus();
    const double x = event->position().x();
    const double left = PixelOf(model_.Left());
    const double right = PixelOf(model_.Right()) + kThumbWidth;
    dragChange_ = controls::kNoChange;
    if (x >= left && x < left + kThumbWidth) {
        dragged_ = RangeModel::Part::LeftThumb;
        dragOffset_ = x - (left + kThumbWidth / 2.0);
    } else if (x >= right && x < right + kThumbWidth) {
        dragged_ = RangeModel::Part::RightThumb;
        dragOffset_ = x - (right + kThumbWidth / 2.0);
    } else if (x >= left + kThumbWidth && x < right) {
        dragged_ = RangeModel::Part::Bar;
        dragOffset_ = x - (left + kThumbWidth + right) / 2.0;
    } else {
        dragged_ = RangeModel::Part::None;
    }
}

void CRangeSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (dragged_ == RangeModel::Part::None)
        return;
    controls::RangeChange change =
        model_.DragTo(dragged_, event->position().x() - dragOffset_, kThumbWidth, TrackLength());
    if (change != controls::kNoChange)
        dragChange_ = change;
    emit rangeChanged(change);
    update();
}

void CRangeSlider::mouseReleaseEvent(QMouseEvent*)
{
    if (dragged_ == RangeModel::Part::None)
        return;
    dragged_ = RangeModel::Part::None;
    update();
    emit rangeReleased(dragChange_);
}

void CRangeSlider::keyPressEvent(QKeyEvent* event)
{
    const bool forward = event->key() == Qt::Key_Right;
    if ((!forward && event->key() != Qt::Key_Left) || (event->modifiers() & Qt::ControlModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    Report(model_.Step(forward, event->modifiers() & Qt::ShiftModifier, TrackLength()));
    update();
}
