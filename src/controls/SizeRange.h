#pragma once
// A ruler in units (minutes for discs) with short and labelled ticks, mark
// lines across its height and a bar of coloured segments up to the current
// value. The disc area of the main window shows the length of the ticked
// sources against the capacity of the chosen disc with it.
#include <QColor>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

class CSizeRange : public QWidget {
    Q_OBJECT
public:
    struct Mark {
        int value;
        QColor colour;
        bool solid;
    };
    struct Segment {
        int start;
        QColor colour;
    };

    // Everything the paint draws, in pixels, for a given size.
    struct Drawing {
        std::vector<QLine> shortTicks;
        std::vector<QLine> labelTicks;
        std::vector<std::pair<QPoint, QString>> labels;  // centre-top of each label
        std::vector<std::pair<QLine, Mark>> marks;
        std::vector<std::pair<QRect, QColor>> bars;  // shadow and segment rectangles in paint order
    };

    explicit CSizeRange(QWidget* parent = nullptr);

    void SetMaximum(int maximum);
    void SetMinorStep(int step);
    void SetLabelStep(int step);
    void SetUnitText(const QString& unit);
    // Sets the bar's value and repaints.
    void SetValue(int value);
    int GetValue() const { return value_; }
    int Maximum() const { return maximum_; }
    int MinorStep() const { return minorStep_; }
    int LabelStep() const { return labelStep_; }
    const std::vector<Mark>& Marks() const { return marks_; }
    const std::vector<Segment>& Segments() const { return segments_; }

    void AddMark(int value, const QColor& colour, bool solid);
    void AddSegment(int start, const QColor& colour);
    void ClearMarks();
    void ClearSegments();

    Drawing Layout(int width, int height) const;

    QSize sizeHint() const override { return {300, 36}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int maximum_ = 100;
    int minorStep_ = 5;
    int labelStep_ = 10;
    QString unit_;
    int value_ = 0;
    std::vector<Mark> marks_;
    std::vector<Segment> segments_;
};
