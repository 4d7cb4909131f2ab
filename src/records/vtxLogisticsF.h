#pragma once
// The Wedding Logistics window: the ceremony checklist of the marriage record that is
// current (every marriage record of one roster record shares one list), read only or
// editable as its marriage window decides.

#include "records/vtxWeddingListU.h"

class TLogisticsForm : public TWeddingListForm {
    Q_OBJECT
public:
    TLogisticsForm(TWeddingMode mode, QWidget* owner);
};
