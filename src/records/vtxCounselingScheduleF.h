#pragma once
// The Counseling Schedule window: the pastor's counseling appointments of the active record
// (whichever marriage record is current), shown modally, read only or editable as its
// marriage window decides.

#include "records/vtxWeddingListU.h"

class TCounselingScheduleForm : public TWeddingListForm {
    Q_OBJECT
public:
    TCounselingScheduleForm(TWeddingMode mode, QWidget* owner);
};
