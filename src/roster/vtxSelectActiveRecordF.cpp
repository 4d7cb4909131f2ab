#include "roster/vtxSelectActiveRecordF.h"

#include "data/vtxDataM.h"
#include "roster/vtxRosterFormsU.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxSearchBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace RosterForms;

TSelectActiveRecordForm::TSelectActiveRecordForm(QWidget* owner) : QDialog(owner) {
    setObjectName("SelectActiveRecordForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Select Active Record");

    ClickLabel = CaptionLabel("Click a Name to make that person's record the Active Record.", this,
                              Qt::AlignLeft | Qt::AlignVCenter);

    RosterGrid = new TDBGrid(this);
    RosterGrid->setObjectName("RosterGrid");
    RosterGrid->SetOptions(TDBGrid::Titles | TDBGrid::Indicator | TDBGrid::ColLines |
                           TDBGrid::RowLines | TDBGrid::RowSelect | TDBGrid::ColumnResize);
    RosterGrid->AutoSortArrow = false;
    RosterGrid->setTextElideMode(Qt::ElideNone);
    for (const auto& [field, title] : {std::pair{"RecordNumber", "Record"},
                                       std::pair{"Title", "Title"}, std::pair{"LFMName", "Name"}}) {
        TDBGridColumn& column = RosterGrid->AddColumn(field, title);
        column.TitleColor = Maroon;
    }
    RosterGrid->SetDataSource(DataMod->RosterS);
    RosterGrid->horizontalHeader()->setStretchLastSection(true); // the name takes the room left

    SearchBox = RosterSearchBox(this, SearchLabel);
    CloseButton = new QPushButton("Close", this);
    CloseButton->setAutoDefault(false);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(SearchLabel);
    bottom->addWidget(SearchBox, 1);
    bottom->addSpacing(20);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ClickLabel);
    layout->addWidget(RosterGrid, 1);
    layout->addLayout(bottom);
    resize(520, 420);
    CentreOnDesktop(this);
}
