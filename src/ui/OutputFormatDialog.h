#pragma once
// Chooses which profiles the Output Format list shows: a tree of the device
// categories with their profiles, each with a check box. A category's box
// sets all its profiles; a profile's box keeps the category's box in step.
#include "profiles/ProfileCatalogue.h"

#include <QDialog>

class QTreeWidget;
class QTreeWidgetItem;

namespace app {
class UserDialogs;
}

namespace ui {

class OutputFormatDialog : public QDialog {
    Q_OBJECT
public:
    OutputFormatDialog(QWidget* parent, app::UserDialogs& dialogs, profiles::ProfileCatalogue& catalogue,
                       int currentProfile);

    // Results after OK.
    bool CurrentStillShown() const { return currentStillShown_; }
    // The shown profile the Output Format list shows first.
    int FirstShown() const { return firstShown_; }

    // Refuses to hide every profile; otherwise stores the show flags.
    void accept() override;

private:
    void OnItemChanged(QTreeWidgetItem* item);

    app::UserDialogs& dialogs_;
    profiles::ProfileCatalogue& catalogue_;
    int currentProfile_;
    bool currentStillShown_ = true;
    int firstShown_ = -1;
    bool updating_ = false;
    QTreeWidget* tree_;
};

}  // namespace ui
