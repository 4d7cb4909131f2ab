#include "roster/vtxRosterDatesF.h"

#include "data/vtxDataM.h"
#include "roster/vtxRosterFormsU.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowHabits.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace RosterForms;

TRosterDatesEditForm::TRosterDatesEditForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("RosterDatesEditForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Important Dates");

    auto* layout = new QVBoxLayout(this);
    auto addDate = [&](const QString& caption, const QString& field, QLabel*& label,
                       TDBDateEdit*& edit) {
        label = CaptionLabel(caption, this, Qt::AlignLeft | Qt::AlignBottom);
        edit = new TDBDateEdit(DataMod->RosterDatesS, field, this);
        edit->setObjectName(field + "Edit");
        edit->SetMinDate(EarliestDate());
        edit->SetCalendarStyle(TCalendarStyle::Dialog);
        label->setBuddy(edit);
        layout->addWidget(label);
        layout->addWidget(edit);
    };
    addDate("Birth Date", "BirthDate", BirthDateLabel, BirthDateEdit);
    addDate("Confirmation Date", "ConfirmationDate", ConfirmationDateLabel, ConfirmationDateEdit);
    addDate("Joined Date", "JoinedChurchDate", JoinedDateLabel, JoinedDateEdit);
    addDate("Left/Transferred Date", "LeftChurchDate", LeftDateLabel, LeftDateEdit);
    addDate("Passing Date", "PassingDate", PassingDateLabel, PassingDateEdit);

    DatesNavigator = new TDBNavigator(DataMod->RosterDatesS, this);
    DatesNavigator->SetVisibleButtons({TNavButton::Insert, TNavButton::Delete, TNavButton::Edit,
                                       TNavButton::Post, TNavButton::Cancel, TNavButton::Refresh});
    DatesNavigator->SetShowHint(true);
    CloseButton = new QPushButton("Close", this);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

    layout->addSpacing(8);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DatesNavigator);
    bottom->addStretch(1);
    bottom->addWidget(CloseButton);
    layout->addLayout(bottom);
    layout->addStretch(1);
    resize(300, sizeHint().height());
    CentreOnMainWindow(this);
}

void TRosterDatesEditForm::closeEvent(QCloseEvent* event) {
    if (RefuseCloseWhileEditing(DataMod->RosterDatesT, event))
        return;
    QWidget::closeEvent(event);
}
