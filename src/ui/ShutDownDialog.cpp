#include "ShutDownDialog.h"

#include "ShellTexts.h"
#include "UiText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr char kSection[] = "ShutDownDialog";

}  // namespace

ShutDownDialog::ShutDownDialog(QWidget* parent, platform::PowerSwitch& power) : QDialog(parent), power_(power)
{
    setObjectName("ShutDownDialog");
    waiting_ = new QLabel(this);
    waiting_->setObjectName("waiting");
    countdown_ = new QLabel(this);
    countdown_->setObjectName("countdown");
    countdown_->setWordWrap(true);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* now = buttons_->button(QDialogButtonBox::Ok);
    now->setObjectName("shutDownNowButton");
    now->setDefault(true);
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(waiting_);
    layout->addWidget(countdown_);
    layout->addStretch();
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &ShutDownDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &ShutDownDialog::reject);

    setWindowTitle(Tr(kSection, "Dialog Title"));
    waiting_->setText(Tr(kSection, "Waiting"));
    countdown_->setText(Tr(kSection, "30 Seconds"));
    countdown_->setAccessibleName(countdown_->text());
    now->setText(Tr(kSection, "Shut Down Now"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(Tr("General", "Cancel"));
    setMinimumWidth(380);

    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &ShutDownDialog::Tick);
    timer_->start();
}

void ShutDownDialog::Tick()
{
    if (!timer_->isActive())
        return;
    --secondsLeft_;
    if (secondsLeft_ < 0) {
        PowerOff();
        QDialog::accept();
        return;
    }
    countdown_->setText(Qs(CountdownText(lang::Text(kSection, "30 Seconds"), secondsLeft_)));
    countdown_->setAccessibleName(countdown_->text());
}

void ShutDownDialog::accept()
{
    PowerOff();
    QDialog::accept();
}

void ShutDownDialog::reject()
{
    timer_->stop();
    QDialog::reject();
}

// Stops the countdown first, so that the power-off is asked for only once.
void ShutDownDialog::PowerOff()
{
    timer_->stop();
    power_.PowerOff();
}

}  // namespace ui
