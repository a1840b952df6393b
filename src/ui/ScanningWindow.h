#pragma once
// The white wait window without a caption that shows how far the probing
// of added files has come ("3 of 16"), which file is being read, and a
// Cancel button, while the main window is disabled.
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {

class ScanningWindow : public QWidget {
    Q_OBJECT
public:
    explicit ScanningWindow(QWidget* owner);

    // Shows the window centred over its owner, at once.
    void ShowOverOwner();
    // How many of the files are done, and the one being read now ("" when
    // none yet); painted at once.
    void ShowProgress(int done, int total, const QString& path);
    // The texts shown: the wait line, the count and the file name, a line each.
    QString Text() const;

Q_SIGNALS:
    // Cancel was pressed (or Escape).
    void cancelRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* wait_;
    QLabel* count_;
    QLabel* name_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};

}  // namespace ui
