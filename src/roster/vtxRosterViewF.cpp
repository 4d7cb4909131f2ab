#include "roster/vtxRosterViewF.h"

#include "data/vtxDataM.h"
#include "roster/vtxMemoF.h"
#include "roster/vtxRosterDatesViewF.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxGridExport.h"
#include "toolkit/vtxReport.h"
#include "toolkit/vtxSearchBox.h"
#include "toolkit/vtxTableKeeper.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

VTX_REGISTER_WINDOW(TRosterViewForm)

namespace {

// The grid's columns, left to right: field, title, width in pixels, and the roster index
// a click on the title sorts by ("" the primary index, record-number order; none: the
// order stays).
struct RosterColumn {
    const char* field;
    const char* title;
    int width;
    std::optional<QString> index;
};
const RosterColumn kColumns[] = {
    {"RecordNumber", "Record", 60, ""},       {"Title", "Title", 50, "RT"},
    {"FName", "First Name", 100, "RFN"},      {"MName", "Middle Name", 100, "RMN"},
    {"LName", "Last Name", 120, "RLN"},       {"Suffix", "Suffix", 50, "RLN"},
    {"Address1", " Address 1", 180, "RAdd"},  {"Address2", "Address 2", 110, "RAdd"},
    {"City", "City", 110, "RCity"},           {"State", "State", 50, "RSt"},
    {"Postal", "Postal", 70, "RSt"},          {"Phone", "Phone", 100, "RPhn"},
    {"CellPhone", "Cell Phone", 100, "RPhn"}, {"WorkPhone", "Work Phone", 100, "RPhn"},
    {"IsMember", "Mbr.", 45, std::nullopt}};

bool IsNameField(const QString& field) {
    return field == "FName" || field == "MName" || field == "LName";
}

} // namespace

QString TRosterViewForm::ExportFileName() {
    return QDir::current().filePath("VTX2-MSW.odt");
}

TRosterViewForm::TRosterViewForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "RosterViewForm", "View Roster");
    // Whatever the Grid View, the other windows find the roster unfiltered.
    (new TCloseGuard(this))->OnClose([] { DataMod->RosterT->SetFiltered(false); });

    // Row 1: the search box and the active record.
    QLabel* searchCaption = nullptr;
    SearchBox = Look::SearchBox(this, DataMod->RosterS, "LName", "RLN", "Search by Last Name",
                                searchCaption);
    ActiveRecordName = new TDBText(DataMod->RosterS, "LFMName", this);
    ActiveRecordName->setObjectName("ActiveRecordName");
    Look::LetLayoutSizeLabel(ActiveRecordName);
    Look::MakeBoldMaroon(ActiveRecordName);

    // Row 2: the grid.
    BuildGrid();

    // Row 3: the explanation and the record position.
    RecordLabel = Look::CaptionLabel("Record", this);
    RecordPosition = new TDBRecordPosition(DataMod->RosterS, this);
    RecordPosition->setObjectName("RecordPosition");
    Look::FixLabelWidth(RecordPosition, Look::WidestRecordPosition);

    // Row 4: the buttons, the Grid View and Close.
    auto button = [this](const QString& caption, void (TRosterViewForm::*handler)()) {
        auto* b = new QPushButton(caption, this);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    BirthsButton = button("&Births", &TRosterViewForm::BirthsButtonClick);
    BaptismsButton = button("B&aptisms", &TRosterViewForm::BaptismsButtonClick);
    MarriagesButton = button("&Marriages", &TRosterViewForm::MarriagesButtonClick);
    PassingButton = button("&Passing", &TRosterViewForm::PassingButtonClick);
    MemoButton = button("M&emo", &TRosterViewForm::MemoButtonClick);
    ImportantDatesButton = button("&Important Dates", &TRosterViewForm::ImportantDatesButtonClick);
    ExportButton = new QPushButton("MSWord Export", this);
    connect(ExportButton, &QPushButton::clicked, this, [this] { ExportButtonClick(); });
    CloseButton = Look::CloseButton(this);

    auto* top = new QHBoxLayout;
    top->addWidget(searchCaption);
    top->addWidget(SearchBox);
    top->addSpacing(24);
    top->addWidget(Look::CaptionLabel("Active Record:", this));
    top->addWidget(ActiveRecordName, 1);
    auto* info = new QHBoxLayout;
    info->addWidget(
        Look::CaptionLabel("Click a button to see records associated with the active record", this,
                           Qt::AlignLeft | Qt::AlignVCenter),
        1);
    info->addWidget(RecordLabel);
    info->addWidget(RecordPosition);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BirthsButton, BaptismsButton, MarriagesButton, PassingButton, MemoButton,
                           ImportantDatesButton, ExportButton})
        buttons->addWidget(b, 0, Qt::AlignVCenter);
    buttons->addStretch(1);
    buttons->addWidget(BuildGridView());
    buttons->addSpacing(12);
    buttons->addWidget(CloseButton, 0, Qt::AlignVCenter);
    HintLine = Look::HintLine(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(RosterGrid, 1);
    layout->addLayout(info);
    layout->addLayout(buttons);
    layout->addWidget(HintLine);

    // The Grid View shows the filter the shared roster has, whichever window set it.
    ShowGridView();
    connect(DataMod->RosterS, &DataSource::rowsChanged, this, &TRosterViewForm::ShowGridView);

    resize(980, 560);
    Look::CentreOnDesktop(this);
}

