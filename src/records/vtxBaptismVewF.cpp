#include "records/vtxBaptismVewF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

using namespace RecordForms;

VTX_REGISTER_WINDOW(TBaptismViewForm)

TBaptismViewForm::TBaptismViewForm(QWidget* owner)
    : TRecordViewForm(owner, {.objectName = "BaptismViewForm",
                              .caption = "Baptism Records",
                              .table = DataMod->BaptismT,
                              .source = DataMod->BaptismS,
                              .ownSearchIndex = "BLN",
                              .selectHint = BaptismSelectHint}) {
    // Each title sorts by the baptism index that begins with its field (the two name
    // indexes of the parents by last name, then first name); the remark has no index.
    AddColumns(
        {{"FName", "First Name", 90, "BFN"},
         {"MName", "Middle Name", 90, "BMN"},
         {"LName", "Last Name", 110, "BLN"},
         {"FatherLName", "Father's Last Name", 130, "BDadN"},
         {"FatherFName", "Father's First Name", 130, "BDadN"},
         {"MotherLName", "Mother's Last Name", 130, "BMomN"},
         {"MotherFName", "Mother's First Name", 130, "BMomN"},
         {"BaptismDate", "Date", 80, "BDat"},
         {"GodParent1", "God Parent(s) 1", 130, "BGP1"},
         {"GodParent2", "God Parent(s) 2", 130, "BGP2"},
         {"GodParent3", "God Parent(s) 3", 130, "BGP3"},
         {"GodParent4", "God Parent(s) 4", 130, "BGP4"},
         {"Officiant", "Officiant", 130, "BOff"},
         {"Remark", "Remark", 160}},
        {.resizable = true, .recordTitle = "Record", .titleBackground = QColor(0, 255, 255)});
    AddGridView("Baptisms Linked to Active Record", "All Baptisms");
    FinishLayout();
    resize(1000, 520);
    Look::CentreOnDesktop(this);
}
