#pragma once
// The user guide in a window of the program's own, for desktops that have no
// browser to show it: the page with its links followed inside the window.
#include <QDialog>

class QTextBrowser;
class QUrl;

namespace ui {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);

    // Shows page (a local file) and brings the window to the front.
    void ShowPage(const QUrl& page);

private:
    QTextBrowser* browser_;
};

}  // namespace ui
