#include "RangeSliderAccessible.h"

#include "CRangeSlider.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <array>

namespace controls {

namespace {

using Part = RangeModel::Part;

constexpr std::array<Part, 2> kThumbs = {Part::LeftThumb, Part::RightThumb};

int IndexOf(Part thumb)
{
    return thumb == Part::LeftThumb ? 0 : 1;
}

// One thumb as a slider. Its limits are those it may move within: the start
// thumb from the minimum to the end thumb, the end thumb from the start
// thumb to the maximum.
class ThumbAccessible : public QAccessibleInterface, public QAccessibleValueInterface {
public:
    ThumbAccessible(CRangeSlider* slider, Part thumb) : slider_(slider), thumb_(thumb) {}

    bool isValid() const override { return slider_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        QAccessibleInterface* owner = parent();
        return owner ? owner->window() : nullptr;
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(slider_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::Slider; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override
    {
        if (!slider_)
            return {};
        if (kind == QAccessible::Name)
            return slider_->ThumbName(thumb_);
        if (kind == QAccessible::Value)
            return slider_->ValueText(Value());
        return {};
    }

    QRect rect() const override
    {
        if (!slider_)
            return {};
        const QRect local = slider_->ThumbRect(thumb_);
        return {slider_->mapToGlobal(local.topLeft()), local.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!slider_)
            return state;
        state.focusable = true;
        state.focused = slider_->hasFocus() && slider_->KeyboardPart() == thumb_;
        state.disabled = !slider_->isEnabled();
        state.invisible = !slider_->isVisible();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
    }

    QVariant currentValue() const override { return slider_ ? QVariant(Value()) : QVariant(); }
    void setCurrentValue(const QVariant& value) override
    {
        if (slider_ && value.canConvert<double>())
            slider_->MoveThumb(thumb_, value.toDouble());
    }
    QVariant minimumValue() const override
    {
        return slider_ ? QVariant(thumb_ == Part::LeftThumb ? slider_->GetMin() : slider_->GetLeft()) : QVariant();
    }
    QVariant maximumValue() const override
    {
        return slider_ ? QVariant(thumb_ == Part::LeftThumb ? slider_->GetRight() : slider_->GetMax()) : QVariant();
    }
    QVariant minimumStepSize() const override { return slider_ ? QVariant(slider_->StepSize()) : QVariant(); }

private:
    double Value() const { return thumb_ == Part::LeftThumb ? slider_->GetLeft() : slider_->GetRight(); }

    QPointer<CRangeSlider> slider_;
    Part thumb_;
};

// The slider as a group of its two thumbs. The thumbs' interfaces live in
// Qt's registry as long as this one does.
class RangeSliderAccessible : public QAccessibleWidget {
public:
    explicit RangeSliderAccessible(CRangeSlider* slider) : QAccessibleWidget(slider, QAccessible::Grouping)
    {
        for (Part thumb : kThumbs)
            thumbIds_[IndexOf(thumb)] = QAccessible::registerAccessibleInterface(new ThumbAccessible(slider, thumb));
    }
    ~RangeSliderAccessible() override
    {
        for (QAccessible::Id id : thumbIds_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(thumbIds_.size()); }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < childCount() ? QAccessible::accessibleInterface(thumbIds_[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int index = 0; index < childCount(); ++index)
            if (QAccessible::accessibleInterface(thumbIds_[index]) == child)
                return index;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int index = 0; index < childCount(); ++index)
            if (child(index)->rect().contains(x, y))
                return child(index);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        const auto* slider = static_cast<const CRangeSlider*>(widget());
        if (!slider->hasFocus() || slider->KeyboardPart() == Part::Bar)
            return nullptr;
        return child(IndexOf(slider->KeyboardPart()));
    }

private:
    std::array<QAccessible::Id, 2> thumbIds_{};
};

QAccessibleInterface* CreateInterface(const QString& className, QObject* object)
{
    auto* slider = className == QLatin1String("CRangeSlider") ? qobject_cast<CRangeSlider*>(object) : nullptr;
    return slider ? new RangeSliderAccessible(slider) : nullptr;
}

ThumbListener thumbListener = nullptr;

// The thumb's interface, when anyone listens to what happens to it.
QAccessibleInterface* ListenedThumb(CRangeSlider* slider, Part thumb)
{
    if (!thumbListener && !QAccessible::isActive())
        return nullptr;
    QAccessibleInterface* group = QAccessible::queryAccessibleInterface(slider);
    return group ? group->child(IndexOf(thumb)) : nullptr;
}

void Send(QAccessibleEvent& event)
{
    if (thumbListener)
        thumbListener(&event);
    else
        QAccessible::updateAccessibility(&event);
}

}  // namespace

void InstallRangeSliderAccessible()
{
    QAccessible::installFactory(CreateInterface);
}

void TellThumbMoved(CRangeSlider* slider, Part thumb)
{
    if (QAccessibleInterface* accessible = ListenedThumb(slider, thumb)) {
        QAccessibleValueChangeEvent event(accessible, accessible->valueInterface()->currentValue());
        Send(event);
    }
}

void TellThumbFocused(CRangeSlider* slider, Part thumb)
{
    if (QAccessibleInterface* accessible = ListenedThumb(slider, thumb)) {
        QAccessibleEvent event(accessible, QAccessible::Focus);
        Send(event);
    }
}

void ListenToThumbs(ThumbListener listener)
{
    thumbListener = listener;
}

}  // namespace controls
