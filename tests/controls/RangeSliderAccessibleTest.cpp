// The range slider as assistive tools and keyboard users meet it.
#include "controls/CRangeSlider.h"
#include "controls/RangeSliderAccessible.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Part = CRangeSlider::Part;

struct Notice {
    QAccessibleInterface* target;
    QAccessible::Event type;
    QVariant value;
};

std::vector<Notice>* heard = nullptr;

void Record(QAccessibleEvent* event)
{
    ASSERT_NE(heard, nullptr);
    const QVariant value = event->type() == QAccessible::ValueChanged
                               ? static_cast<QAccessibleValueChangeEvent*>(event)->value()
                               : QVariant();
    heard->push_back({event->accessibleInterface(), event->type(), value});
}

// 0..100 on a track of 200 pixels (half a unit per pixel), range 20..80,
// with a listener in place of assistive tools.
class RangeSliderAccess : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QHBoxLayout(&window_);
        before_ = new QLineEdit;
        slider_ = new CRangeSlider;
        after_ = new QLineEdit;
        layout->addWidget(before_);
        layout->addWidget(slider_);
        layout->addWidget(after_);
        slider_->setFixedSize(220, 28);
        slider_->SetRange(0, 100);
        slider_->SetLeftRight(20, 80);
        slider_->setAccessibleName("Trim range");
        slider_->SetThumbNames("Start", "End");
        QObject::connect(slider_, &CRangeSlider::rangeChanged, [this](int what) { changes_.push_back(what); });
        heard = &heard_;
        controls::ListenToThumbs(Record);
    }
    void TearDown() override
    {
        controls::ListenToThumbs(nullptr);
        heard = nullptr;
    }

    QAccessibleInterface* Group() { return QAccessible::queryAccessibleInterface(slider_); }
    QAccessibleInterface* Thumb(int index) { return Group()->child(index); }
    std::vector<Notice> Heard(QAccessible::Event type) const
    {
        std::vector<Notice> found;
        for (const Notice& event : heard_) {
            if (event.type == type) {
                found.push_back(event);
            }
        }
        return found;
    }
    void ShowWindow()
    {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    QWidget window_;
    QLineEdit* before_ = nullptr;
    CRangeSlider* slider_ = nullptr;
    QLineEdit* after_ = nullptr;
    std::vector<int> changes_;
    std::vector<Notice> heard_;
};

}  // namespace

TEST_F(RangeSliderAccess, TheThumbsAreNamedSlidersWithValuesLimitsAndPlaces)
{
    QAccessibleInterface* group = Group();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->text(QAccessible::Name), "Trim range");
    ASSERT_EQ(group->childCount(), 2);
    const struct {
        const char* name;
        double value, minimum, maximum;
        int x;
    } thumbs[] = {{"Start", 20, 0, 80, 40}, {"End", 80, 20, 100, 170}};
    for (int index = 0; index < 2; ++index) {
        SCOPED_TRACE(thumbs[index].name);
        QAccessibleInterface* thumb = Thumb(index);
        ASSERT_NE(thumb, nullptr);
        EXPECT_EQ(thumb->role(), QAccessible::Slider);
        EXPECT_EQ(thumb->text(QAccessible::Name), thumbs[index].name);
        EXPECT_EQ(thumb->parent(), group);
        EXPECT_EQ(group->indexOfChild(thumb), index);
        QAccessibleValueInterface* value = thumb->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_DOUBLE_EQ(value->currentValue().toDouble(), thumbs[index].value);
        EXPECT_DOUBLE_EQ(value->minimumValue().toDouble(), thumbs[index].minimum);
        EXPECT_DOUBLE_EQ(value->maximumValue().toDouble(), thumbs[index].maximum);
        EXPECT_DOUBLE_EQ(value->minimumStepSize().toDouble(), 0.5);
        const QRect place(slider_->mapToGlobal(QPoint(thumbs[index].x, 0)), QSize(10, 28));
        EXPECT_EQ(thumb->rect(), place);
        EXPECT_EQ(group->childAt(place.center().x(), place.center().y()), thumb);
    }
    EXPECT_EQ(Thumb(1)->text(QAccessible::Value), "80");
    slider_->SetValueFormat([](double value) { return QStringLiteral("%1 s").arg(value); });
    EXPECT_EQ(Thumb(1)->text(QAccessible::Value), "80 s");
}

