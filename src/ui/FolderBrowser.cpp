#include "FolderBrowser.h"

#include "UiText.h"
#include "app/FolderChecks.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace ui {

FolderBrowser::FolderBrowser(QWidget* parent, app::UserDialogs& dialogs, const QString& caption,
                             const QString& instruction, const QString& initialFolder)
    : QDialog(parent), dialogs_(dialogs)
{
    setObjectName("FolderBrowser");
    setWindowTitle(caption);
    auto* prompt = new QLabel(instruction, this);
    prompt->setWordWrap(true);

    edit_ = new QLineEdit(this);
    edit_->setObjectName("folderEdit");
    edit_->setAccessibleName(instruction);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    model_->setRootPath("/");
    tree_ = new QTreeView(this);
    tree_->setObjectName("folderTree");
    tree_->setAccessibleName(instruction);
    tree_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        tree_->hideColumn(column);
    tree_->header()->hide();

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons_->button(QDialogButtonBox::Ok)->setText(Tr("General", "OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    buttons_->button(QDialogButtonBox::Cancel)->setText(Tr("General", "Cancel"));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(buttons_, &QDialogButtonBox::accepted, this, &FolderBrowser::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(edit_);
    layout->addWidget(tree_, 1);
    layout->addWidget(buttons_);
    resize(460, 520);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, &FolderBrowser::OnSelectionChanged);
    connect(edit_, &QLineEdit::textEdited, this, &FolderBrowser::OnEdited);
    SelectFolder(initialFolder.isEmpty() ? QDir::currentPath() : initialFolder);
}

// A folder that does not exist yet still goes into the edit box, so that
// OK can offer to create it.
void FolderBrowser::SelectFolder(const QString& folder)
{
    QString path = folder;
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    const QModelIndex index = model_->index(path);
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    }
    edit_->setText(path);
    OnEdited(path);
}

void FolderBrowser::OnSelectionChanged()
{
    const QString path = model_->filePath(tree_->currentIndex());
    const bool isFolder = path.startsWith('/');
    edit_->setText(isFolder ? path : QString());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(isFolder);
}

void FolderBrowser::OnEdited(const QString& text)
{
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!text.isEmpty());
}

void FolderBrowser::accept()
{
    const QString typed = edit_->text().left(4095);
    if (app::ValidateFolder(Ss(typed), dialogs_) != app::kPathValid) {
        edit_->setFocus();
        return;
    }
    folder_ = typed;
    QDialog::accept();
}

}  // namespace ui
