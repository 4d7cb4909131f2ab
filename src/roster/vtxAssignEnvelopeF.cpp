#include "roster/vtxAssignEnvelopeF.h"

#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "roster/vtxRosterFormsU.h"
#include "toolkit/vtxCurrencyEdit.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowHabits.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace RosterForms;

TAssignEnvelopeForm::TAssignEnvelopeForm(QWidget* owner) : QDialog(owner) {
    setObjectName("AssignEnvelopeForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Assign Envelope");

    LinkedLabel = CaptionLabel("Will be linked to Active Record for ", this,
                               Qt::AlignLeft | Qt::AlignVCenter);
    LinkedName = new TDBText(DataMod->RosterS, "LFMName", this);
    LetLayoutSizeLabel(LinkedName);
    MakeBoldMaroon(LinkedName);

    EnvelopeNavigator = new TDBNavigator(DataMod->EnvelopeS, this);
    EnvelopeNavigator->SetVisibleButtons({TNavButton::Insert, TNavButton::Delete, TNavButton::Edit,
                                          TNavButton::Post, TNavButton::Cancel,
                                          TNavButton::Refresh});
    EnvelopeNavigator->BeforeAction = [this](TNavButton button) {
        if (button == TNavButton::Post)
            WritePledgeAmount();
    };

    EnvelopeLabel = CaptionLabel("Envelope", this);
    EnvelopeEdit = new TDBEdit(DataMod->EnvelopeS, "EnvelopeNumber", this);
    EnvelopeEdit->setObjectName("EnvelopeEdit");
    PledgeYearLabel = CaptionLabel("Pledge Year", this);
    PledgeYearEdit = new TDBEdit(DataMod->EnvelopeS, "PledgeYear", this);
    PledgeYearEdit->setObjectName("PledgeYearEdit");
    PledgeAmountLabel = CaptionLabel("Pledge Amount", this);
    PledgeAmountEdit = new TCurrencyEdit(this);
    PledgeAmountEdit->setObjectName("PledgeAmountEdit");
    PledgeAmountEdit->SetValue(CurrentPledgeAmount);
    EnvelopeLabel->setBuddy(EnvelopeEdit);
    PledgeYearLabel->setBuddy(PledgeYearEdit);
    PledgeAmountLabel->setBuddy(PledgeAmountEdit);

    EnvelopeState = new TDBStateLabel(DataMod->EnvelopeS, this);
    CloseButton = new QPushButton("Close", this);
    CloseButton->setAutoDefault(false);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(LinkedLabel);
    nameRow->addWidget(LinkedName, 1);
    auto* fields = new QGridLayout;
    fields->addWidget(EnvelopeLabel, 0, 0);
    fields->addWidget(EnvelopeEdit, 0, 1);
    fields->addWidget(PledgeYearLabel, 1, 0);
    fields->addWidget(PledgeYearEdit, 1, 1);
    fields->addWidget(PledgeAmountLabel, 2, 0);
    fields->addWidget(PledgeAmountEdit, 2, 1);
    fields->setColumnStretch(2, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(EnvelopeState);
    bottom->addStretch(1);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(EnvelopeNavigator, 0, Qt::AlignLeft);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(bottom);
    resize(500, sizeHint().height());
    CentreOn(this, owner);
}

void TAssignEnvelopeForm::WritePledgeAmount() {
    Table* envelope = DataMod->EnvelopeT;
    if (IsEditing(envelope))
        envelope->FieldByName("PledgeAmount")->SetAsCurrency(PledgeAmountEdit->Value());
}

void TAssignEnvelopeForm::closeEvent(QCloseEvent* event) {
    if (RefuseCloseWhileEditing(DataMod->EnvelopeT, event))
        return;
    QDialog::closeEvent(event);
}

void TAssignEnvelopeForm::reject() {
    if (IsEditing(DataMod->EnvelopeT)) {
        close(); // shows the close check's message and stays open
        return;
    }
    QDialog::reject();
}
