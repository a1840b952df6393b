#include "controls/SizeRange.h"

#include <QImage>

#include <gtest/gtest.h>

#include <vector>

namespace {

class Ruler : public ::testing::Test {
protected:
    // A DVD-like scale: 0..100 with short ticks every 5 and labels every 10.
    void SetUp() override
    {
        ruler_.SetMaximum(100);
        ruler_.SetMinorStep(5);
        ruler_.SetLabelStep(10);
        ruler_.SetUnitText("min");
        ruler_.AddSegment(0, kBlue);
        ruler_.AddMark(80, kRed, false);
        ruler_.AddSegment(80, kRed);
    }

    const QColor kBlue{35, 126, 216};
    const QColor kRed{218, 17, 5};
    CSizeRange ruler_;
};

// Labels every 30 px; the one at 300 px lies within 5 % of the edge and is left out.
TEST_F(Ruler, TicksAndLabels)
{
    const CSizeRange::Drawing drawing = ruler_.Layout(300, 40);
    EXPECT_EQ(drawing.shortTicks.size(), 20u);
    ASSERT_EQ(drawing.labels.size(), 10u);
    EXPECT_EQ(drawing.labels.back(), std::pair(QPoint(270, 24), QString("90min")));
    ASSERT_EQ(drawing.marks.size(), 1u);
    EXPECT_EQ(drawing.marks[0].first, QLine(240, 0, 240, 40));
}

// The bar runs up to the value (at most the right edge), blue below the
// capacity mark and red beyond it.
TEST_F(Ruler, PaintsTheBarUpToTheValueAndRedBeyondTheCapacity)
{
    const QColor background(240, 240, 240);
    const struct {
        int value;
        std::vector<std::pair<int, QColor>> pixels;  // x at y = 10, and its colour
    } cases[] = {
        {50, {{100, kBlue}, {200, background}}},
        {90, {{100, kBlue}, {260, kRed}, {290, background}}},
        {250, {{100, kBlue}, {260, kRed}, {298, kRed}}},
    };
    ruler_.resize(300, 40);
    for (const auto& c : cases) {
        ruler_.SetValue(c.value);
        QImage image(ruler_.size(), QImage::Format_RGB32);
        ruler_.render(&image);
        for (const auto& [x, colour] : c.pixels)
            EXPECT_EQ(image.pixelColor(x, 10), colour) << "value " << c.value << ", x " << x;
    }
}

}  // namespace
