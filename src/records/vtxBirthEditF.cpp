#include "records/vtxBirthEditF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QPushButton>

using namespace RecordForms;

VTX_REGISTER_WINDOW(TBirthEditForm)

TBirthEditForm::TBirthEditForm(QWidget* owner)
    : TRecordEntryForm(owner, {.objectName = "BirthEditForm",
                               .caption = "Births",
                               .table = DataMod->BirthT,
                               .source = DataMod->BirthS,
                               .positionCaption = "Birth Records:  "}) {
    FNameEdit = AddEdit("First Name", "FName");
    MNameEdit = AddEdit("Middle Name", "MName");
    LNameEdit = AddEdit("Last Name", "LName");
    FatherFNameEdit = AddEditWithUseButton("Father First Name", "FatherFName", FatherUseButton);
    FatherLNameEdit = AddEdit("Father Last Name", "FatherLName");
    MotherFNameEdit = AddEditWithUseButton("Mother First Name", "MotherFName", MotherUseButton);
    MotherLNameEdit = AddEdit("Mother Last Name", "MotherLName");
    BirthDateEdit = AddDate("Birth Date", "BirthDate");
    for (int i = 0; i < 4; ++i)
        GrandparentEdits[i] =
            AddEdit(QString("Grandparent %1").arg(i + 1), QString("Grandparent%1").arg(i + 1));
    PlaceOfBirthEdit = AddEdit("Place of Birth", "PlaceOfBirth");
    RemarkEdit = AddEdit("Remark", "Remark");
    connect(FatherUseButton, &QPushButton::clicked, this, &TBirthEditForm::FatherUseButtonClick);
    connect(MotherUseButton, &QPushButton::clicked, this, &TBirthEditForm::MotherUseButtonClick);
    FinishLayout();

    // The birth date first, then the boxes from the top.
    QList<QWidget*> order = {BirthDateEdit,       FNameEdit,           MNameEdit,
                             LNameEdit,           FatherFNameEdit,     FatherLNameEdit,
                             MotherFNameEdit,     MotherLNameEdit,     GrandparentEdits[0],
                             GrandparentEdits[1], GrandparentEdits[2], GrandparentEdits[3],
                             PlaceOfBirthEdit,    RemarkEdit};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    BirthDateEdit->setFocus(Qt::OtherFocusReason);

    resize(640, sizeHint().height());
    Look::CentreOnMainWindow(this);
}

void TBirthEditForm::FatherUseButtonClick() {
    UseActiveRecord(DataMod->BirthT, "FatherFName", {}, "FatherLName", MotherFNameEdit,
                    {FatherFNameEdit, FatherLNameEdit}, {MotherFNameEdit, MotherLNameEdit},
                    IdenticalText);
}

void TBirthEditForm::MotherUseButtonClick() {
    UseActiveRecord(DataMod->BirthT, "MotherFName", {}, "MotherLName", BirthDateEdit,
                    {FatherFNameEdit, FatherLNameEdit}, {MotherFNameEdit, MotherLNameEdit},
                    IdenticalText);
}
