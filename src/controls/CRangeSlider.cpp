#include "CRangeSlider.h"

#include "RangeSliderAccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cstddef>
#include <iterator>

using controls::RangeModel;

namespace {

// The order in which Tab walks the parts.
constexpr CRangeSlider::Part kTabOrder[] = {CRangeSlider::Part::Bar, CRangeSlider::Part::LeftThumb,
                                            CRangeSlider::Part::RightThumb};

}  // namespace

CRangeSlider::CRangeSlider(QWidget* parent) : QWidget(parent)
{
    controls::InstallRangeSliderAccessible();
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(24);
}

void CRangeSlider::SetRange(double min, double max)
{
    const double left = GetLeft(), right = GetRight();
    Report(model_.SetRange(min, max));
    Settle(left, right);
}

void CRangeSlider::SetLeftRight(double left, double right)
{
    const double oldLeft = GetLeft(), oldRight = GetRight();
    Report(model_.SetLeftRight(left, right));
    Settle(oldLeft, oldRight);
}

void CRangeSlider::MoveThumb(Part thumb, double value)
{
    const double left = GetLeft(), right = GetRight();
    Report(model_.MoveThumb(thumb, value));
    Settle(left, right);
}

double CRangeSlider::StepSize() const
{
    return TrackLength() > 0 ? (GetMax() - GetMin()) / TrackLength() : 0;
}

void CRangeSlider::SetThumbNames(const QString& start, const QString& end)
{
    startName_ = start;
    endName_ = end;
}

QString CRangeSlider::ValueText(double value) const
{
    return valueFormat_ ? valueFormat_(value) : QString::number(value);
}

void CRangeSlider::Report(controls::RangeChange change)
{
    if (change != controls::kNoChange)
        Q_EMIT rangeChanged(change);
}

void CRangeSlider::Settle(double oldLeft, double oldRight)
{
    update();
    if (GetLeft() != oldLeft)
        controls::TellThumbMoved(this, Part::LeftThumb);
    if (GetRight() != oldRight)
        controls::TellThumbMoved(this, Part::RightThumb);
}

void CRangeSlider::SetKeyboardPart(Part part)
{
    if (part == keyboardPart_)
        return;
    keyboardPart_ = part;
    update();
    if (hasFocus() && part != Part::Bar)
        controls::TellThumbFocused(this, part);
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

QRect CRangeSlider::ThumbRect(Part thumb) const
{
    const int x = thumb == Part::LeftThumb ? static_cast<int>(PixelOf(model_.Left()))
                                           : static_cast<int>(PixelOf(model_.Right())) + kThumbWidth;
    return {x, 0, kThumbWidth, height()};
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
    // With the focus, the part the keyboard moves is drawn highlighted.
    auto brush = [&](Part part) {
        return hasFocus() && keyboardPart_ == part ? colours.highlight()
               : part == Part::Bar                 ? colours.mid()
                                                   : colours.button();
    };

    painter.setPen(colours.color(QPalette::Dark));
    painter.drawLine(0, middle, width() - 1, middle);
    painter.fillRect(QRect(left + w, top + 4, right - left - w, bottom - top - 8), brush(Part::Bar));
    painter.setPen(colours.color(QPalette::Shadow));
    painter.setBrush(brush(Part::LeftThumb));
    painter.drawPolygon(QPolygon({{left + w, top}, {left + w, bottom}, {left, middle}}));
    painter.setBrush(brush(Part::RightThumb));
    painter.drawPolygon(QPolygon({{right, top}, {right, bottom}, {right + w, middle}}));
}

void CRangeSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const double x = event->position().x();
    const double left = PixelOf(model_.Left());
    const double right = PixelOf(model_.Right()) + kThumbWidth;
    dragChange_ = controls::kNoChange;
    if (x >= left && x < left + kThumbWidth) {
        dragged_ = Part::LeftThumb;
        dragOffset_ = x - (left + kThumbWidth / 2.0);
    } else if (x >= right && x < right + kThumbWidth) {
        dragged_ = Part::RightThumb;
        dragOffset_ = x - (right + kThumbWidth / 2.0);
    } else if (x >= left + kThumbWidth && x < right) {
        dragged_ = Part::Bar;
        dragOffset_ = x - (left + kThumbWidth + right) / 2.0;
    } else {
        dragged_ = Part::None;
    }
    if (dragged_ != Part::None)
        SetKeyboardPart(dragged_);
}

void CRangeSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (dragged_ == Part::None)
        return;
    const double left = GetLeft(), right = GetRight();
    controls::RangeChange change =
        model_.DragTo(dragged_, event->position().x() - dragOffset_, kThumbWidth, TrackLength());
    if (change != controls::kNoChange)
        dragChange_ = change;
    Q_EMIT rangeChanged(change);
    Settle(left, right);
}

void CRangeSlider::mouseReleaseEvent(QMouseEvent*)
{
    if (dragged_ == Part::None)
        return;
    dragged_ = Part::None;
    update();
    Q_EMIT rangeReleased(dragChange_);
}

controls::RangeChange CRangeSlider::KeyMove(int key, bool shift)
{
    const bool forward = key == Qt::Key_Right || key == Qt::Key_End;
    const bool toTheEnd = key == Qt::Key_Home || key == Qt::Key_End;
    if (keyboardPart_ == Part::Bar)
        return toTheEnd ? model_.SlideTo(forward ? model_.Max() : model_.Min())
                        : model_.Step(forward, shift, TrackLength());
    return toTheEnd ? model_.MoveThumb(keyboardPart_, forward ? model_.Max() : model_.Min())
                    : model_.StepThumb(keyboardPart_, forward, TrackLength());
}

void CRangeSlider::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool moves = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End;
    if (!moves || (event->modifiers() & Qt::ControlModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    const double left = GetLeft(), right = GetRight();
    Report(KeyMove(key, event->modifiers() & Qt::ShiftModifier));
    Settle(left, right);
}

void CRangeSlider::focusInEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::TabFocusReason)
        keyboardPart_ = Part::Bar;
    else if (event->reason() == Qt::BacktabFocusReason)
        keyboardPart_ = Part::RightThumb;
    QWidget::focusInEvent(event);
    update();
    if (keyboardPart_ != Part::Bar)
        controls::TellThumbFocused(this, keyboardPart_);
}

bool CRangeSlider::focusNextPrevChild(bool next)
{
    const std::ptrdiff_t count = std::size(kTabOrder);
    const std::ptrdiff_t current = std::find(kTabOrder, kTabOrder + count, keyboardPart_) - kTabOrder;
    const std::ptrdiff_t target = current + (next ? 1 : -1);
    if (!hasFocus() || target < 0 || target >= count)
        return QWidget::focusNextPrevChild(next);
    SetKeyboardPart(kTabOrder[target]);
    return true;
}