void TRosterViewForm::BuildGrid() {
    RosterGrid = new TDBGrid(this);
    RosterGrid->setObjectName("RosterGrid");
    RosterGrid->setToolTip("This grid displays the records in the roster table of the database.");
    for (const RosterColumn& c : kColumns) {
        TDBGridColumn& column = RosterGrid->AddColumn(c.field, c.title);
        column.Width = c.width;
        column.SortIndex = c.index;
        column.FontColor = IsNameField(c.field) ? QColor(Qt::blue) : QColor(Qt::black);
    }
    Look::SetBrowseGridLook(RosterGrid);
    // The arrow marks the order the window finds (one another window may have left).
    RosterGrid->SetDataSource(DataMod->RosterS);
}

// The " Grid View " group: all names, members only, non-members only.
QWidget* TRosterViewForm::BuildGridView() {
    auto* group = new QGroupBox(" Grid View ", this);
    AllNamesRadio = new QRadioButton("All Names on Roster", group);
    MembersOnlyRadio = new QRadioButton("Members Only", group);
    NonMembersOnlyRadio = new QRadioButton("Non-members Only", group);
    AllNamesRadio->setChecked(true);
    auto* views = new QButtonGroup(this);
    views->addButton(AllNamesRadio, AllNames);
    views->addButton(MembersOnlyRadio, MembersOnly);
    views->addButton(NonMembersOnlyRadio, NonMembersOnly);
    connect(views, &QButtonGroup::idClicked, this, [this](int id) { GridViewClick(GridView(id)); });
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
    layout->addWidget(AllNamesRadio);
    layout->addWidget(MembersOnlyRadio);
    layout->addWidget(NonMembersOnlyRadio);
    return group;
}

void TRosterViewForm::GridViewClick(GridView view) {
    Table* roster = DataMod->RosterT;
    RunAction([&] {
        switch (view) {
        case AllNames:
            roster->SetFiltered(false);
            break;
        case MembersOnly:
            roster->SetFilter("IsMember = true");
            roster->SetFiltered(true);
            break;
        case NonMembersOnly:
            roster->SetFilter("IsMember = false");
            roster->SetFiltered(true);
            break;
        }
    });
    ShowGridView();
}

void TRosterViewForm::ShowGridView() {
    const Table* roster = DataMod->RosterT;
    const QString filter = roster->Filter().simplified();
    QRadioButton* shown = nullptr;
    if (!roster->Filtered())
        shown = AllNamesRadio;
    else if (filter.compare("IsMember = true", Qt::CaseInsensitive) == 0)
        shown = MembersOnlyRadio;
    else if (filter.compare("IsMember = false", Qt::CaseInsensitive) == 0)
        shown = NonMembersOnlyRadio;
    if (shown) {
        shown->setChecked(true);
    } else if (QButtonGroup* views = AllNamesRadio->group()) {
        // A filter of another window: none of these items.
        views->setExclusive(false);
        for (QAbstractButton* item : views->buttons())
            item->setChecked(false);
        views->setExclusive(true);
    }
    // The position means little in a filtered roster: it is shown for all names only.
    RecordLabel->setVisible(shown == AllNamesRadio);
    RecordPosition->setVisible(shown == AllNamesRadio);
}

// The record windows of the active member, each owned by this window; a window that
// is not part of the program yet answers with the not-available message.
void TRosterViewForm::BirthsButtonClick() {
    ShowRegisteredWindow(QStringLiteral("TBirthViewForm"), this);
}
void TRosterViewForm::BaptismsButtonClick() {
    ShowRegisteredWindow(QStringLiteral("TBaptismViewForm"), this);
}
void TRosterViewForm::MarriagesButtonClick() {
    ShowRegisteredWindow(QStringLiteral("TMarriageViewForm"), this);
}
void TRosterViewForm::PassingButtonClick() {
    ShowRegisteredWindow(QStringLiteral("TViewPassingForm"), this);
}

void TRosterViewForm::MemoButtonClick() {
    (new TMemoForm(TMemoMode::View, this))->show();
}

void TRosterViewForm::ImportantDatesButtonClick() {
    (new TRosterDatesViewForm(this))->show();
}

bool TRosterViewForm::ExportButtonClick() {
    bool written = false;
    {
        // The roster cursor returns to the record it was on.
        TTableKeeper keeper(DataMod->RosterT, {.restore = TTableKeeper::Position});
        // Every failure, of the file or of the roster, ends in the one message below.
        try {
            const QString fileName = ExportFileName();
            if (!QFileInfo::exists(fileName) || QFile::remove(fileName)) {
                TDBGridExportSource source(RosterGrid);
                GridExportOptions options;
                options.heading = "Date " + ReportDateTimeText(QDateTime::currentDateTime());
                options.font = RosterGrid->font();
                options.landscape = true;
                written = ExportGridToOdf(source, fileName, options);
            }
        } catch (const std::exception&) {
            written = false;
        }
    }
    if (written) {
        Look::ShowHint(this, "Written to " + QDir::toNativeSeparators(ExportFileName()));
    } else {
        Look::ShowHint(this, QString());
        Dialogs::ShowMessage(ExportErrorText);
    }
    return written;
}
