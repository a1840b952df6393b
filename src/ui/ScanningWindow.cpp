#include "ScanningWindow.h"

#include "UiText.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
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
    wait_ = new QLabel(this);
    wait_->setObjectName("scanningText");
    wait_->setAlignment(Qt::AlignCenter);
    count_ = new QLabel(this);
    count_->setObjectName("scanningCount");
    count_->setAlignment(Qt::AlignCenter);
    name_ = new QLabel(this);
    name_->setObjectName("scanningName");
    name_->setAlignment(Qt::AlignCenter);
    bar_ = new QProgressBar(this);
    bar_->setTextVisible(false);
    cancel_ = new QPushButton(Tr("General", "Cancel"), this);
    cancel_->setObjectName("scanningCancel");
    connect(cancel_, &QPushButton::clicked, this, &ScanningWindow::cancelRequested);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(cancel_);
    buttonRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wait_);
    layout->addWidget(count_);
    layout->addWidget(name_);
    layout->addWidget(bar_);
    layout->addLayout(buttonRow);
    setFixedWidth(420);
}

void ScanningWindow::ShowOverOwner()
{
    wait_->setText(Tr("MainDialog", "Scanning video"));
    cancel_->setText(Tr("General", "Cancel"));
    ShowProgress(0, 0, QString());
    // A window of its own stays enabled while its disabled owner waits, so
    // its text is not greyed and Cancel works.
    setEnabled(true);
    adjustSize();
    if (QWidget* owner = parentWidget())
        move(owner->geometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    cancel_->setFocus();
}

void ScanningWindow::ShowProgress(int done, int total, const QString& path)
{
    count_->setText(total > 0 ? Tr("MainDialog", "Files scanned").arg(done).arg(total) : QString());
    bar_->setRange(0, std::max(total, 1));
    bar_->setValue(done);
    const QString name = QFileInfo(path).fileName();
    name_->setText(name_->fontMetrics().elidedText(name, Qt::ElideMiddle, width() - 40));
    name_->setToolTip(path);
    repaint();
}

QString ScanningWindow::Text() const
{
    return wait_->text() + "\n" + count_->text() + "\n" + name_->text();
}

void ScanningWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        Q_EMIT cancelRequested();
    else
        QWidget::keyPressEvent(event);
}

}  // namespace ui
