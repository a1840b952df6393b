#include "controls/SizeRange.h"

#include <QImage>

#include <gtest/gtest.h>

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

TEST_F(Ruler, TicksAndLabels)
{
    const CSizeRange::Drawing drawing = ruler_.Layout(300, 40);
    ASSERT_EQ(drawing.shortTicks.size(), 20u);
    EXPECT_EQ(drawing.shortTicks[1], QLine(15, 0, 15, 8));
    // Labels at 0, 30, ... 270 px; the one at 300 px lies within 5 % of the edge.
    ASSERT_EQ(drawing.labels.size(), 10u);
    EXPECT_EQ(drawing.labels.front().second, "0min");
    EXPECT_EQ(drawing.labels.back().second, "90min");
    EXPECT_EQ(drawing.labels.back().first, QPoint(270, 24));
    EXPECT_EQ(drawing.labelTicks.back(), QLine(270, 0, 270, 20));
    ASSERT_EQ(drawing.marks.size(), 1u);
    EXPECT_EQ(drawing.marks[0].first, QLine(240, 0, 240, 40));
    EXPECT_FALSE(drawing.marks[0].second.solid);
}

TEST_F(Ruler, BarSegmentsUpToTheValue)
{
    ruler_.SetValue(50);
    CSizeRange::Drawing drawing = ruler_.Layout(300, 40);
    ASSERT_EQ(drawing.bars.size(), 2u) << "a shadow and the blue segment; the one from 80 lies above the value";
    EXPECT_EQ(drawing.bars[1], std::make_pair(QRect(0, 4, 151, 12), kBlue));

    ruler_.SetValue(250);
    drawing = ruler_.Layout(300, 40);
    ASSERT_EQ(drawing.bars.size(), 4u);
    EXPECT_EQ(drawing.bars[1].first.right(), 300) << "a value above the maximum ends at the right edge";
    EXPECT_EQ(drawing.bars[3].first.left(), 240);
    EXPECT_EQ(drawing.bars[3].second, kRed);
}

TEST_F(Ruler, PaintsTheBarBeyondTheCapacityInRed)
{
    ruler_.resize(300, 40);
    ruler_.SetValue(90);
    QImage image(ruler_.size(), QImage::Format_RGB32);
    ruler_.render(&image);
    EXPECT_EQ(image.pixelColor(100, 10), kBlue);
    EXPECT_EQ(image.pixelColor(260, 10), kRed);
    EXPECT_EQ(image.pixelColor(290, 10), QColor(240, 240, 240));
}

}  // namespace
