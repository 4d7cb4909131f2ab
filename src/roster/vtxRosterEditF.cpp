#include "roster/vtxRosterEditF.h"

#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "roster/vtxAssignEnvelopeF.h"
#include "roster/vtxMemoF.h"
#include "roster/vtxRosterDatesF.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxSearchBox.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TRosterEditForm)

TRosterEditForm::TRosterEditForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "RosterEditForm", "Edit Roster");
    setToolTip("Edit the roster data in this window.");
    new TCloseGuard(this, {DataMod->RosterT});

    // The first record number to give: the walk leaves the last roster record active.
    RunAction([] { NextRecordNumber = NextRosterRecordNumber(); });

    // The fields: the first seven in the left column, the other seven in the right one.
    QFormLayout* left = Look::CaptionForm();
    QFormLayout* right = Look::CaptionForm();
    auto field = [this](QFormLayout* form, const QString& caption, const QString& name) {
        auto* edit = new TDBEdit(DataMod->RosterS, name, this);
        edit->setObjectName(name + "Edit");
        Look::AddCaptionRow(form, caption, edit);
        return edit;
    };
    TitleEdit = field(left, "Title", "Title");
    FNameEdit = field(left, "First Name", "FName");
    MNameEdit = field(left, "Middle Name", "MName");
    LNameEdit = field(left, "LastName", "LName");
    SuffixEdit = field(left, "Suffix", "Suffix");
    Address1Edit = field(left, "Address 1", "Address1");
    Address2Edit = field(left, "Address 2", "Address2");
    CityEdit = field(right, "City", "City");
    StateEdit = field(right, "State", "State");
    PostalEdit = field(right, "Postal Code", "Postal");
    PhoneEdit = field(right, "Phone", "Phone");
    CellPhoneEdit = field(right, "Cell Phone", "CellPhone");
    WorkPhoneEdit = field(right, "Work Phone", "WorkPhone");
    IsMemberCheck = new TDBCheckBox("Member", DataMod->RosterS, "IsMember", this);
    IsMemberCheck->setObjectName("IsMemberCheck");
    Look::MakeBoldMaroon(IsMemberCheck);
    right->addRow(nullptr, IsMemberCheck);

    RosterNavigator = new TDBNavigator(DataMod->RosterS, this);
    RosterNavigator->SetShowHint(true);
    RosterState = new TDBStateLabel(DataMod->RosterS, this);
    RecordPosition = new TDBRecordPosition(DataMod->RosterS, this);
    Look::FixLabelWidth(RecordPosition, Look::WidestRecordPosition);
    QLabel* searchCaption = nullptr;
    SearchBox = Look::SearchBox(this, DataMod->RosterS, "LName", "RLN", "Search by Last Name",
                                searchCaption);
    SearchBox->setToolTip("Type a partial or whole last name.");
    // Any navigator click, carried out or refused, empties the search box afterwards.
    for (TNavButton b : TDBNavigator::AllButtons())
        connect(RosterNavigator->Button(b), &QToolButton::clicked, SearchBox, &QLineEdit::clear);

    AssignEnvelopeButton = new QPushButton("Assign &Envelope", this);
    AddMemoButton = new QPushButton("&Add Memo", this);
    ImportantDatesButton = new QPushButton("&Important Dates", this);
    CloseButton = Look::CloseButton(this);
    connect(AssignEnvelopeButton, &QPushButton::clicked, this,
            &TRosterEditForm::AssignEnvelopeButtonClick);
    connect(AddMemoButton, &QPushButton::clicked, this, &TRosterEditForm::AddMemoButtonClick);
    connect(ImportantDatesButton, &QPushButton::clicked, this,
            &TRosterEditForm::ImportantDatesButtonClick);

    // Search row.
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchCaption);
    searchRow->addWidget(SearchBox, 1);
    searchRow->addSpacing(24);
    searchRow->addWidget(Look::CaptionLabel("Record", this));
    searchRow->addWidget(RecordPosition);
    searchRow->addStretch(1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(AssignEnvelopeButton);
    buttons->addWidget(AddMemoButton);
    buttons->addWidget(ImportantDatesButton);
    buttons->addStretch(1);
    buttons->addWidget(CloseButton);

    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 3);
    middle->addSpacing(16);
    middle->addLayout(right, 2);
    middle->addSpacing(16);
    middle->addLayout(buttons);

    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addWidget(RosterNavigator);
    navigatorRow->addSpacing(12);
    navigatorRow->addWidget(RosterState);
    navigatorRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addSpacing(8);
    layout->addLayout(middle, 1);
    layout->addSpacing(8);
    layout->addLayout(navigatorRow);

    // Tab order: the thirteen text boxes in table order, the navigator, Close, Member.
    QList<QWidget*> order = {TitleEdit,    FNameEdit,     MNameEdit,    LNameEdit, SuffixEdit,
                             Address1Edit, Address2Edit,  CityEdit,     StateEdit, PostalEdit,
                             PhoneEdit,    CellPhoneEdit, WorkPhoneEdit};
    for (TNavButton b : TDBNavigator::AllButtons())
        order << RosterNavigator->Button(b);
    order << CloseButton << IsMemberCheck << SearchBox << AssignEnvelopeButton << AddMemoButton
          << ImportantDatesButton;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    resize(720, sizeHint().height());
    Look::CentreOnDesktop(this);
}

void TRosterEditForm::AssignEnvelopeButtonClick() {
    Dialogs::ShowModal(new TAssignEnvelopeForm(this));
}

void TRosterEditForm::AddMemoButtonClick() {
    (new TMemoForm(TMemoMode::Edit, this))->show();
}

void TRosterEditForm::ImportantDatesButtonClick() {
    (new TRosterDatesEditForm(this))->show();
}
