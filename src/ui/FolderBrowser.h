#pragma once
// Chooses a folder: a tree of the file system's folders and an edit box in
// which a path can also be typed. OK checks the typed path and offers to
// create a missing folder; a rejected path keeps the chooser open.
#include <QDialog>

class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QTreeView;

namespace app {
class UserDialogs;
}

namespace ui {

class FolderBrowser : public QDialog {
    Q_OBJECT
public:
    // An empty initialFolder opens at the current directory.
    FolderBrowser(QWidget* parent, app::UserDialogs& dialogs, const QString& caption, const QString& instruction,
                  const QString& initialFolder);

    // The confirmed folder, without a final '/' (except for "/").
    QString Folder() const { return folder_; }

    void accept() override;

private:
    void OnSelectionChanged();
    void OnEdited(const QString& text);
    void SelectFolder(const QString& folder);

    app::UserDialogs& dialogs_;
    QFileSystemModel* model_;
    QTreeView* tree_;
    QLineEdit* edit_;
    QDialogButtonBox* buttons_;
    QString folder_;
};

}  // namespace ui
