#pragma once
// The Wedding Party window: the attendants of the marriage record that is current (every
// marriage record of one roster record shares one list), read only or editable as its
// marriage window decides. " Display " shows everyone, the bride's attendants or the
// groom's ("G P" ticked for the groom's side); a line whose side was never set is shown
// only under "All".

#include "records/vtxWeddingListU.h"

class TWedPartyForm : public TWeddingListForm {
    Q_OBJECT
public:
    TWedPartyForm(TWeddingMode mode, QWidget* owner);

    enum DisplayItem { Everyone, BridesAttendants, GroomsAttendants };
};
