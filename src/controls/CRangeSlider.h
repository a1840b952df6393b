#pragma once
// A horizontal slider with two thumbs marking a range of values. Drag a
// thumb to move one end, drag the bar between them to move the whole range.
// The keyboard works on one part at a time; Tab and Shift+Tab walk from the
// whole range to the start thumb and the end thumb before leaving the slider.
// On the range, Left/Right slide it by one pixel, Shift+Left/Right grow or
// shrink it and Home/End slide it to either end; on a thumb, Left/Right move
// that thumb by one pixel and Home/End as far as it may go. Assistive tools
// see the two thumbs as sliders of their own (RangeSliderAccessible).
#include "RangeModel.h"

#include <QWidget>

#include <functional>

class CRangeSlider : public QWidget {
    Q_OBJECT
public:
    using Part = controls::RangeModel::Part;
    // How a value reads aloud, e.g. as a clock time.
    using ValueFormat = std::function<QString(double)>;

    explicit CRangeSlider(QWidget* parent = nullptr);

    void SetRange(double min, double max);
    void SetLeftRight(double left, double right);
    double GetLeft() const { return model_.Left(); }
    double GetRight() const { return model_.Right(); }
    double GetMin() const { return model_.Min(); }
    double GetMax() const { return model_.Max(); }
    // Moves one thumb as a drag would: the left thumb stays within
    // Min..Right, the right one within Left..Max; rangeChanged reports a move.
    void MoveThumb(Part thumb, double value);
    // The value one pixel of the track stands for; 0 without width or range.
    double StepSize() const;

    // The part the keyboard moves: the whole range (Bar) or one thumb.
    Part KeyboardPart() const { return keyboardPart_; }

    // What assistive tools call the thumbs and how they read a value; the
    // owner gives them in the user's language.
    void SetThumbNames(const QString& start, const QString& end);
    QString ThumbName(Part thumb) const { return thumb == Part::LeftThumb ? startName_ : endName_; }
    void SetValueFormat(ValueFormat format) { valueFormat_ = std::move(format); }
    QString ValueText(double value) const;

    int ThumbWidth() const { return kThumbWidth; }
    int TrackLength() const { return width() - 2 * kThumbWidth; }
    // Pixel centres and areas of the thumbs, for tests and accessibility tools.
    int LeftThumbCentre() const;
    int RightThumbCentre() const;
    QRect ThumbRect(Part thumb) const;

    QSize sizeHint() const override { return {300, 28}; }

Q_SIGNALS:
    // what: 1 left moved, 2 right moved, 3 both.
    void rangeChanged(int what);
    // Sent when a drag ends.
    void rangeReleased(int what);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    static constexpr int kThumbWidth = 10;

    controls::RangeChange KeyMove(int key, bool shift);
    void Report(controls::RangeChange change);
    // Repaints after a change and tells assistive tools which thumbs moved.
    void Settle(double oldLeft, double oldRight);
    void SetKeyboardPart(Part part);
    double PixelOf(double value) const;

    controls::RangeModel model_;
    Part dragged_ = Part::None;
    Part keyboardPart_ = Part::Bar;
    double dragOffset_ = 0;
    int dragChange_ = controls::kNoChange;
    QString startName_, endName_;
    ValueFormat valueFormat_;
};
