// The output-folder row: choosing the folder and opening it.
#include "MainDialog.h"

#include "Desktop.h"
#include "FolderBrowser.h"
#include "UiText.h"

#include <QLineEdit>

namespace ui {

namespace {

constexpr char kSection[] = "MainDialog";

}  // namespace

QString MainDialog::OutputFolder() const
{
    return outputFolderEdit_->text();
}

void MainDialog::OnChangeFolder()
{
    FolderBrowser browser(this, dialogs_, Tr(kSection, "Change..."), Tr(kSection, "Choose ouput folder"),
                          OutputFolder());
    if (browser.exec() != QDialog::Accepted)
        return;
    QString folder = browser.Folder();
    if (!folder.endsWith('/'))
        folder += '/';
    SetOutputFolder(folder);
}

void MainDialog::OnOpenFolder()
{
    OpenFolder(OutputFolder());
}

void MainDialog::OpenFolder(const QString& folder)
{
    desktop_.Open(QUrl::fromLocalFile(folder));
}

}  // namespace ui
