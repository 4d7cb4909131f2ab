#include "roster/vtxRosterEditF.h"

#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "roster/vtxAssignEnvelopeF.h"
#include "roster/vtxMemoF.h"
#include "roster/vtxRosterDatesF.h"
#include "roster/vtxRosterFormsU.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxSearchBox.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace RosterForms;

VTX_REGISTER_WINDOW(TRosterEditForm)

TDBEdit* TRosterEditForm::AddField(const QString& caption, const QString& field, QLabel*& label) {
    label = CaptionLabel(caption, this);
    auto* edit = new TDBEdit(DataMod->RosterS, field, this);
    edit->setObjectName(field + "Edit");
    label->setBuddy(edit);
    return edit;
}

TRosterEditForm::TRosterEditForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("RosterEditForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Edit Roster");
    setToolTip("Edit the roster data in this window.");

    // The first record number to give: the walk leaves the last roster record active.
    RunAction([] { NextRecordNumber = NextRosterRecordNumber(); });

    TitleEdit = AddField("Title", "Title", TitleLabel);
    FNameEdit = AddField("First Name", "FName", FNameLabel);
    MNameEdit = AddField("Middle Name", "MName", MNameLabel);
    LNameEdit = AddField("LastName", "LName", LNameLabel);
    SuffixEdit = AddField("Suffix", "Suffix", SuffixLabel);
    Address1Edit = AddField("Address 1", "Address1", Address1Label);
    Address2Edit = AddField("Address 2", "Address2", Address2Label);
    CityEdit = AddField("City", "City", CityLabel);
    StateEdit = AddField("State", "State", StateLabel);
    PostalEdit = AddField("Postal Code", "Postal", PostalLabel);
    PhoneEdit = AddField("Phone", "Phone", PhoneLabel);
    CellPhoneEdit = AddField("Cell Phone", "CellPhone", CellPhoneLabel);
    WorkPhoneEdit = AddField("Work Phone", "WorkPhone", WorkPhoneLabel);
    IsMemberCheck = new TDBCheckBox("Member", DataMod->RosterS, "IsMember", this);
    IsMemberCheck->setObjectName("IsMemberCheck");
    MakeBoldMaroon(IsMemberCheck);

    RosterNavigator = new TDBNavigator(DataMod->RosterS, this);
    RosterNavigator->SetShowHint(true);
    RosterState = new TDBStateLabel(DataMod->RosterS, this);
    RecordLabel = CaptionLabel("Record", this);
    RecordPosition = new TDBRecordPosition(DataMod->RosterS, this);
    FixLabelWidth(RecordPosition, WidestRecordPosition);
    SearchBox = RosterSearchBox(this, SearchLabel);
    SearchBox->setToolTip("Type a partial or whole last name.");
    // Any navigator click, carried out or refused, empties the search box afterwards.
    for (TNavButton b : TDBNavigator::AllButtons())
        connect(RosterNavigator->Button(b), &QToolButton::clicked, SearchBox, &QLineEdit::clear);

    AssignEnvelopeButton = new QPushButton("Assign &Envelope", this);
    AddMemoButton = new QPushButton("&Add Memo", this);
    ImportantDatesButton = new QPushButton("&Important Dates", this);
    CloseButton = new QPushButton("Close", this);
    connect(AssignEnvelopeButton, &QPushButton::clicked, this,
            &TRosterEditForm::AssignEnvelopeButtonClick);
    connect(AddMemoButton, &QPushButton::clicked, this, &TRosterEditForm::AddMemoButtonClick);
    connect(ImportantDatesButton, &QPushButton::clicked, this,
            &TRosterEditForm::ImportantDatesButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

    // Search row.
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(SearchLabel);
    searchRow->addWidget(SearchBox, 1);
    searchRow->addSpacing(24);
    searchRow->addWidget(RecordLabel);
    searchRow->addWidget(RecordPosition);
    searchRow->addStretch(1);

    // The fields: the first seven in the left column, the other seven in the right one.
    const QList<std::pair<QLabel*, QWidget*>> left = {
        {TitleLabel, TitleEdit},      {FNameLabel, FNameEdit},   {MNameLabel, MNameEdit},
        {LNameLabel, LNameEdit},      {SuffixLabel, SuffixEdit}, {Address1Label, Address1Edit},
        {Address2Label, Address2Edit}};
    const QList<std::pair<QLabel*, QWidget*>> right = {
        {CityLabel, CityEdit},   {StateLabel, StateEdit},         {PostalLabel, PostalEdit},
        {PhoneLabel, PhoneEdit}, {CellPhoneLabel, CellPhoneEdit}, {WorkPhoneLabel, WorkPhoneEdit},
        {nullptr, IsMemberCheck}};
    auto* fields = new QGridLayout;
    for (int row = 0; row < 7; ++row) {
        fields->addWidget(left[row].first, row, 0);
        fields->addWidget(left[row].second, row, 1);
        if (right[row].first)
            fields->addWidget(right[row].first, row, 3);
        fields->addWidget(right[row].second, row, 4);
    }
    fields->setColumnStretch(1, 3);
    fields->setColumnMinimumWidth(2, 16);
    fields->setColumnStretch(4, 2);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(AssignEnvelopeButton);
    buttons->addWidget(AddMemoButton);
    buttons->addWidget(ImportantDatesButton);
    buttons->addStretch(1);
    buttons->addWidget(CloseButton);

    auto* middle = new QHBoxLayout;
    middle->addLayout(fields, 1);
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
    CentreOnDesktop(this);
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

void TRosterEditForm::closeEvent(QCloseEvent* event) {
    if (RefuseCloseWhileEditing(DataMod->RosterT, event))
        return;
    QWidget::closeEvent(event);
}
