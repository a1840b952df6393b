#include "WidgetTest.h"

#include "controls/CRangeSlider.h"
#include "controls/CmEdit.h"
#include "lang/IniTextFile.h"
#include "ui/SplitDialog.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing_support::RecordingDialogs;
using widget_test::Find;

namespace {

class Split : public ::testing::Test {
protected:
    void SetUp() override
    {
        lang::LanguageTable().SetValue("SplitDialog", "Marked Time Length", "Marked: ", true);
        lang::LanguageTable().SetValue("SplitDialog", "End time too small", "End too small", true);
        lang::LanguageTable().SetValue("SplitDialog", "Start time too big", "Start too big", true);
    }

    // Types a time into an edit and moves the focus away.
    void TypeTime(SplitDialog& dialog, const char* editName, const char* digits)
    {
        CmEdit* edit = Find<CmEdit>(&dialog, editName);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClicks(edit, digits);
        Find<QPushButton>(&dialog, "cancelButton")->setFocus();
    }

    RecordingDialogs dialogs;
};

}  // namespace

TEST_F(Split, TypedTimesAreCheckedWhenTheFocusLeaves)
{
    SplitDialog dialog(95, 0, 95, "/v/a.avi", dialogs);
    EXPECT_EQ(Find<CmEdit>(&dialog, "startEdit")->text(), "00:00:00");
    EXPECT_EQ(Find<QLineEdit>(&dialog, "maxText")->text(), "00:01:35");
    EXPECT_EQ(Find<QLabel>(&dialog, "lengthLine")->text(), "Marked: 00:01:35");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    TypeTime(dialog, "endEdit", "000200");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "End too small") << "an end beyond the length";
    EXPECT_EQ(Find<CmEdit>(&dialog, "endEdit")->text(), "00:01:35");
    EXPECT_EQ(dialog.End(), 95u);

    TypeTime(dialog, "startEdit", "000135");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "Start too big") << "a start equal to the end";

    TypeTime(dialog, "startEdit", "000010");
    TypeTime(dialog, "endEdit", "000100");
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialog.Start(), 10u);
    EXPECT_EQ(dialog.End(), 60u);
    EXPECT_EQ(Find<QLabel>(&dialog, "lengthLine")->text(), "Length: 00:00:50");
    auto* slider = Find<CRangeSlider>(&dialog, "slider");
    EXPECT_EQ(slider->GetLeft(), 10);
    EXPECT_EQ(slider->GetRight(), 60);
}

TEST_F(Split, SliderMovesTheTimesAndSaveNeedsALength)
{
    SplitDialog dialog(100, 0, 100, "/v/a.avi", dialogs);
    dialog.resize(520, 160);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* slider = Find<CRangeSlider>(&dialog, "slider");

    // Drag the right thumb all the way onto the left one.
    QPoint from(slider->RightThumbCentre(), slider->height() / 2);
    QTest::mousePress(slider, Qt::LeftButton, {}, from);
    QTest::mouseMove(slider, QPoint(0, slider->height() / 2));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(0, slider->height() / 2));
    EXPECT_EQ(dialog.Start(), 0u);
    EXPECT_EQ(dialog.End(), 0u);
    EXPECT_EQ(Find<CmEdit>(&dialog, "endEdit")->text(), "00:00:00");
    EXPECT_EQ(Find<QLabel>(&dialog, "lengthLine")->text(), "Marked: 00:00:00");

    QTest::mouseClick(Find<QPushButton>(&dialog, "saveButton"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible()) << "start equal to end cannot be saved";
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, "End too small");

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right, Qt::ShiftModifier);
    for (int i = 0; i < 40; ++i)
        QTest::keyClick(slider, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_GT(dialog.End(), 0u) << "Shift+Right grows the range";
    QTest::mouseClick(Find<QPushButton>(&dialog, "saveButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// Screen reader users meet the slider as a named range with two sliders.
TEST_F(Split, AssistiveToolsReadAndSetTheTimesThroughTheThumbs)
{
    lang::LanguageTable().SetValue("SplitDialog", "Trim Range", "Trim range", true);
    lang::LanguageTable().SetValue("SplitDialog", "Range Start", "Start", true);
    lang::LanguageTable().SetValue("SplitDialog", "Range End", "End", true);
    SplitDialog dialog(3700, 10, 3600, "/v/a.avi", dialogs);
    QAccessibleInterface* range = QAccessible::queryAccessibleInterface(Find<CRangeSlider>(&dialog, "slider"));
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->text(QAccessible::Name), "Trim range");
    ASSERT_EQ(range->childCount(), 2);
    QAccessibleInterface* start = range->child(0);
    QAccessibleInterface* end = range->child(1);
    EXPECT_EQ(start->text(QAccessible::Name), "Start");
    EXPECT_EQ(end->text(QAccessible::Name), "End");
    EXPECT_EQ(end->text(QAccessible::Value), "01:00:00") << "values read as clock times";

    start->valueInterface()->setCurrentValue(95.0);
    EXPECT_EQ(dialog.Start(), 95u);
    EXPECT_EQ(Find<CmEdit>(&dialog, "startEdit")->text(), "00:01:35");
    EXPECT_EQ(Find<QLabel>(&dialog, "lengthLine")->text(), "Marked: 00:58:25");
}
