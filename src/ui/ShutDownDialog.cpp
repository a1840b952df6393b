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

struct ActionTexts {
    const char* title;
    const char* countdown;  // holds "30", replaced by the seconds left
    const char* now;
};

ActionTexts TextsOf(app::WhenDone action)
{
    switch (action) {
    case app::WhenDone::Suspend:
        return {"Suspend Title", "Suspend Countdown", "Suspend Now"};
    case app::WhenDone::Quit:
        return {"Quit Title", "Quit Countdown", "Quit Now"};
    case app::WhenDone::Nothing:
    case app::WhenDone::ShutDown:
        break;
    }
    return {"Dialog Title", "30 Seconds", "Shut Down Now"};
}

}  // namespace

ShutDownDialog::ShutDownDialog(QWidget* parent, platform::PowerSwitch& power, app::WhenDone action)
    : QDialog(parent), power_(power), action_(action)
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

    const ActionTexts texts = TextsOf(action_);
    setWindowTitle(Tr(kSection, texts.title));
    waiting_->setText(Tr(kSection, "Waiting"));
    countdown_->setText(Tr(kSection, texts.countdown));
    countdown_->setAccessibleName(countdown_->text());
    now->setText(Tr(kSection, texts.now));
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
        CarryOut();
        QDialog::accept();
        return;
    }
    countdown_->setText(Qs(CountdownText(lang::Text(kSection, TextsOf(action_).countdown), secondsLeft_)));
    countdown_->setAccessibleName(countdown_->text());
}

void ShutDownDialog::accept()
{
    CarryOut();
    QDialog::accept();
}

void ShutDownDialog::reject()
{
    timer_->stop();
    QDialog::reject();
}

// Stops the countdown first, so that the action is taken only once. The
// window closes from the event loop, after the dialog's own loop has ended.
void ShutDownDialog::CarryOut()
{
    timer_->stop();
    switch (action_) {
    case app::WhenDone::ShutDown:
        power_.PowerOff();
        break;
    case app::WhenDone::Suspend:
        power_.Suspend();
        break;
    case app::WhenDone::Quit:
        if (QWidget* owner = parentWidget())
            QMetaObject::invokeMethod(owner->window(), &QWidget::close, Qt::QueuedConnection);
        break;
    case app::WhenDone::Nothing:
        break;
    }
}

}  // namespace ui
