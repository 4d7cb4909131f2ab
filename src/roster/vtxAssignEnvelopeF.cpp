#include "roster/vtxAssignEnvelopeF.h"

#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxCurrencyEdit.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAssignEnvelopeForm::TAssignEnvelopeForm(QWidget* owner) : QDialog(owner) {
    Look::SetUpWindow(this, "AssignEnvelopeForm", "Assign Envelope");
    new TCloseGuard(this, {DataMod->EnvelopeT});

    LinkedName = new TDBText(DataMod->RosterS, "LFMName", this);
    Look::LetLayoutSizeLabel(LinkedName);
    Look::MakeBoldMaroon(LinkedName);

    EnvelopeNavigator = new TDBNavigator(DataMod->EnvelopeS, this);
    EnvelopeNavigator->SetVisibleButtons({TNavButton::Insert, TNavButton::Delete, TNavButton::Edit,
                                          TNavButton::Post, TNavButton::Cancel,
                                          TNavButton::Refresh});
    EnvelopeNavigator->BeforeAction = [this](TNavButton button) {
        if (button == TNavButton::Post)
            WritePledgeAmount();
    };

    EnvelopeEdit = new TDBEdit(DataMod->EnvelopeS, "EnvelopeNumber", this);
    EnvelopeEdit->setObjectName("EnvelopeEdit");
    PledgeYearEdit = new TDBEdit(DataMod->EnvelopeS, "PledgeYear", this);
    PledgeYearEdit->setObjectName("PledgeYearEdit");
    PledgeAmountEdit = new TCurrencyEdit(this);
    PledgeAmountEdit->setObjectName("PledgeAmountEdit");
    PledgeAmountEdit->SetValue(CurrentPledgeAmount);
    QFormLayout* fields = Look::CaptionForm();
    fields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    Look::AddCaptionRow(fields, "Envelope", EnvelopeEdit);
    Look::AddCaptionRow(fields, "Pledge Year", PledgeYearEdit);
    Look::AddCaptionRow(fields, "Pledge Amount", PledgeAmountEdit);

    EnvelopeState = new TDBStateLabel(DataMod->EnvelopeS, this);
    CloseButton = Look::CloseButton(this);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Look::CaptionLabel("Will be linked to Active Record for ", this,
                                          Qt::AlignLeft | Qt::AlignVCenter));
    nameRow->addWidget(LinkedName, 1);
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
    Look::CentreOnOwner(this);
}

void TAssignEnvelopeForm::WritePledgeAmount() {
    Table* envelope = DataMod->EnvelopeT;
    if (IsEditing(envelope))
        envelope->FieldByName("PledgeAmount")->SetAsCurrency(PledgeAmountEdit->Value());
}
