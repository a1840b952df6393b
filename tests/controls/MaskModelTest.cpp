#include "controls/MaskModel.h"

#include <gtest/gtest.h>

using controls::MaskModel;

namespace {

const char kTimeMask[] = "[0-5][0-9]:[0-5][0-9]:[0-5][0-9]";

void TypeAtTheCaret(MaskModel& model, const std::string& keys)
{
    for (char c : keys)
        model.Type(c, model.Caret(), model.Caret());
}

}  // namespace

TEST(MaskModel, InitChecksTheMaskAndFillsTheData)
{
    MaskModel model;
    EXPECT_EQ(model.Init("[0-9", ""), MaskModel::InitResult::BadBrackets);
    EXPECT_EQ(model.Init("[[0-9]]", ""), MaskModel::InitResult::BadBrackets);
    EXPECT_EQ(model.Init("[9-0]", ""), MaskModel::InitResult::BadCharacterSet);
    EXPECT_EQ(model.Text(), "");
    ASSERT_EQ(model.Init("[a\\-c]x", "-"), MaskModel::InitResult::Ok);
    EXPECT_EQ(model.Text(), "-x") << "a backslash takes the hyphen literally";

    ASSERT_EQ(model.Init(kTimeMask, "000135"), MaskModel::InitResult::Ok);
    EXPECT_EQ(model.Text(), "00:01:35");
    EXPECT_EQ(model.Caret(), 0);
    model.SetData("7912");
    EXPECT_EQ(model.Text(), "_9:12:__") << "7 is not allowed first; data is consumed either way";
    EXPECT_EQ(model.GetData(), "912");
}

TEST(MaskModel, TypingSkipsLiteralsAndRejectsDisallowedCharacters)
{
    MaskModel model;
    model.Init(kTimeMask, "");
    TypeAtTheCaret(model, "6x0");
    EXPECT_EQ(model.Text(), "0_:__:__") << "hours above 59 cannot be typed";
    TypeAtTheCaret(model, "002001");
    EXPECT_EQ(model.Text(), "00:02:00") << "nothing is typed after the last position";
    EXPECT_EQ(model.Caret(), 8);
    model.Type('5', 3, 8);
    EXPECT_EQ(model.Text(), "00:5_:__") << "a selection is cleared first";
    EXPECT_EQ(model.Caret(), 4);
}

TEST(MaskModel, DeletingAndMoving)
{
    MaskModel model;
    model.Init(kTimeMask, "123456");
    model.End();
    model.Left();
    model.Left();
    EXPECT_EQ(model.Caret(), 4) << "the caret jumps over the colon";
    model.Backspace(4, 4);
    EXPECT_EQ(model.Text(), "12:_4:56");
    EXPECT_EQ(model.Caret(), 3);
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