TEST_F(RangeSliderAccess, SettingAValueMovesThatThumbWithinTheRangeRules)
{
    QAccessibleValueInterface* start = Thumb(0)->valueInterface();
    QAccessibleValueInterface* end = Thumb(1)->valueInterface();
    start->setCurrentValue(30.0);
    EXPECT_EQ(slider_->GetLeft(), 30);
    start->setCurrentValue(95.0);
    EXPECT_EQ(slider_->GetLeft(), 80) << "the start never passes the end";
    end->setCurrentValue(10.0);
    EXPECT_EQ(slider_->GetRight(), 80) << "the end never passes the start";
    end->setCurrentValue(500.0);
    EXPECT_EQ(slider_->GetRight(), 100) << "nor the maximum";
    start->setCurrentValue(-3.0);
    EXPECT_EQ(slider_->GetLeft(), 0) << "nor the minimum";
    EXPECT_EQ(changes_, (std::vector<int>{1, 1, 2, 1})) << "the owner hears of every move";

    const std::vector<Notice> values = Heard(QAccessible::ValueChanged);
    ASSERT_EQ(values.size(), 4u);
    const struct {
        int thumb;
        double value;
    } expected[] = {{0, 30}, {0, 80}, {1, 100}, {0, 0}};
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i].target, Thumb(expected[i].thumb)) << i;
        EXPECT_DOUBLE_EQ(values[i].value.toDouble(), expected[i].value) << i;
    }

    heard_.clear();
    slider_->SetLeftRight(10, 60);
    EXPECT_EQ(Heard(QAccessible::ValueChanged).size(), 2u) << "the owner's moves are told too";
}

TEST_F(RangeSliderAccess, TabWalksRangeStartAndEndAndTheKeysMoveThePartInFocus)
{
    ShowWindow();
    before_->setFocus();
    QTest::keyClick(before_, Qt::Key_Tab);
    ASSERT_TRUE(slider_->hasFocus());
    EXPECT_EQ(slider_->KeyboardPart(), Part::Bar);
    EXPECT_EQ(Group()->focusChild(), nullptr);
    QTest::keyClick(slider_, Qt::Key_End);
    EXPECT_EQ(std::pair(slider_->GetLeft(), slider_->GetRight()), std::pair(40.0, 100.0)) << "the range slides";

    heard_.clear();
    QTest::keyClick(slider_, Qt::Key_Tab);
    ASSERT_TRUE(slider_->hasFocus());
    EXPECT_EQ(slider_->KeyboardPart(), Part::LeftThumb);
    EXPECT_EQ(Group()->focusChild(), Thumb(0));
    EXPECT_TRUE(Thumb(0)->state().focused);
    EXPECT_FALSE(Thumb(1)->state().focused);
    const std::vector<Notice> focus = Heard(QAccessible::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].target, Thumb(0));
    QTest::keyClick(slider_, Qt::Key_Right);
    EXPECT_EQ(std::pair(slider_->GetLeft(), slider_->GetRight()), std::pair(40.5, 100.0)) << "only the start moves";
    QTest::keyClick(slider_, Qt::Key_Home);
    EXPECT_EQ(slider_->GetLeft(), 0);
    QTest::keyClick(slider_, Qt::Key_End);
    EXPECT_EQ(slider_->GetLeft(), 100) << "up to the end thumb";

    QTest::keyClick(slider_, Qt::Key_Tab);
    EXPECT_EQ(slider_->KeyboardPart(), Part::RightThumb);
    QTest::keyClick(slider_, Qt::Key_Right);
    EXPECT_EQ(slider_->GetRight(), 100);
    slider_->SetLeftRight(20, 80);
    QTest::keyClick(slider_, Qt::Key_Left);
    EXPECT_EQ(std::pair(slider_->GetLeft(), slider_->GetRight()), std::pair(20.0, 79.5)) << "only the end moves";
    QTest::keyClick(slider_, Qt::Key_Home);
    EXPECT_EQ(slider_->GetRight(), 20) << "down to the start thumb";

    QTest::keyClick(slider_, Qt::Key_Tab);
    EXPECT_TRUE(after_->hasFocus()) << "after the end thumb Tab leaves the slider";
    QTest::keyClick(after_, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(slider_->hasFocus());
    EXPECT_EQ(slider_->KeyboardPart(), Part::RightThumb) << "Shift+Tab comes back to the end thumb";
    QTest::keyClick(slider_, Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(slider_, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(slider_->KeyboardPart(), Part::Bar);
    QTest::keyClick(slider_, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(before_->hasFocus());
}

TEST_F(RangeSliderAccess, ClickingAThumbGivesItTheKeyboard)
{
    ShowWindow();
    QTest::mouseClick(slider_, Qt::LeftButton, {}, QPoint(slider_->RightThumbCentre(), 14));
    EXPECT_TRUE(slider_->hasFocus());
    EXPECT_EQ(slider_->KeyboardPart(), Part::RightThumb);
    EXPECT_EQ(std::pair(slider_->GetLeft(), slider_->GetRight()), std::pair(20.0, 80.0)) << "a click moves nothing";
    QTest::mouseClick(slider_, Qt::LeftButton, {}, QPoint(100, 14));
    EXPECT_EQ(slider_->KeyboardPart(), Part::Bar);
}

TEST_F(RangeSliderAccess, TheThumbsLeaveTheRegistryWithTheSlider)
{
    const QAccessible::Id start = QAccessible::uniqueId(Thumb(0));
    const QAccessible::Id end = QAccessible::uniqueId(Thumb(1));
    ASSERT_NE(QAccessible::accessibleInterface(start), nullptr);
    delete slider_;
    slider_ = nullptr;
    EXPECT_EQ(QAccessible::accessibleInterface(start), nullptr);
    EXPECT_EQ(QAccessible::accessibleInterface(end), nullptr);
}
