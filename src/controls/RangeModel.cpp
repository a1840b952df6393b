#include "RangeModel.h"

#include <algorithm>
#include <utility>

namespace controls {

RangeChange RangeModel::SetRange(double min, double max)
{
    if (min > max)
        std::swap(min, max);
    min_ = min;
    max_ = max;
    return Normalise();
}

RangeChange RangeModel::SetLeftRight(double left, double right)
{
    left_ = left;
    right_ = right;
    return Normalise();
}

RangeChange RangeModel::Normalise()
{
    if (left_ < min_) {
        left_ = min_;
        if (right_ < left_)
            right_ = left_;
    }
    if (right_ > max_) {
        right_ = max_;
        if (left_ > right_) {
            left_ = right_;
            return kLeftChanged;
        }
    }
    return kNoChange;
}

RangeChange RangeModel::DragTo(Part part, double x, int thumbWidth, int trackLength)
{
    if (trackLength <= 0)
        return kNoChange;
    const double span = max_ - min_;
    const double w = thumbWidth;
    switch (part) {
    case Part::LeftThumb: {
        double left = std::max(std::min(min_ + (x - w / 2) / trackLength * span, right_), min_);
        if (left == left_)
            return kNoChange;
        left_ = left;
        return kLeftChanged;
    }
    case Part::RightThumb: {
        double right = std::min(std::max(min_ + (x - 3 * w / 2) / trackLength * span, left_), max_);
        if (right == right_)
            return kNoChange;
        right_ = right;
        return kRightChanged;
    }
    case Part::Bar: {
        const double width = right_ - left_;
        const double centre = min_ + (x - w) / trackLength * span;
        left_ = centre - width / 2;
        right_ = centre + width / 2;
        if (left_ <= min_) {
            left_ = min_;
            right_ = min_ + width;
        }
        if (right_ >= max_) {
            right_ = max_;
            left_ = max_ - width;
        }
        return kBothChanged;
    }
    case Part::None:
        break;
    }
    return kNoChange;
}

RangeChange RangeModel::Step(bool forward, bool grow, int trackLength)
{
    if (trackLength <= 0)
        return kNoChange;
    const double step = (max_ - min_) / trackLength;
    if (step == 0)
        return kNoChange;
    int pl = static_cast<int>((left_ - min_) / step + 0.5);
    int pr = static_cast<int>((right_ - min_) / step + 0.5);
    const int delta = forward ? 1 : -1;
    if (!grow)
        pl += delta;
    pr += delta;
    if (pl < 0 || pr > trackLength || pr < pl)
        return kNoChange;
    left_ = min_ + pl * step;
    right_ = min_ + pr * step;
    return grow ? kLeftChanged : kBothChanged;
}

RangeChange RangeModel::MoveThumb(Part thumb, double value)
{
    if (thumb == Part::LeftThumb) {
        const double left = std::max(std::min(value, right_), min_);
        if (left == left_)
            return kNoChange;
        left_ = left;
        return kLeftChanged;
    }
    if (thumb == Part::RightThumb) {
        const double right = std::min(std::max(value, left_), max_);
        if (right == right_)
            return kNoChange;
        right_ = right;
        return kRightChanged;
    }
    return kNoChange;
}

RangeChange RangeModel::StepThumb(Part thumb, bool forward, int trackLength)
{
    if (trackLength <= 0 || max_ == min_)
        return kNoChange;
    const double step = (max_ - min_) / trackLength;
    const double value = thumb == Part::LeftThumb ? left_ : right_;
    const int pixel = static_cast<int>((value - min_) / step + 0.5) + (forward ? 1 : -1);
    return MoveThumb(thumb, min_ + pixel * step);
}

RangeChange RangeModel::SlideTo(double left)
{
    const double width = right_ - left_;
    left = std::max(std::min(left, max_ - width), min_);
    if (left == left_)
        return kNoChange;
    left_ = left;
    right_ = left + width;
    return kBothChanged;
}

}  // namespace controls
