#pragma once
// The values behind a two-thumb range slider: Min <= Left <= Right <= Max,
// and how mouse drags and arrow keys move them. Pixel geometry: a thumb is
// thumbWidth wide, and the value scale is trackLength pixels long between
// the left thumb's left edge and the right thumb's right edge minus both
// thumbs.
namespace controls {

// What a change moved, as reported to the slider's parent.
enum RangeChange { kNoChange = 0, kLeftChanged = 1, kRightChanged = 2, kBothChanged = 3 };

class RangeModel {
public:
    enum class Part { None, LeftThumb, RightThumb, Bar };

    double Min() const { return min_; }
    double Max() const { return max_; }
    double Left() const { return left_; }
    double Right() const { return right_; }

    // Both return kLeftChanged when normalising pulled Left down to Max.
    RangeChange SetRange(double min, double max);
    RangeChange SetLeftRight(double left, double right);

    // x is the mouse position minus the click's offset from the part's centre.
    RangeChange DragTo(Part part, double x, int thumbWidth, int trackLength);
    // One pixel left or right; with grow only the right thumb moves.
    RangeChange Step(bool forward, bool grow, int trackLength);

    // Moves one thumb to value, kept within Min..Right for the left thumb
    // and Left..Max for the right one; other parts do not move.
    RangeChange MoveThumb(Part thumb, double value);
    // Moves one thumb one pixel left or right, as far as MoveThumb lets it.
    RangeChange StepThumb(Part thumb, bool forward, int trackLength);
    // Slides the whole range, keeping its length, to start at left or as
    // near to it as Min and Max allow.
    RangeChange SlideTo(double left);

private:
    RangeChange Normalise();

    double min_ = 0, max_ = 0, left_ = 0, right_ = 0;
};

}  // namespace controls
