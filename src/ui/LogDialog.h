#pragma once
// The log of one tool run, read-only, as the tool wrote it.
#include <QDialog>

class LogDialog : public QDialog {
    Q_OBJECT
public:
    LogDialog(const QString& logPath, QWidget* parent = nullptr);
};
