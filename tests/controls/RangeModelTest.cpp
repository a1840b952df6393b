#include "controls/RangeModel.h"

#include <gtest/gtest.h>

using controls::RangeModel;

TEST(RangeModel, SettersNormalise)
{
    RangeModel model;
    EXPECT_EQ(model.SetRange(100, 0), controls::kNoChange);
    EXPECT_EQ(model.Min(), 0);
    EXPECT_EQ(model.Max(), 100) << "a reversed range is swapped";
    model.SetLeftRight(-10, -5);
    EXPECT_EQ(model.Left(), 0);
    EXPECT_EQ(model.Right(), 0);
    EXPECT_EQ(model.SetLeftRight(150, 200), controls::kLeftChanged) << "left pulled down to the maximum";
    EXPECT_EQ(model.Left(), 100);
    EXPECT_EQ(model.Right(), 100);
    EXPECT_EQ(model.SetLeftRight(20, 80), controls::kNoChange);
}

TEST(RangeModel, DraggingThumbsStaysInOrder)
{
    RangeModel model;
    model.SetRange(0, 100);
    model.SetLeftRight(20, 80);
    const int w = 10, length = 200;
    EXPECT_EQ(model.DragTo(RangeModel::Part::LeftThumb, 105, w, length), controls::kLeftChanged);
    EXPECT_DOUBLE_EQ(model.Left(), 50);
    EXPECT_EQ(model.DragTo(RangeModel::Part::LeftThumb, 1000, w, length), controls::kLeftChanged);
    EXPECT_DOUBLE_EQ(model.Left(), 80) << "left never passes right";
    EXPECT_EQ(model.DragTo(RangeModel::Part::LeftThumb, 1000, w, length), controls::kNoChange);
    EXPECT_EQ(model.DragTo(RangeModel::Part::RightThumb, -50, w, length), controls::kNoChange)
        << "right never passes left, which sits on it";
    EXPECT_DOUBLE_EQ(model.Right(), 80);
    EXPECT_EQ(model.DragTo(RangeModel::Part::RightThumb, 215, w, length), controls::kRightChanged);
    EXPECT_DOUBLE_EQ(model.Right(), 100);
}

TEST(RangeModel, DraggingTheBarKeepsTheLength)
{
    RangeModel model;
    model.SetRange(0, 95);
    model.SetLeftRight(30, 60);
    const int w = 10, length = 190;
    EXPECT_EQ(model.DragTo(RangeModel::Part::Bar, -500, w, length), controls::kBothChanged);
    EXPECT_DOUBLE_EQ(model.Left(), 0);
    EXPECT_DOUBLE_EQ(model.Right(), 30);
    model.DragTo(RangeModel::Part::Bar, 5000, w, length);
    EXPECT_DOUBLE_EQ(model.Left(), 65);
    EXPECT_DOUBLE_EQ(model.Right(), 95);
    model.DragTo(RangeModel::Part::Bar, 100, w, length);
    EXPECT_DOUBLE_EQ(model.Right() - model.Left(), 30);
    EXPECT_DOUBLE_EQ((model.Left() + model.Right()) / 2, 45);
}

TEST(RangeModel, ArrowKeysMoveOnePixel)
{
    RangeModel model;
    model.SetRange(0, 100);
    model.SetLeftRight(0, 50);
    const int length = 200;  // half a unit per pixel
    EXPECT_EQ(model.Step(false, false, length), controls::kNoChange) << "the left thumb is at the start";
    EXPECT_EQ(model.Step(true, false, length), controls::kBothChanged);
    EXPECT_DOUBLE_EQ(model.Left(), 0.5);
    EXPECT_DOUBLE_EQ(model.Right(), 50.5);
    EXPECT_EQ(model.Step(true, true, length), controls::kLeftChanged);
    EXPECT_DOUBLE_EQ(model.Left(), 0.5);
    EXPECT_DOUBLE_EQ(model.Right(), 51);
    model.SetLeftRight(10, 100);
    EXPECT_EQ(model.Step(true, true, length), controls::kNoChange) << "the right thumb is at the end";
    RangeModel empty;
    EXPECT_EQ(empty.Step(true, false, length), controls::kNoChange) << "no span, no step";
}
