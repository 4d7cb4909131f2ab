#include "utilities/vtxRepairDialog.h"

#include "toolkit/Dialogs.h"
#include "utilities/TUtility.h"
#include "utilities/vtxRepairF.h"

TRepairForm* TRepairDialog::CreateForm(QWidget* owner) const {
    return new TRepairForm(owner, this);
}

QWidget* TRepairDialog::CreateForMenu(QWidget* owner) const {
    try {
        return CreateForm(owner);
    } catch (const ETUtilityLoadError& error) {
        Dialogs::ErrorBox(error.Message());
        return nullptr;
    }
}
