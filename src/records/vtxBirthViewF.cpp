#include "records/vtxBirthViewF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

using namespace RecordForms;

VTX_REGISTER_WINDOW(TBirthViewForm)

TBirthViewForm::TBirthViewForm(QWidget* owner)
    : TRecordViewForm(owner, {.objectName = "BirthViewForm",
                              .caption = "Birth Records",
                              .table = DataMod->BirthT,
                              .source = DataMod->BirthS}) {
    // The birth table has no index but its record-number one: the titles sort nothing.
    AddColumns({{"FName", "First Name", 90},
                {"MName", "Middle Name", 90},
                {"LName", "Last Name", 110},
                {"FatherLName", "Father's Last Name", 130},
                {"FatherFName", "Father's First Name", 130},
                {"MotherLName", "Mother's Last Name", 130},
                {"MotherFName", "Mother's First Name", 130},
                {"BirthDate", "Birth Date", 80},
                {"Grandparent1", "Grandparent 1", 150},
                {"Grandparent2", "Grandparent 2", 150},
                {"Grandparent3", "Grandparent 3", 150},
                {"Grandparent4", "Grandparent 4", 150},
                {"PlaceOfBirth", "Place Of Birth", 150},
                {"Remark", "Remark", 160}},
               {.resizable = false});
    // The choice's texts follow the baptism and marriage views.
    AddGridView("Births Linked to Active Record", "All Births");
    FinishLayout();
    resize(1000, 520);
    Look::CentreOnDesktop(this);
}
