#include "records/vtxPassingViewF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

using namespace RecordForms;

VTX_REGISTER_WINDOW(TViewPassingForm)

TViewPassingForm::TViewPassingForm(QWidget* owner)
    : TRecordViewForm(owner, {.objectName = "ViewPassingForm",
                              .caption = "Passing Record",
                              .table = DataMod->PassingT,
                              .source = DataMod->PassingS}) {
    AddColumns({{"PassingDate", "Passing Date", 95},
                {"PlaceOfDeath", "Place Of Death", 180},
                {"FuneralDate", "Service Date", 95},
                {"BurialSite", "Burial Site", 180},
                {"Officiant", "Officiant", 150},
                {"Remark", "Remark", 180}},
               {.resizable = false});
    FinishLayout();
    resize(980, 360);
    Look::CentreOnMainWindow(this);
}
