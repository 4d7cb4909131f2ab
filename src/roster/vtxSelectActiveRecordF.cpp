#include "roster/vtxSelectActiveRecordF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxSearchBox.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// The record and ministry windows open it by name.
VTX_REGISTER_WINDOW(TSelectActiveRecordForm)

TSelectActiveRecordForm::TSelectActiveRecordForm(QWidget* owner) : QDialog(owner) {
    Look::SetUpWindow(this, "SelectActiveRecordForm", "Select Active Record");

    RosterGrid = new TDBGrid(this);
    RosterGrid->setObjectName("RosterGrid");
    RosterGrid->AutoSortArrow = false;
    for (const auto& [field, title] : {std::pair{"RecordNumber", "Record"},
                                       std::pair{"Title", "Title"}, std::pair{"LFMName", "Name"}})
        RosterGrid->AddColumn(field, title);
    Look::SetBrowseGridLook(RosterGrid, {.boldCentredTitles = false, .silverRows = false});
    RosterGrid->SetDataSource(DataMod->RosterS);
    RosterGrid->horizontalHeader()->setStretchLastSection(true); // the name takes the room left

    QLabel* searchCaption = nullptr;
    SearchBox = Look::SearchBox(this, DataMod->RosterS, "LName", "RLN", "Search by Last Name",
                                searchCaption);
    CloseButton = Look::CloseButton(this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(searchCaption);
    bottom->addWidget(SearchBox, 1);
    bottom->addSpacing(20);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        Look::CaptionLabel("Click a Name to make that person's record the Active Record.", this,
                           Qt::AlignLeft | Qt::AlignVCenter));
    layout->addWidget(RosterGrid, 1);
    layout->addLayout(bottom);
    resize(520, 420);
    Look::CentreOnDesktop(this);
}
