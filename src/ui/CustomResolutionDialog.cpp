#include "CustomResolutionDialog.h"

#include "Accessible.h"
#include "UiText.h"
#include "app/Application.h"
#include "app/UserDialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr char kSection[] = "CustomResolutionDialog";

QLineEdit* DigitsEdit(QWidget* parent, const char* objectName, const QString& text)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(4);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), edit));
    edit->setText(text.left(4));
    return edit;
}

}  // namespace

CustomResolutionDialog::CustomResolutionDialog(QWidget* parent, app::UserDialogs& dialogs, const QString& width,
                                               const QString& height)
    : QDialog(parent), dialogs_(dialogs)
{
    setObjectName("CustomResolutionDialog");
    setWindowTitle(Tr(kSection, "Dialog Title"));
    width_ = DigitsEdit(this, "widthEdit", width);
    height_ = DigitsEdit(this, "heightEdit", height);
    auto* prompt = new QLabel(Tr(kSection, "Input Resolution"), this);
    auto* widthLabel = new QLabel(this);
    SetLabel(widthLabel, width_, Tr(kSection, "Width"));
    auto* heightLabel = new QLabel(this);
    SetLabel(heightLabel, height_, Tr(kSection, "Height"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(Tr("General", "OK"));
    ok->setObjectName("okButton");
    ok->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr("General", "Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &CustomResolutionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(widthLabel, width_);
    form->addRow(heightLabel, height_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString CustomResolutionDialog::Width() const
{
    return width_->text();
}

QString CustomResolutionDialog::Height() const
{
    return height_->text();
}

void CustomResolutionDialog::accept()
{
    const int width = width_->text().toInt();
    const int height = height_->text().toInt();
    auto inRange = [](int value) { return value >= kMinimum && value <= kMaximum; };
    if (inRange(width) && inRange(height)) {
        QDialog::accept();
        return;
    }
    dialogs_.Message("\n   " + lang::Text(kSection, "Width Height Range") + "\n\n", app::Application().appName);
}

}  // namespace ui
