#include "records/vtxMarriageViewF.h"

#include "app/vtxPasswordsU.h"
#include "data/vtxDataM.h"
#include "records/vtxCounselingScheduleF.h"
#include "records/vtxLogisticsF.h"
#include "records/vtxWedFamilyF.h"
#include "records/vtxWedPartyF.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace RecordForms;

VTX_REGISTER_WINDOW(TMarriageViewForm)

TMarriageViewForm::TMarriageViewForm(QWidget* owner)
    : TRecordViewForm(owner, {.objectName = "MarriageViewForm",
                              .caption = "Marriage Records",
                              .table = DataMod->MarriageT,
                              .source = DataMod->MarriageS,
                              .activeCaption = "Active Record: ",
                              .selectCaption = "&Select Active Record"}) {
    // The groom's names sort by the groom index (last, first, middle name), the bride's by
    // the bride index; the married name and the two earlier dates have no index.
    AddColumns({{"GroomFName", "Groom First Name", 110, "MGN"},
                {"GroomMName", "Groom Middle Name", 110, "MGN"},
                {"GroomLName", "Groom Last Name", 120, "MGN"},
                {"BrideFName", "Bride First Name", 110, "MBN"},
                {"BrideMName", "Bride Middle Name", 110, "MBN"},
                {"BrideLName", "Bride Last Name", 120, "MBN"},
                {"BrideMarriedLastName", "Bride Married Last Name", 150},
                {"EngagementDate", "Engagement", 85},
                {"RehearsalDate", "Rehearsal", 85},
                {"WeddingDate", "Wedding", 85, "MWD"},
                {"Officiant", "Officiant", 130, "MOff"},
                {"Remark", "Remark", 160}},
               {.resizable = true, .recordTitle = "Record"});
    AddGridView("Marriages Linked to Active Record", "All Marriages");

    auto button = [this](const QString& caption, void (TMarriageViewForm::*handler)()) {
        auto* b = new QPushButton(caption, this);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    FamiliesButton = button("&Families", &TMarriageViewForm::FamiliesButtonClick);
    WeddingPartyButton = button("&Wedding Party", &TMarriageViewForm::WeddingPartyButtonClick);
    LogisticsButton = button("&Logistics", &TMarriageViewForm::LogisticsButtonClick);
    CounselingButton = button("C&Ounseling ", &TMarriageViewForm::CounselingButtonClick);
    auto* first = new QVBoxLayout;
    first->addWidget(FamiliesButton);
    first->addWidget(WeddingPartyButton);
    auto* second = new QVBoxLayout;
    second->addWidget(LogisticsButton);
    second->addWidget(CounselingButton);
    ButtonRow->addLayout(first);
    ButtonRow->addLayout(second);
    ButtonRow->addSpacing(12);
    FinishLayout();
    resize(1000, 540);
    Look::CentreOnDesktop(this);
}

void TMarriageViewForm::FamiliesButtonClick() {
    (new TWedFamilyForm(TWeddingMode::View, this))->show();
}

void TMarriageViewForm::WeddingPartyButtonClick() {
    (new TWedPartyForm(TWeddingMode::View, this))->show();
}

void TMarriageViewForm::LogisticsButtonClick() {
    (new TLogisticsForm(TWeddingMode::View, this))->show();
}

void TMarriageViewForm::CounselingButtonClick() {
    if (!CheckAccessPassword(2))
        return;
    QPointer<QDialog> schedule = new TCounselingScheduleForm(TWeddingMode::View, this);
    Dialogs::ShowModal(schedule);
    delete schedule.data(); // gone once closed, whether or not it freed itself
}
