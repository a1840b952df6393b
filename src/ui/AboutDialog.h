#pragma once
// The product's name with links to its homepage, order page and support
// mail address.
#include <QDialog>

class LinkLabel;

namespace ui {

class Desktop;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(QWidget* parent, Desktop& desktop, const QIcon& icon);

    // "mailto:<support>?subject=<application> --Technical Support"
    static QString SupportTarget();
};

}  // namespace ui
