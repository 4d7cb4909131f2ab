#include "worship/vtxWorshipDataEntryF.h"

#include "data/vtxDataM.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"
#include "worship/vtxWorshipFiledOrdersF.h"
#include "worship/vtxWorshipMemoF.h"
#include "worship/vtxWorshipU.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TWorshipDataEntryForm)

TWorshipDataEntryForm::TWorshipDataEntryForm(QWidget* owner)
    : QWidget(owner, Look::FixedDialogFlags) {
    Look::SetUpWindow(this, "WorshipDataEntryForm", "Worship Data Entry");
    new TCloseGuard(this, {DataMod->WorshipT});

    WorshipNavigator = new TDBNavigator(DataMod->WorshipS, this);
    WorshipNavigator->SetShowHint(true);
    WorshipState = new TDBStateLabel(DataMod->WorshipS, this);

    // The left column: the service's date, time, officiant and remark, the templates, and
    // the doors to the other windows.
    WorshipDateEdit = new TDBDateEdit(DataMod->WorshipS, "WorshipDate", this);
    WorshipDateEdit->setObjectName("WorshipDateEdit");
    WorshipDateEdit->SetCalendarStyle(TCalendarStyle::Dialog);
    YearPlannerButton = new QPushButton("&Year Planner", this);
    WorshipTimeEdit = new TDBTimeEdit(DataMod->WorshipS, "WorshipTime", this);
    WorshipTimeEdit->setObjectName("WorshipTimeEdit");
    WorshipTimeEdit->setToolTip("Enter time as in 10:00pm");
    OfficiantEdit = new TDBEdit(DataMod->WorshipS, "OfficiantInCharge", this);
    OfficiantEdit->setObjectName("OfficiantEdit");
    RemarkEdit = new TDBEdit(DataMod->WorshipS, "Remark", this);
    RemarkEdit->setObjectName("RemarkEdit");

    TemplateGrid = new TDBGrid(this);
    TemplateGrid->setObjectName("TemplateGrid");
    TemplateGrid->AddColumn("OrderNumber", "Order No.").Width = 70;
    TemplateGrid->AddColumn("OrderName", "Order Name").Width = 200;
    for (int k = 1; k <= Worship::ElementCount; ++k)
        TemplateGrid->AddColumn(Worship::ElementField(k)).Visible = false;
    Look::SetBrowseGridLook(TemplateGrid);
    TemplateGrid->SetDataSource(DataMod->WorshipOrdersS);
    // A mouse click applies the template; the keys only move through the list.
    connect(TemplateGrid, &TDBGrid::cellClick, this, &TWorshipDataEntryForm::TemplateGridCellClick);

    ViewFiledButton = new QPushButton("&View Filed Services", this);
    MusicLibraryButton = new QPushButton("&Music Library", this);
    MemoButton = new QPushButton("Add &Special Instructions Memo", this);
    CloseButton = Look::CloseButton(this);
    for (QPushButton* b : {YearPlannerButton, ViewFiledButton, MusicLibraryButton, MemoButton})
        b->setAutoDefault(false);
    connect(YearPlannerButton, &QPushButton::clicked, this,
            &TWorshipDataEntryForm::YearPlannerButtonClick);
    connect(ViewFiledButton, &QPushButton::clicked, this,
            &TWorshipDataEntryForm::ViewFiledButtonClick);
    connect(MusicLibraryButton, &QPushButton::clicked, this,
            &TWorshipDataEntryForm::MusicLibraryButtonClick);
    connect(MemoButton, &QPushButton::clicked, this, &TWorshipDataEntryForm::MemoButtonClick);

    // The middle and right columns: the thirty lines of the order, without captions.
    QGridLayout* elements = Worship::ElementColumns([this](int k) {
        auto* edit = new TDBEdit(DataMod->WorshipS, Worship::ElementField(k), this);
        edit->setObjectName(Worship::ElementField(k) + "Edit");
        edit->setMinimumWidth(400);
        ElementEdits << edit;
        return edit;
    });
    elements->setHorizontalSpacing(12);
    elements->setVerticalSpacing(4);

    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addWidget(
        Look::CaptionLabel("Click the Insert Button (+) to begin a new record.", this));
    navigatorRow->addSpacing(12);
    navigatorRow->addWidget(WorshipNavigator);
    navigatorRow->addSpacing(12);
    navigatorRow->addWidget(WorshipState);
    navigatorRow->addStretch(1);

    QFormLayout* fields = Look::CaptionForm();
    fields->setRowWrapPolicy(QFormLayout::WrapAllRows);
    Look::AddCaptionRow(fields, "Worship Date", WorshipDateEdit);
    fields->addRow(YearPlannerButton);
    Look::AddCaptionRow(fields, "Worship Time", WorshipTimeEdit);
    Look::AddCaptionRow(fields, "Officiating", OfficiantEdit);
    Look::AddCaptionRow(fields, "Remark", RemarkEdit);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addSpacing(6);
    QLabel* templateCaption =
        Look::CaptionLabel("Select a Worship Template for this service.", this, Qt::AlignLeft);
    templateCaption->setWordWrap(true);
    left->addWidget(templateCaption);
    left->addWidget(TemplateGrid, 1);
    left->addWidget(ViewFiledButton);
    left->addWidget(MusicLibraryButton);
    left->addWidget(MemoButton);
    left->addSpacing(6);
    left->addWidget(CloseButton);

    auto* leftPanel = new QWidget(this);
    leftPanel->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);
    leftPanel->setFixedWidth(300);

    auto* body = new QHBoxLayout;
    body->addWidget(leftPanel);
    body->addSpacing(12);
    body->addLayout(elements, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(navigatorRow);
    layout->addSpacing(6);
    layout->addLayout(body, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Look::CentreOnDesktop(this);
}

void TWorshipDataEntryForm::TemplateGridCellClick() {
    Table* service = DataMod->WorshipT;
    Table* order = DataMod->WorshipOrdersT;
    // The service takes values only while it is being inserted or edited: nothing changes.
    if (!IsEditing(service)) {
        Dialogs::ShowMessage(NotEditingText);
        return;
    }
    RunAction([service, order] {
        for (int k = 1; k <= Worship::ElementCount; ++k) {
            const QString field = Worship::ElementField(k);
            service->FieldByName(field)->SetValue(order->FieldByName(field)->Value());
        }
        service->FieldByName("WorshipTemplateNumber")
            ->SetValue(order->FieldByName("OrderNumber")->Value());
    });
}

void TWorshipDataEntryForm::YearPlannerButtonClick() {
    ShowRegisteredWindow("TYearPlannerForm", this);
}

void TWorshipDataEntryForm::ViewFiledButtonClick() {
    Dialogs::ShowModal(new TWorshipFiledOrdersForm(this));
}

void TWorshipDataEntryForm::MusicLibraryButtonClick() {
    ShowRegisteredWindow("TMusicLibraryForm", this);
}

void TWorshipDataEntryForm::MemoButtonClick() {
    Dialogs::ShowModal(new TWorshipMemoForm(this));
}
