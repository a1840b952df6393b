#include "SplitDialog.h"

#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "controls/CRangeSlider.h"
#include "controls/CmEdit.h"
#include "lang/IniTextFile.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTimeMask = QStringLiteral("[0-5][0-9]:[0-5][0-9]:[0-5][0-9]");

QString Text(const char* section, const char* key)
{
    return QString::fromStdString(lang::Text(section, key));
}

QString Compact(unsigned seconds)
{
    return QString::fromStdString(app::SecondsToCompactClock(seconds));
}

QString Clock(unsigned seconds)
{
    return QString::fromStdString(app::SecondsToClock(seconds));
}

// An incompletely typed time reads as its digits padded with zeros.
long long Seconds(const CmEdit* edit)
{
    std::string digits = edit->GetData().toStdString();
    digits.resize(6, '0');
    return app::CompactClockToSeconds(digits);
}

}  // namespace

SplitDialog::SplitDialog(unsigned duration, unsigned start, unsigned end, std::string sourcePath,
                         app::UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), duration_(duration), start_(start), end_(end), sourcePath_(std::move(sourcePath)),
      dialogs_(dialogs)
{
    slider_ = new CRangeSlider(this);
    startEdit_ = new CmEdit(this);
    endEdit_ = new CmEdit(this);
    minText_ = new QLineEdit(this);
    maxText_ = new QLineEdit(this);
    minText_->setReadOnly(true);
    maxText_->setReadOnly(true);
    minText_->setFocusPolicy(Qt::NoFocus);
    maxText_->setFocusPolicy(Qt::NoFocus);
    lengthLine_ = new QLabel(this);
    minLabel_ = new QLabel(this);
    startLabel_ = new QLabel(this);
    endLabel_ = new QLabel(this);
    maxLabel_ = new QLabel(this);
    saveButton_ = new QPushButton(this);
    cancelButton_ = new QPushButton(this);
    saveButton_->setDefault(true);
    slider_->setObjectName("slider");
    startEdit_->setObjectName("startEdit");
    endEdit_->setObjectName("endEdit");
    minText_->setObjectName("minText");
    maxText_->setObjectName("maxText");
    lengthLine_->setObjectName("lengthLine");
    saveButton_->setObjectName("saveButton");
    cancelButton_->setObjectName("cancelButton");

    auto* times = new QGridLayout;
    times->addWidget(minLabel_, 0, 0);
    times->addWidget(startLabel_, 0, 1);
    times->addWidget(endLabel_, 0, 2);
    times->addWidget(maxLabel_, 0, 3);
    times->addWidget(minText_, 1, 0);
    times->addWidget(startEdit_, 1, 1);
    times->addWidget(endEdit_, 1, 2);
    times->addWidget(maxText_, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lengthLine_, 1);
    buttons->addWidget(saveButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(slider_);
    layout->addLayout(times);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    ApplyTexts();
    startEdit_->Init(kTimeMask, "");
    endEdit_->Init(kTimeMask, "");
    slider_->SetValueFormat([](double seconds) { return Clock(static_cast<unsigned>(seconds)); });
    slider_->SetRange(0, duration_);
    slider_->SetLeftRight(start_, end_);
    minText_->setText(QStringLiteral("00:00:00"));
    maxText_->setText(Clock(duration_));
    ShowData();
    ShowLength(Text("SplitDialog", "Marked Time Length"));

    connect(slider_, &CRangeSlider::rangeChanged, this, &SplitDialog::OnSliderMoved);
    connect(startEdit_, &CmEdit::focusLost, this, &SplitDialog::OnStartEdited);
    connect(endEdit_, &CmEdit::focusLost, this, &SplitDialog::OnEndEdited);
    connect(saveButton_, &QPushButton::clicked, this, &SplitDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &SplitDialog::reject);
}

void SplitDialog::ApplyTexts()
{
    setWindowTitle(Text("SplitDialog", "Dialog Title"));
    saveButton_->setText(Text("General", "OK"));
    cancelButton_->setText(Text("General", "Cancel"));
    minLabel_->setText(Text("SplitDialog", "Min Time"));
    startLabel_->setText(Text("MainDialog", "Start Time"));
    endLabel_->setText(Text("MainDialog", "End Time"));
    maxLabel_->setText(Text("SplitDialog", "Max Time"));
    minText_->setAccessibleName(minLabel_->text());
    startEdit_->setAccessibleName(startLabel_->text());
    endEdit_->setAccessibleName(endLabel_->text());
    maxText_->setAccessibleName(maxLabel_->text());
    slider_->setAccessibleName(Text("SplitDialog", "Trim Range"));
    slider_->SetThumbNames(Text("SplitDialog", "Range Start"), Text("SplitDialog", "Range End"));
    startLabel_->setBuddy(startEdit_);
    endLabel_->setBuddy(endEdit_);
}

void SplitDialog::ShowData()
{
    startEdit_->SetData(Compact(start_));
    endEdit_->SetData(Compact(end_));
}

void SplitDialog::ShowLength(const QString& caption)
{
    lengthLine_->setText(caption + Clock(end_ - start_));
}

void SplitDialog::Warn(const char* key, const char* section)
{
    dialogs_.Message(lang::Text(section, key), app::Application().appName);
}

void SplitDialog::OnSliderMoved()
{
    start_ = static_cast<unsigned>(slider_->GetLeft());
    end_ = static_cast<unsigned>(slider_->GetRight());
    ShowData();
    ShowLength(Text("SplitDialog", "Marked Time Length"));
}

void SplitDialog::OnStartEdited()
{
    if (checking_)
        return;
    checking_ = true;
    long long value = Seconds(startEdit_);
    if (value >= end_) {
        Warn("Start time too big", "SplitDialog");
        startEdit_->SetData(Compact(start_));
        startEdit_->setFocus();
    } else {
        start_ = static_cast<unsigned>(value);
        slider_->SetLeftRight(start_, end_);
        ShowLength(QStringLiteral("Length: "));
    }
    checking_ = false;
}

void SplitDialog::OnEndEdited()
{
    if (checking_)
        return;
    checking_ = true;
    long long value = Seconds(endEdit_);
    if (value <= start_ || value > duration_) {
        Warn("End time too small", "SplitDialog");
        endEdit_->SetData(Compact(end_));
        endEdit_->setFocus();
    } else {
        end_ = static_cast<unsigned>(value);
        slider_->SetLeftRight(start_, end_);
        ShowLength(QStringLiteral("Length: "));
    }
    checking_ = false;
}

void SplitDialog::accept()
{
    if (end_ == start_) {
        Warn("End time too small", "SplitDialog");
        return;
    }
    QDialog::accept();
}
