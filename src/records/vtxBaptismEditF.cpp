#include "records/vtxBaptismEditF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QPushButton>

using namespace RecordForms;

VTX_REGISTER_WINDOW(TEditBaptismForm)

TEditBaptismForm::TEditBaptismForm(QWidget* owner)
    : TRecordEntryForm(owner, {.objectName = "EditBaptismForm",
                               .caption = "Baptisms",
                               .table = DataMod->BaptismT,
                               .source = DataMod->BaptismS,
                               .positionCaption = "Baptism Records:  ",
                               .selectHint = BaptismSelectHint}) {
    FNameEdit = AddEdit("First Name", "FName");
    MNameEdit = AddEdit("Middle Name", "MName");
    LNameEdit = AddEdit("Last Name", "LName");
    FatherFNameEdit = AddEditWithUseButton("Father First Name", "FatherFName", FatherUseButton);
    FatherLNameEdit = AddEdit("Father Last Name", "FatherLName");
    MotherFNameEdit = AddEditWithUseButton("Mother First Name", "MotherFName", MotherUseButton);
    MotherLNameEdit = AddEdit("Mother Last Name", "MotherLName");
    BaptismDateEdit = AddDate("Baptism Date", "BaptismDate");
    for (int i = 0; i < 4; ++i)
        GodParentEdits[i] =
            AddEdit(QString("God Parent %1").arg(i + 1), QString("GodParent%1").arg(i + 1));
    OfficiantEdit = AddEdit("Officiant", "Officiant");
    RemarkEdit = AddEdit("Remark", "Remark");
    connect(FatherUseButton, &QPushButton::clicked, this, &TEditBaptismForm::FatherUseButtonClick);
    connect(MotherUseButton, &QPushButton::clicked, this, &TEditBaptismForm::MotherUseButtonClick);
    FinishLayout();
    resize(640, sizeHint().height());
    Look::CentreOnDesktop(this);
}

void TEditBaptismForm::FatherUseButtonClick() {
    UseActiveRecord(DataMod->BaptismT, "FatherFName", {}, "FatherLName", MotherFNameEdit,
                    {FatherFNameEdit, FatherLNameEdit}, {MotherFNameEdit, MotherLNameEdit},
                    IdenticalText);
}

void TEditBaptismForm::MotherUseButtonClick() {
    UseActiveRecord(DataMod->BaptismT, "MotherFName", {}, "MotherLName", BaptismDateEdit,
                    {FatherFNameEdit, FatherLNameEdit}, {MotherFNameEdit, MotherLNameEdit},
                    IdenticalText);
}
