#include "HelpWindow.h"

#include "UiText.h"
#include "app/Application.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace ui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent, Qt::Window)
{
    setObjectName("helpWindow");
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("helpBrowser");
    // Links into the guide stay here; web links go to whatever the desktop has.
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 640);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? Qs(app::Application().appName) : title);
        browser_->setAccessibleName(windowTitle());
    });
}

void HelpWindow::ShowPage(const QUrl& page)
{
    browser_->setSource(page);
    show();
    raise();
    activateWindow();
}

}  // namespace ui
