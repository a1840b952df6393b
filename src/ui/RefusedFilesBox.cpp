#include "RefusedFilesBox.h"

#include "UiText.h"
#include "app/NoticeText.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace ui {

namespace {

// "<b>name</b> folder" and a line per reason, the folder greyed so the
// name stands out.
QString FileEntry(const app::RefusedFile& file)
{
    const QFileInfo info(Qs(file.path));
    QString entry = QStringLiteral("<p><b>%1</b> <span style=\"color:gray\">%2</span>")
                        .arg(info.fileName().toHtmlEscaped(), info.path().toHtmlEscaped());
    for (const app::Notice& notice : file.notices)
        entry += "<br>" + Qs(app::RefusalReason(notice)).toHtmlEscaped();
    return entry + "</p>";
}

}  // namespace

RefusedFilesBox::RefusedFilesBox(const std::vector<app::RefusedFile>& files, const QString& caption,
                                 QWidget* parent)
    : QDialog(parent)
{
    setObjectName("refusedFilesBox");
    setWindowTitle(caption);

    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);
    auto* heading = new QLabel(Tr("MainDialog", "Files not added"), this);
    heading->setObjectName("refusedHeading");
    heading->setWordWrap(true);

    list_ = new QTextBrowser(this);
    list_->setObjectName("refusedList");
    list_->setAccessibleName(heading->text());
    QString html;
    for (const app::RefusedFile& file : files)
        html += FileEntry(file);
    list_->setHtml(html);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(heading, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(560, files.size() > 3 ? 380 : 260);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
}

QString RefusedFilesBox::ListText() const
{
    return list_->toPlainText();
}

}  // namespace ui
