#include "ScanningWindow.h"

#include "UiText.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ui {

ScanningWindow::ScanningWindow(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName("scanningWindow");
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);
    text_ = new QLabel(this);
    text_->setObjectName("scanningText");
    text_->setAlignment(Qt::AlignCenter);
    text_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    setFixedSize(420, 110);
}

void ScanningWindow::ShowOverOwner()
{
    // A window of its own stays enabled while its disabled owner waits, so
    // its text is not greyed.
    setEnabled(true);
    if (QWidget* owner = parentWidget())
        move(owner->geometry().center() - rect().center());
    show();
    raise();
}

void ScanningWindow::ShowPath(const QString& path)
{
    text_->setText(Tr("MainDialog", "Scanning video") + "\n\n" + path);
    repaint();
}

QString ScanningWindow::Text() const
{
    return text_->text();
}

}  // namespace ui
