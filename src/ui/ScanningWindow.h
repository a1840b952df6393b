#pragma once
// The white wait window without a caption that shows which file is being
// probed while the main window is disabled.
#include <QWidget>

class QLabel;

namespace ui {

class ScanningWindow : public QWidget {
    Q_OBJECT
public:
    explicit ScanningWindow(QWidget* owner);

    // Shows the window centred over its owner.
    void ShowOverOwner();
    // "<Scanning video text>\n\n<path>", painted at once.
    void ShowPath(const QString& path);
    QString Text() const;

private:
    QLabel* text_;
};

}  // namespace ui
