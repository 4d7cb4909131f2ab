#include "records/vtxMarriageEditF.h"

#include "data/vtxDataM.h"
#include "records/vtxCounselingScheduleF.h"
#include "records/vtxLogisticsF.h"
#include "records/vtxWedFamilyF.h"
#include "records/vtxWedPartyF.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

using namespace RecordForms;

VTX_REGISTER_WINDOW(TEditMarriageForm)

TEditMarriageForm::TEditMarriageForm(QWidget* owner)
    : TRecordEntryForm(owner, {.objectName = "EditMarriageForm",
                               .caption = "Marriage",
                               .table = DataMod->MarriageT,
                               .source = DataMod->MarriageS,
                               .linkedCaption = "Will be linked to active record for:  ",
                               .positionCaption = "Marriage Records:"}) {
    GroomFNameEdit = AddEditWithUseButton("Groom First Name", "GroomFName", GroomUseButton);
    GroomMNameEdit = AddEdit("Groom Middle Name", "GroomMName");
    GroomLNameEdit = AddEdit("Groom Last Name", "GroomLName");
    BrideFNameEdit = AddEditWithUseButton("Bride First Name", "BrideFName", BrideUseButton);
    BrideMNameEdit = AddEdit("Bride Middle Name", "BrideMName");
    BrideLNameEdit = AddEdit("Bride Last Name", "BrideLName");
    BrideMarriedLastNameEdit = AddEdit("Bride Married Last Name ", "BrideMarriedLastName");
    EngagementDateEdit = AddDate("Engagement", "EngagementDate");
    RehearsalDateEdit = AddDate("Rehearsal", "RehearsalDate");
    WeddingDateEdit = AddDate("Wedding", "WeddingDate");
    OfficiantEdit = AddEdit("Officiant", "Officiant");
    RemarkEdit = AddEdit("Remark", "Remark");
    connect(GroomUseButton, &QPushButton::clicked, this, &TEditMarriageForm::GroomUseButtonClick);
    connect(BrideUseButton, &QPushButton::clicked, this, &TEditMarriageForm::BrideUseButtonClick);
    BrideMarriedLastNameEdit->installEventFilter(this);

    auto button = [this](const QString& caption, void (TEditMarriageForm::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    CounselingScheduleButton =
        button("Counseling &Schedule", &TEditMarriageForm::CounselingScheduleButtonClick);
    LogisticsButton =
        button("Ceremony &Logistics/Details", &TEditMarriageForm::LogisticsButtonClick);
    FamiliesButton = button("&Families", &TEditMarriageForm::FamiliesButtonClick);
    WeddingPartyButton = button("&Wedding Party", &TEditMarriageForm::WeddingPartyButtonClick);
    auto* upper = new QHBoxLayout;
    upper->addWidget(CounselingScheduleButton);
    upper->addWidget(LogisticsButton);
    upper->addStretch(1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(FamiliesButton);
    lower->addWidget(WeddingPartyButton);
    lower->addStretch(1);
    ExtraRows->addSpacing(6);
    ExtraRows->addLayout(upper);
    ExtraRows->addLayout(lower);
    FinishLayout();

    resize(640, sizeHint().height());
    // Its designed place: near the top left of the screen, beside the main window's menu.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft() + QPoint(40, 60));
}

void TEditMarriageForm::GroomUseButtonClick() {
    UseActiveRecord(DataMod->MarriageT, "GroomFName", "GroomMName", "GroomLName", BrideFNameEdit,
                    {GroomFNameEdit, GroomLNameEdit}, {BrideFNameEdit, BrideLNameEdit},
                    IdenticalText);
}

void TEditMarriageForm::BrideUseButtonClick() {
    UseActiveRecord(DataMod->MarriageT, "BrideFName", "BrideMName", "BrideLName",
                    BrideMarriedLastNameEdit, {GroomFNameEdit, GroomLNameEdit},
                    {BrideFNameEdit, BrideLNameEdit}, IdenticalText);
}

void TEditMarriageForm::CounselingScheduleButtonClick() {
    QPointer<QDialog> schedule = new TCounselingScheduleForm(TWeddingMode::Edit, this);
    Dialogs::ShowModal(schedule);
    delete schedule.data(); // gone once closed, whether or not it freed itself
}

void TEditMarriageForm::LogisticsButtonClick() {
    (new TLogisticsForm(TWeddingMode::Edit, this))->show();
}

void TEditMarriageForm::FamiliesButtonClick() {
    (new TWedFamilyForm(TWeddingMode::Edit, this))->show();
}

void TEditMarriageForm::WeddingPartyButtonClick() {
    (new TWedPartyForm(TWeddingMode::Edit, this))->show();
}

// The married-name box remembers its text when the user enters it and, when the user
// leaves it for another box of this window, reminds of the roster when a new married
// name differs from the bride's last name. Switching to another window is not leaving.
bool TEditMarriageForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == BrideMarriedLastNameEdit) {
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                m_marriedNameOnEntry = BrideMarriedLastNameEdit->text();
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                // After the focus has settled in the next box.
                QMetaObject::invokeMethod(this, &TEditMarriageForm::RemindOfMarriedName,
                                          Qt::QueuedConnection);
        }
    }
    return TRecordEntryForm::eventFilter(watched, event);
}

void TEditMarriageForm::RemindOfMarriedName() {
    const QString married = BrideMarriedLastNameEdit->text();
    const bool changed = married != m_marriedNameOnEntry;
    m_marriedNameOnEntry = married;
    if (changed && !married.isEmpty() && married != BrideLNameEdit->text())
        Dialogs::ShowMessage(MarriedNameText);
}
