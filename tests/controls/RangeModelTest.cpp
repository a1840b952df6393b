#include "controls/RangeModel.h"

#include <gtest/gtest.h>

using controls::RangeModel;

TEST(RangeModel, SettersNormalise)
{
    RangeModel model;
    EXPECT_EQ(model.SetRange(100, 0), controls::kNoChange);
    EXPECT_EQ(std::pair(model.Min(), model.Max()), std::pair(0.0, 100.0)) << "a reversed range is swapped";
    EXPECT_EQ(model.SetLeftRight(150, 200), controls::kLeftChanged) << "left pulled down to the maximum";
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(100.0, 100.0));
    model.SetLeftRight(-10, -5);
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(0.0, 0.0));
}

// 200 pixels for 100 units, with thumbs 10 pixels wide.
TEST(RangeModel, DraggingKeepsTheThumbsInOrderAndTheBarItsLength)
{
    RangeModel model;
    model.SetRange(0, 100);
    model.SetLeftRight(20, 80);
    const int w = 10, length = 200;
    EXPECT_EQ(model.DragTo(RangeModel::Part::LeftThumb, 105, w, length), controls::kLeftChanged);
    EXPECT_DOUBLE_EQ(model.Left(), 50);
    model.DragTo(RangeModel::Part::LeftThumb, 1000, w, length);
    EXPECT_DOUBLE_EQ(model.Left(), 80) << "left never passes right";
    EXPECT_EQ(model.DragTo(RangeModel::Part::RightThumb, -50, w, length), controls::kNoChange)
        << "right never passes left, which sits on it";
    EXPECT_EQ(model.DragTo(RangeModel::Part::RightThumb, 215, w, length), controls::kRightChanged);
    EXPECT_DOUBLE_EQ(model.Right(), 100);

    model.SetLeftRight(30, 60);
    EXPECT_EQ(model.DragTo(RangeModel::Part::Bar, -500, w, length), controls::kBothChanged);
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(0.0, 30.0));
    model.DragTo(RangeModel::Part::Bar, 5000, w, length);
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(70.0, 100.0));
}

TEST(RangeModel, ArrowKeysMoveOnePixel)
{
    RangeModel model;
    model.SetRange(0, 100);
    model.SetLeftRight(0, 50);
    const int length = 200;  // half a unit per pixel
    EXPECT_EQ(model.Step(false, false, length), controls::kNoChange) << "the left thumb is at the start";
    EXPECT_EQ(model.Step(true, false, length), controls::kBothChanged);
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(0.5, 50.5));
    EXPECT_EQ(model.Step(true, true, length), controls::kLeftChanged);
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(0.5, 51.0));
    model.SetLeftRight(10, 100);
    EXPECT_EQ(model.Step(true, true, length), controls::kNoChange) << "the right thumb is at the end";
    EXPECT_EQ(RangeModel().Step(true, false, length), controls::kNoChange) << "no span, no step";
}

// One thumb alone, as the keyboard and assistive tools move it.
TEST(RangeModel, AThumbMovesAloneAndNeverPassesTheOther)
{
    RangeModel model;
    model.SetRange(0, 100);
    model.SetLeftRight(20, 80);
    EXPECT_EQ(model.MoveThumb(RangeModel::Part::LeftThumb, 90), controls::kLeftChanged);
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(80.0, 80.0)) << "the start stops at the end";
    EXPECT_EQ(model.MoveThumb(RangeModel::Part::LeftThumb, 80), controls::kNoChange);
    EXPECT_EQ(model.MoveThumb(RangeModel::Part::RightThumb, 10), controls::kNoChange) << "the end stops at the start";
    EXPECT_EQ(model.MoveThumb(RangeModel::Part::RightThumb, 250), controls::kRightChanged);
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(80.0, 100.0));
    EXPECT_EQ(model.MoveThumb(RangeModel::Part::LeftThumb, -5), controls::kLeftChanged);
    EXPECT_DOUBLE_EQ(model.Left(), 0);
    EXPECT_EQ(model.MoveThumb(RangeModel::Part::Bar, 50), controls::kNoChange);

    const int length = 200;  // half a unit per pixel
    model.SetLeftRight(10.2, 20);
    EXPECT_EQ(model.StepThumb(RangeModel::Part::LeftThumb, true, length), controls::kLeftChanged);
    EXPECT_DOUBLE_EQ(model.Left(), 10.5) << "onto the next pixel";
    EXPECT_EQ(model.StepThumb(RangeModel::Part::RightThumb, false, length), controls::kRightChanged);
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(10.5, 19.5));
    model.SetLeftRight(0, 100);
    EXPECT_EQ(model.StepThumb(RangeModel::Part::LeftThumb, false, length), controls::kNoChange);
    EXPECT_EQ(model.StepThumb(RangeModel::Part::RightThumb, true, length), controls::kNoChange);
    EXPECT_EQ(model.StepThumb(RangeModel::Part::RightThumb, false, 0), controls::kNoChange) << "no track, no step";
}

TEST(RangeModel, SlidingKeepsTheLengthWithinTheLimits)
{
    RangeModel model;
    model.SetRange(0, 100);
    model.SetLeftRight(20, 50);
    EXPECT_EQ(model.SlideTo(100), controls::kBothChanged);
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(70.0, 100.0));
    EXPECT_EQ(model.SlideTo(100), controls::kNoChange) << "already at the end";
    EXPECT_EQ(model.SlideTo(-40), controls::kBothChanged);
    EXPECT_EQ(std::pair(model.Left(), model.Right()), std::pair(0.0, 30.0));
}
