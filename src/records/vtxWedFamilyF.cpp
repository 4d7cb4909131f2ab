#include "records/vtxWedFamilyF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxWindowLook.h"

#include <algorithm>

TWedFamilyForm::TWedFamilyForm(TWeddingMode mode, QWidget* owner)
    : TWeddingListForm(mode, owner,
                       {.objectName = "WedFamilyForm",
                        .caption = "Wedding Families",
                        .table = DataMod->WedFamilyT,
                        .source = DataMod->WedFamilyS,
                        .activeCaption = "Active Record: ",
                        .positionCaption = "Records: "}) {
    AddColumn("Number", {}, 60);
    AddColumn("Name", {}, 200);
    AddColumn("Relationship", {}, 150);
    AddColumn("Phone 1", {}, std::max(100, WidthToShow("(000) 000-0000")));
    AddColumn("Phone 2", {}, std::max(100, WidthToShow("(000) 000-0000")));
    AddColumn("GroomFamily", "G F", 40);
    AddDisplay({{"All Family Records", ""},
                {"Bride's Family Only", "GroomFamily = false"},
                {"Groom's Family Only", "GroomFamily = true"}},
               AllFamilies);
    FinishLayout();
    resize(720, 420);
    Look::CentreOnOwner(this);
}
