#include "ministries/vtxLayMinistriesRostersView.h"

#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "ministries/vtxLayMinistriesRostersR.h"
#include "ministries/vtxLayMinistriesU.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxTableKeeper.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TLayMinistriesRostersViewForm)

namespace {

// A grid's columns, left to right: field, title, width in pixels (0: hidden), left-aligned.
struct RosterColumn {
    const char* field;
    const char* title;
    int width;
    bool left = false;
};
const RosterColumn kMinistryColumns[] = {
    {"MinistryNumber", "Ministry No.", 90, true}, {"MinistryName", "Ministry Name", 220},
    {"Description", "Description", 330},          {"Governing", "Governing", 80},
    {"NoOfMembers", "No. of Members", 110, true},
};
const RosterColumn kParticipantColumns[] = {
    {"MinistryNumber", "", 0},
    {"RosterRecordNumber", "", 0},
    {"LayMinisterName", "Lay Minister", 180},
    {"MinistryName", "Ministry", 220},
    {"StartDate", "Start Date", 95},
    {"EndDate", "End Date", 95},
    {"Remark", "Remark", 240},
};

TDBGrid* MakeGrid(QWidget* window, const QString& name, DataSource* source,
                  const RosterColumn* columns, int count) {
    auto* grid = new TDBGrid(window);
    grid->setObjectName(name);
    for (int i = 0; i < count; ++i) {
        TDBGridColumn& column = grid->AddColumn(columns[i].field, columns[i].title);
        column.Width = columns[i].width;
        column.Visible = columns[i].width > 0;
        if (columns[i].left)
            column.Alignment = Qt::AlignLeft | Qt::AlignVCenter;
    }
    Look::SetBrowseGridLook(grid);
    grid->SetDataSource(source);
    return grid;
}

} // namespace

TLayMinistriesRostersViewForm::TLayMinistriesRostersViewForm(QWidget* owner)
    : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "LayMinistriesRostersViewForm", "Lay Ministries Rosters");

    MinistriesGrid = MakeGrid(this, "MinistriesGrid", DataMod->LayMinistriesS, kMinistryColumns,
                              int(std::size(kMinistryColumns)));
    ParticipantsGrid = MakeGrid(this, "ParticipantsGrid", DataMod->LayMinistryRosterS,
                                kParticipantColumns, int(std::size(kParticipantColumns)));
    connect(MinistriesGrid, &TDBGrid::cellClick, this,
            &TLayMinistriesRostersViewForm::MinistriesGridCellClick);
    // The list begins with the ministry the grid highlights.
    ListMinistry(CurrentMinistryNumber);

    PrintButton = new QPushButton("&Print Roster", this);
    connect(PrintButton, &QPushButton::clicked, this,
            &TLayMinistriesRostersViewForm::PrintButtonClick);
    CloseButton = Look::CloseButton(this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(PrintButton);
    bottom->addStretch(1);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Look::CaptionLabel("Click a Lay Ministry to View Participants:", this,
                                         Qt::AlignLeft | Qt::AlignVCenter));
    layout->addWidget(MinistriesGrid, 2);
    layout->addWidget(ParticipantsGrid, 3);
    layout->addLayout(bottom);

    resize(900, 640);
    Look::CentreOnMainWindow(this);
}

void TLayMinistriesRostersViewForm::ListMinistry(int ministryNumber) {
    if (RunAction([ministryNumber] { ShowMinistryEnrolments(ministryNumber); }))
        m_listed = ministryNumber;
}

void TLayMinistriesRostersViewForm::MinistriesGridCellClick() {
    // The click has made the row current; an empty number is that of no ministry, 0.
    ListMinistry(DataMod->LayMinistriesT->FieldByName("MinistryNumber")->AsInteger());
}

void TLayMinistriesRostersViewForm::PrintButtonClick() {
    RunAction([this] {
        // Another window may have shown the table otherwise since: the report prints the
        // ministry this window lists.
        if (!ShowsMinistryEnrolments(m_listed))
            ShowMinistryEnrolments(m_listed);
        // The list keeps its place; the walk of the report goes through every row.
        TTableKeeper keeper(Enrolments(), {.restore = TTableKeeper::Position});
        TLayMinistriesRostersReport report(m_listed);
        report.Preview(this);
    });
}
