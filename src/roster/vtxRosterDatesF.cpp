#include "roster/vtxRosterDatesF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowLook.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TRosterDatesEditForm::TRosterDatesEditForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "RosterDatesEditForm", "Important Dates");
    new TCloseGuard(this, {DataMod->RosterDatesT});

    // Each caption above its date box.
    QFormLayout* dates = Look::CaptionForm();
    dates->setRowWrapPolicy(QFormLayout::WrapAllRows);
    dates->setLabelAlignment(Qt::AlignLeft | Qt::AlignBottom);
    auto date = [&](const QString& caption, const QString& field) {
        auto* edit = new TDBDateEdit(DataMod->RosterDatesS, field, this);
        edit->setObjectName(field + "Edit");
        edit->SetMinDate(EarliestDate());
        edit->SetCalendarStyle(TCalendarStyle::Dialog);
        Look::AddCaptionRow(dates, caption, edit);
        return edit;
    };
    BirthDateEdit = date("Birth Date", "BirthDate");
    ConfirmationDateEdit = date("Confirmation Date", "ConfirmationDate");
    JoinedDateEdit = date("Joined Date", "JoinedChurchDate");
    LeftDateEdit = date("Left/Transferred Date", "LeftChurchDate");
    PassingDateEdit = date("Passing Date", "PassingDate");

    DatesNavigator = new TDBNavigator(DataMod->RosterDatesS, this);
    DatesNavigator->SetVisibleButtons({TNavButton::Insert, TNavButton::Delete, TNavButton::Edit,
                                       TNavButton::Post, TNavButton::Cancel, TNavButton::Refresh});
    DatesNavigator->SetShowHint(true);
    CloseButton = Look::CloseButton(this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DatesNavigator);
    bottom->addStretch(1);
    bottom->addWidget(CloseButton);
    // Whose dates: the active record, which the dates follow.
    MemberName = new TDBText(DataMod->RosterS, "LFMName", this);
    MemberName->setObjectName("MemberName");
    Look::LetLayoutSizeLabel(MemberName);
    Look::MakeBoldMaroon(MemberName);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Look::CaptionLabel("Dates for: ", this, Qt::AlignLeft | Qt::AlignVCenter));
    nameRow->addWidget(MemberName, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addSpacing(4);
    layout->addLayout(dates);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->addStretch(1);
    resize(300, sizeHint().height());
    Look::CentreOnMainWindow(this);
}
