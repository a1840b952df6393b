#include "AboutDialog.h"

#include "Desktop.h"
#include "UiText.h"
#include "app/Application.h"
#include "controls/LinkLabel.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr char kSection[] = "AboutDialog";

}  // namespace

QString AboutDialog::SupportTarget()
{
    const app::ProductIdentity& product = app::Application().product;
    return QStringLiteral("mailto:%1?subject=%2 --Technical Support")
        .arg(Qs(product.supportEmail), Qs(product.applicationName));
}

AboutDialog::AboutDialog(QWidget* parent, Desktop& desktop, const QIcon& icon) : QDialog(parent)
{
    setObjectName("AboutDialog");
    const app::ProductIdentity& product = app::Application().product;
    setWindowTitle(QStringLiteral("%1 %2").arg(Tr(kSection, "Dialog Title"), Qs(product.applicationName)));

    auto* picture = new QLabel(this);
    picture->setPixmap(icon.pixmap(48, 48));
    picture->setAccessibleName(Qs(product.applicationName));
    auto* name = new QLabel(Qs(product.fullName), this);
    name->setObjectName("productName");
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    name->setFont(bold);

    auto addLink = [this, &desktop](const char* objectName, const char* key, const QString& target) {
        auto* link = new LinkLabel(this);
        link->setObjectName(objectName);
        link->SetLink(Tr(kSection, key), target);
        connect(link, &LinkLabel::LinkActivated, this, [&desktop](const QString& to) { desktop.Open(QUrl(to)); });
        return link;
    };
    LinkLabel* home = addLink("homepageLink", "Visit Our Homepage", Qs(product.webSite));
    LinkLabel* order = addLink("orderLink", "Online Order", Qs(product.orderPage));
    LinkLabel* support = addLink("supportLink", "Technical Support", SupportTarget());

    auto* notice = new QLabel(QStringLiteral("Copyright \u00a9 %1. All rights reserved.").arg(Qs(product.company)), this);
    notice->setObjectName("notice");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr("General", "OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addSpacing(8);
    text->addWidget(home);
    text->addWidget(order);
    text->addWidget(support);
    text->addSpacing(8);
    text->addWidget(notice);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

}  // namespace ui
