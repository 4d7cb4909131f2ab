#include "records/vtxCounselingScheduleF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxWindowLook.h"

TCounselingScheduleForm::TCounselingScheduleForm(TWeddingMode mode, QWidget* owner)
    : TWeddingListForm(mode, owner,
                       {.objectName = "CounselingScheduleForm",
                        .caption = "Counseling Schedule ",
                        .table = DataMod->CounselingT,
                        .source = DataMod->CounselingS,
                        .activeCaption = "Active Record:",
                        .positionCaption = "Records:  "}) {
    AddColumn("AppointmentSubject", "Appointment Subject", 320);
    AddColumn("AppointmentDate", "Date", 90);
    AddColumn("AppointmentTime", "Time", 80);
    FinishLayout();
    resize(600, 400);
    Look::CentreOnOwner(this);
}
