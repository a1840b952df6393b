#include "SizeRange.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor kBackground(240, 240, 240);
const QColor kShadow(50, 50, 50);

}  // namespace

CSizeRange::CSizeRange(QWidget* parent) : QWidget(parent)
{
    setMinimumHeight(30);
}

void CSizeRange::SetMaximum(int maximum)
{
    maximum_ = std::max(1, maximum);
    update();
}

void CSizeRange::SetMinorStep(int step)
{
    minorStep_ = std::max(1, step);
    update();
}

void CSizeRange::SetLabelStep(int step)
{
    labelStep_ = std::max(1, step);
    update();
}

void CSizeRange::SetUnitText(const QString& unit)
{
    unit_ = unit;
    update();
}

void CSizeRange::SetValue(int value)
{
    value_ = value;
    update();
}

void CSizeRange::AddMark(int value, const QColor& colour, bool solid)
{
    marks_.push_back({value, colour, solid});
    update();
}

void CSizeRange::AddSegment(int start, const QColor& colour)
{
    segments_.push_back({start, colour});
    update();
}

void CSizeRange::ClearMarks()
{
    marks_.clear();
    update();
}

void CSizeRange::ClearSegments()
{
    segments_.clear();
    update();
}

CSizeRange::Drawing CSizeRange::Layout(int width, int height) const
{
    Drawing drawing;
    const double scale = static_cast<double>(width) / maximum_;
    auto x = [scale](int value) { return static_cast<int>(value * scale); };

    for (int i = 0; i < maximum_ / minorStep_; ++i)
        drawing.shortTicks.emplace_back(x(i * minorStep_), 0, x(i * minorStep_), static_cast<int>(0.2 * height));

    for (int i = 0; i <= maximum_ / labelStep_; ++i) {
        const int at = x(i * labelStep_);
        if (at >= 0.95 * width)
            continue;
        drawing.labelTicks.emplace_back(at, 0, at, static_cast<int>(0.5 * height));
        drawing.labels.emplace_back(QPoint(at, static_cast<int>(0.6 * height)),
                                    QString::number(i * labelStep_) + unit_);
    }

    for (const Mark& mark : marks_)
        drawing.marks.emplace_back(QLine(x(mark.value), 0, x(mark.value), height), mark);

    const int shown = std::min(value_, maximum_);
    const int top = static_cast<int>(0.1 * height);
    const int barHeight = static_cast<int>(0.3 * height);
    for (const Segment& segment : segments_) {
        if (segment.start > shown)
            continue;
        const int left = x(segment.start);
        const int barWidth = x(shown) - left + 1;
        drawing.bars.emplace_back(QRect(left + 1, top + 1, barWidth, barHeight + 1), kShadow);
        drawing.bars.emplace_back(QRect(left, top, barWidth, barHeight), segment.colour);
    }
    return drawing;
}

void CSizeRange::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Drawing drawing = Layout(width(), height());
    painter.fillRect(rect(), kBackground);

    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (const QLine& line : drawing.shortTicks)
        painter.drawLine(line);
    for (const QLine& line : drawing.labelTicks)
        painter.drawLine(line);

    QFont font("Arial");
    font.setPixelSize(15);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (const auto& [at, text] : drawing.labels) {
        // Centred under its tick, but kept inside the ruler so that "0min" is whole.
        const int textWidth = metrics.horizontalAdvance(text);
        const int left = std::clamp(at.x() - textWidth / 2, 0, std::max(0, width() - textWidth));
        painter.drawText(QRect(left, at.y(), textWidth, metrics.height()), Qt::AlignCenter, text);
    }

    for (const auto& [line, mark] : drawing.marks) {
        painter.setPen(QPen(mark.colour, 2, mark.solid ? Qt::SolidLine : Qt::DotLine));
        painter.drawLine(line);
    }

    for (const auto& [area, colour] : drawing.bars)
        painter.fillRect(area, colour);
}
