#include "OutputFormatDialog.h"

#include "UiText.h"
#include "app/Application.h"
#include "app/UserDialogs.h"
#include "profiles/DeviceCategory.h"
#include "profiles/FamilyOrder.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

namespace ui {

namespace {

constexpr int kSlotRole = Qt::UserRole;

Qt::CheckState StateOf(bool checked)
{
    return checked ? Qt::Checked : Qt::Unchecked;
}

}  // namespace

OutputFormatDialog::OutputFormatDialog(QWidget* parent, app::UserDialogs& dialogs,
                                       profiles::ProfileCatalogue& catalogue, int currentProfile)
    : QDialog(parent), dialogs_(dialogs), catalogue_(catalogue), currentProfile_(currentProfile)
{
    setObjectName("OutputFormatDialog");
    setWindowTitle(Tr("OutputFormatDialog", "Dialog Title"));
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("formatTree");
    tree_->setAccessibleName(windowTitle());
    tree_->header()->hide();

    // Each profile item carries its catalogue slot, so that the tree order
    // never decides which profile a box stands for.
    for (const profiles::DeviceCategory& category : profiles::DeviceCategories()) {
        auto* root = new QTreeWidgetItem(tree_, {QString::fromUtf8(category.displayName.data(),
                                                                   static_cast<int>(category.displayName.size()))});
        bool allShown = true;
        for (int slot = 0; slot < catalogue.Count(); ++slot) {
            const profiles::OutputProfile& profile = *catalogue.Profile(slot);
            if (!profiles::InCategory(profile.profile_shortname, category))
                continue;
            const bool shown = catalogue.Choice(slot)->showprofile != 0;
            const bool same = profile.name.find("Same as original video") != std::string::npos;
            auto* item = new QTreeWidgetItem(root, {same ? Tr("MainDialog", "Same as original") : Qs(profile.name)});
            item->setData(0, kSlotRole, slot);
            item->setCheckState(0, StateOf(shown));
            allShown = allShown && shown;
        }
        root->setCheckState(0, StateOf(allShown));
    }
    if (tree_->topLevelItemCount() > 0)
        tree_->topLevelItem(0)->setExpanded(true);
    connect(tree_, &QTreeWidget::itemChanged, this, &OutputFormatDialog::OnItemChanged);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr("General", "OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr("General", "Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &OutputFormatDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(buttons);
    resize(380, 460);
    tree_->setFocus();
}

void OutputFormatDialog::OnItemChanged(QTreeWidgetItem* item)
{
    if (updating_)
        return;
    updating_ = true;
    const Qt::CheckState state = item->checkState(0);
    if (item->childCount() > 0) {
        for (int i = 0; i < item->childCount(); ++i)
            item->child(i)->setCheckState(0, state);
    } else if (QTreeWidgetItem* parent = item->parent()) {
        bool allSame = true;
        for (int i = 0; i < parent->childCount(); ++i)
            allSame = allSame && parent->child(i)->checkState(0) == state;
        parent->setCheckState(0, allSame ? state : Qt::Unchecked);
    }
    updating_ = false;
}

void OutputFormatDialog::accept()
{
    std::map<int, bool> shown;
    for (int r = 0; r < tree_->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* root = tree_->topLevelItem(r);
        for (int c = 0; c < root->childCount(); ++c)
            shown[root->child(c)->data(0, kSlotRole).toInt()] = root->child(c)->checkState(0) == Qt::Checked;
    }
    bool any = false;
    for (const auto& [slot, flag] : shown)
        any = any || flag;
    if (!any) {
        dialogs_.Message("\n   You must select one output format at least.\n\n", app::Application().appName);
        return;
    }
    for (const auto& [slot, flag] : shown)
        catalogue_.Choice(slot)->showprofile = flag ? 1 : 0;
    firstShown_ = -1;
    for (int slot : profiles::SlotsInFamilyOrder(catalogue_))
        if (firstShown_ < 0 && catalogue_.Choice(slot)->showprofile != 0)
            firstShown_ = slot;
    const profiles::ProfileChoice* current = catalogue_.Choice(currentProfile_);
    currentStillShown_ = current && current->showprofile != 0;
    QDialog::accept();
}

}  // namespace ui
