#include "controls/MaskModel.h"

#include <gtest/gtest.h>

using controls::MaskModel;

namespace {

const char kTimeMask[] = "[0-5][0-9]:[0-5][0-9]:[0-5][0-9]";

}  // namespace

TEST(MaskModel, InitChecksTheMask)
{
    MaskModel model;
    EXPECT_EQ(model.Init("[0-9", ""), MaskModel::InitResult::BadBrackets);
    EXPECT_EQ(model.Init("[[0-9]]", ""), MaskModel::InitResult::BadBrackets);
    EXPECT_EQ(model.Init("0-9]", ""), MaskModel::InitResult::BadBrackets);
    EXPECT_EQ(model.Init("[9-0]", ""), MaskModel::InitResult::BadCharacterSet);
    EXPECT_EQ(model.Init("[]", ""), MaskModel::InitResult::BadCharacterSet);
    EXPECT_EQ(model.Text(), "");
    ASSERT_EQ(model.Init("[a\\-c]x", "-"), MaskModel::InitResult::Ok);
    EXPECT_EQ(model.Text(), "-x") << "a backslash takes the hyphen literally";
    ASSERT_EQ(model.Init(kTimeMask, ""), MaskModel::InitResult::Ok);
    EXPECT_EQ(model.Text(), "__:__:__");
    EXPECT_EQ(model.Caret(), 0);
}

TEST(MaskModel, DataFillsEditablePositions)
{
    MaskModel model;
    model.Init(kTimeMask, "000135");
    EXPECT_EQ(model.Text(), "00:01:35");
    EXPECT_EQ(model.GetData(), "000135");
    model.SetData("7912");
    EXPECT_EQ(model.Text(), "_9:12:__") << "7 is not allowed first; data is consumed either way";
    EXPECT_EQ(model.GetData(), "912");
}

TEST(MaskModel, TypingSkipsLiteralsAndRejectsDisallowedCharacters)
{
    MaskModel model;
    model.Init(kTimeMask, "");
    for (char c : std::string("6x0"))
        model.Type(c, model.Caret(), model.Caret());
    EXPECT_EQ(model.Text(), "0_:__:__") << "hours above 59 cannot be typed";
    for (char c : std::string("00200"))
        model.Type(c, model.Caret(), model.Caret());
    EXPECT_EQ(model.Text(), "00:02:00");
    EXPECT_EQ(model.Caret(), 8) << "after the last position the caret moves one further";
    model.Type('1', 8, 8);
    EXPECT_EQ(model.Text(), "00:02:00");

    model.Type('5', 3, 8);
    EXPECT_EQ(model.Text(), "00:5_:__") << "a selection is cleared first";
    EXPECT_EQ(model.Caret(), 4);
}

TEST(MaskModel, DeletingAndMoving)
{
    MaskModel model;
    model.Init(kTimeMask, "123456");
    model.End();
    EXPECT_EQ(model.Caret(), 7);
    model.Left();
    model.Left();
    EXPECT_EQ(model.Caret(), 4) << "the caret jumps over the colon";
    model.Backspace(4, 4);
    EXPECT_EQ(model.Text(), "12:_4:56");
    EXPECT_EQ(model.Caret(), 3);
    model.Delete(3, 3);
    model.Right();
    model.Delete(model.Caret(), model.Caret());
    EXPECT_EQ(model.Text(), "12:__:56");
    model.Delete(0, 8);
    EXPECT_EQ(model.Text(), "__:__:__");
    model.Home();
    model.Backspace(0, 0);
    EXPECT_EQ(model.Caret(), 0) << "nothing before the first position";
    model.PlaceCaret(2);
    EXPECT_EQ(model.Caret(), 3) << "a click on a literal lands on the next editable position";
}
