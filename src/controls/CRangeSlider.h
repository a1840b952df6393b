#pragma once
// A horizontal slider with two thumbs marking a range of values. Drag a
// thumb to move one end, drag the bar between them to move the whole range;
// Left/Right slide the range by one pixel, Shift+Left/Right grow or shrink it.
#include "RangeModel.h"

#include <QWidget>

class CRangeSlider : public QWidget {
    Q_OBJECT
public:
    explicit CRangeSlider(QWidget* parent = nullptr);

    void SetRange(double min, double max);
    void SetLeftRight(double left, double right);
    double GetLeft() const { return model_.Left(); }
    double GetRight() const { return model_.Right(); }

    int ThumbWidth() const { return kThumbWidth; }
    int TrackLength() const { return width() - 2 * kThumbWidth; }
    // Pixel centres of the thumbs, for tests and accessibility tools.
    int LeftThumbCentre() const;
    int RightThumbCentre() const;

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

private:
    static constexpr int kThumbWidth = 10;

    void Report(controls::RangeChange change);
    double PixelOf(double value) const;

    controls::RangeModel model_;
    controls::RangeModel::Part dragged_ = controls::RangeModel::Part::None;
    double dragOffset_ = 0;
    int dragChange_ = controls::kNoChange;
};
