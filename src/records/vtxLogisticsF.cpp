#include "records/vtxLogisticsF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxWindowLook.h"

TLogisticsForm::TLogisticsForm(TWeddingMode mode, QWidget* owner)
    : TWeddingListForm(mode, owner,
                       {.objectName = "LogisticsForm",
                        .caption = "Wedding Logistics",
                        .table = DataMod->WedLogisticsT,
                        .source = DataMod->WedLogisticsS,
                        .activeCaption = "Active Record:  ",
                        .positionCaption = "Records: "}) {
    AddColumn("ItemNumber", "Number", 60);
    AddColumn("Description", {}, 380);
    AddColumn("Completed", "Done", 45);
    FinishLayout();
    resize(600, 420);
    Look::CentreOnOwner(this);
}
