#include "records/vtxWedPartyF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxWindowLook.h"

#include <algorithm>

TWedPartyForm::TWedPartyForm(TWeddingMode mode, QWidget* owner)
    : TWeddingListForm(mode, owner,
                       {.objectName = "WedPartyForm",
                        .caption = "Wedding Party",
                        .table = DataMod->WedPartyT,
                        .source = DataMod->WedPartyS,
                        .activeCaption = "Active Record: ",
                        .positionCaption = "Record: "}) {
    AddColumn("Number", {}, 60);
    AddColumn("Role", "Role in the Ceremony", 160);
    AddColumn("Name", {}, 200);
    AddColumn("Phone 1", {}, std::max(100, WidthToShow("(000) 000-0000")));
    AddColumn("Phone 2", {}, std::max(100, WidthToShow("(000) 000-0000")));
    AddColumn("GroomSide", "G P", 40);
    // No item is chosen when the window opens.
    AddDisplay({{"All", ""},
                {"Bride's Attendants", "GroomSide = false"},
                {"Groom's Attendants ", "GroomSide = true"}},
               -1);
    FinishLayout();
    resize(740, 420);
    Look::CentreOnOwner(this);
}
