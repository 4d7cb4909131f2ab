#include "records/vtxPassingF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QLayout>

using namespace RecordForms;

VTX_REGISTER_WINDOW(TEditPassingForm)

TEditPassingForm::TEditPassingForm(QWidget* owner)
    : TRecordEntryForm(owner,
                       {.objectName = "EditPassingForm",
                        .caption = "Passing",
                        .table = DataMod->PassingT,
                        .source = DataMod->PassingS,
                        .positionCaption = "Passing Records:  ",
                        .buttons = {TNavButton::Insert, TNavButton::Delete, TNavButton::Edit,
                                    TNavButton::Post, TNavButton::Cancel, TNavButton::Refresh}}) {
    PassingDateEdit = AddDate("Date of Passing", "PassingDate");
    PassingDateEdit->SetCalendarStyle(TCalendarStyle::Dialog);
    PlaceOfDeathEdit = AddEdit("Place of Death", "PlaceOfDeath");
    FuneralDateEdit = AddDate("Funeral Date", "FuneralDate");
    FuneralDateEdit->SetCalendarStyle(TCalendarStyle::Dialog);
    BurialSiteEdit = AddEdit("Burial Site", "BurialSite");
    OfficiantEdit = AddEdit("Officiant", "Officiant");
    RemarkEdit = AddEdit("Remark", "Remark");
    FinishLayout();
    // The designed size: the window does not grow or shrink.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Look::CentreOnDesktop(this);
}
