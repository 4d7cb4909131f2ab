#include "ministries/vtxLayMinistriesViewF.h"

#include "data/vtxDataM.h"
#include "ministries/vtxLayMinistriesU.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxSearchBox.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TLayMinistriesViewForm)

namespace {

// The grid's columns, left to right: field, title, width in pixels (0: hidden).
struct MinistryColumn {
    const char* field;
    const char* title;
    int width;
};
const MinistryColumn kColumns[] = {
    {"MinistryNumber", "Ministry Number", 110},
    {"RosterRecordNumber", "", 0},
    {"MinistryName", "Ministry Name", 260},
    {"StartDate", "Start Date", 95},
    {"EndDate", "End Date", 95},
    {"Remark", "Remark", 240},
};

} // namespace

TLayMinistriesViewForm::TLayMinistriesViewForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "LayMinistriesViewForm", "Lay Ministries");
    RunAction(&ShowMemberEnrolments);

    QLabel* searchCaption = nullptr;
    SearchBox = Look::SearchBox(this, DataMod->RosterS, "LName", "RLN", "Search by Last Name",
                                searchCaption);
    ActiveRecordName = new TDBText(DataMod->RosterS, "LFMName", this);
    ActiveRecordName->setObjectName("ActiveRecordName");
    Look::MakeBoldMaroon(ActiveRecordName);
    Look::LetLayoutSizeLabel(ActiveRecordName);

    MinistriesGrid = new TDBGrid(this);
    MinistriesGrid->setObjectName("MinistriesGrid");
    for (const MinistryColumn& c : kColumns) {
        TDBGridColumn& column = MinistriesGrid->AddColumn(c.field, c.title);
        column.Width = c.width;
        column.Visible = c.width > 0;
    }
    Look::SetBrowseGridLook(MinistriesGrid, {.boldCentredTitles = false, .silverRows = false});
    MinistriesGrid->SetDataSource(DataMod->LayMinistryRosterS);

    SelectActiveRecordButton = new QPushButton("Select &Active Record", this);
    connect(SelectActiveRecordButton, &QPushButton::clicked, this,
            &TLayMinistriesViewForm::SelectActiveRecordButtonClick);
    CloseButton = Look::CloseButton(this);

    auto* top = new QHBoxLayout;
    top->addWidget(searchCaption);
    top->addWidget(SearchBox);
    top->addSpacing(24);
    top->addWidget(Look::CaptionLabel("Active Record: ", this));
    top->addWidget(ActiveRecordName, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(SelectActiveRecordButton);
    bottom->addStretch(1);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(MinistriesGrid, 1);
    layout->addLayout(bottom);

    resize(860, 420);
    Look::CentreOnMainWindow(this);
}

void TLayMinistriesViewForm::SelectActiveRecordButtonClick() {
    const TWindowFactory make = WindowFactory(QStringLiteral("TSelectActiveRecordForm"));
    if (!make) {
        Dialogs::ShowMessage(NotAvailableText);
        return;
    }
    if (auto* select = qobject_cast<QDialog*>(make(this)))
        Dialogs::ShowModal(select);
}
