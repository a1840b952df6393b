#pragma once
// The one box that lists every file an Add Files, Add Folder or drop could
// not add, each with its reason, scrollable when the list is long.
#include "app/UserDialogs.h"

#include <QDialog>

#include <vector>

class QTextBrowser;

namespace ui {

class RefusedFilesBox : public QDialog {
    Q_OBJECT
public:
    RefusedFilesBox(const std::vector<app::RefusedFile>& files, const QString& caption, QWidget* parent);

    // The list as plain text: each file name, its folder and its reasons.
    QString ListText() const;

private:
    QTextBrowser* list_;
};

}  // namespace ui
