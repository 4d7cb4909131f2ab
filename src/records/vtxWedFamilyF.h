#pragma once
// The Wedding Families window: the families of bride and groom of the marriage record that
// is current (every marriage record of one roster record shares one list), read only or
// editable as its marriage window decides. " Display " shows all family lines, the bride's
// or the groom's ("G F" ticked for the groom's family).

#include "records/vtxWeddingListU.h"

class TWedFamilyForm : public TWeddingListForm {
    Q_OBJECT
public:
    TWedFamilyForm(TWeddingMode mode, QWidget* owner);

    enum DisplayItem { AllFamilies, BridesFamily, GroomsFamily };
};
