#include "LogDialog.h"

#include "UiText.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

LogDialog::LogDialog(const QString& logPath, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(ui::Tr("MainDialog", "Log title"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit;
    text->setObjectName("logText");
    text->setAccessibleName(windowTitle());
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QFile log(logPath);
    if (log.open(QIODevice::ReadOnly))
        text->setPlainText(QString::fromUtf8(log.readAll()));
    text->moveCursor(QTextCursor::End);
    layout->addWidget(text);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(ui::Tr("General", "OK"));
    buttons->button(QDialogButtonBox::Close)->setObjectName("closeButton");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(720, 420);
}
