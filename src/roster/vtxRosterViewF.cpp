#include "roster/vtxRosterViewF.h"

#include "data/vtxDataM.h"
#include "roster/vtxMemoF.h"
#include "roster/vtxRosterDatesViewF.h"
#include "roster/vtxRosterFormsU.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxGridExport.h"
#include "toolkit/vtxReport.h"
#include "toolkit/vtxSearchBox.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QButtonGroup>
#include <QCloseEvent>
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

using namespace RosterForms;

VTX_REGISTER_WINDOW(TRosterViewForm)

namespace {

// The grid's columns, left to right: field, title and width in pixels.
struct RosterColumn {
    const char* field;
    const char* title;
    int width;
};
const RosterColumn kColumns[] = {{"RecordNumber", "Record", 60},
                                 {"Title", "Title", 50},
                                 {"FName", "First Name", 100},
                                 {"MName", "Middle Name", 100},
                                 {"LName", "Last Name", 120},
                                 {"Suffix", "Suffix", 50},
                                 {"Address1", " Address 1", 180},
                                 {"Address2", "Address 2", 110},
                                 {"City", "City", 110},
                                 {"State", "State", 50},
                                 {"Postal", "Postal", 70},
                                 {"Phone", "Phone", 100},
                                 {"CellPhone", "Cell Phone", 100},
                                 {"WorkPhone", "Work Phone", 100},
                                 {"IsMember", "Mbr.", 45}};

bool IsNameField(const QString& field) {
    return field == "FName" || field == "MName" || field == "LName";
}

} // namespace

std::optional<QString> TRosterViewForm::IndexForField(const QString& field) {
    static const QHash<QString, QString> indexes = {
        {"RecordNumber", ""},  {"Title", "RT"},      {"FName", "RFN"},     {"MName", "RMN"},
        {"LName", "RLN"},      {"Suffix", "RLN"},    {"Address1", "RAdd"}, {"Address2", "RAdd"},
        {"City", "RCity"},     {"State", "RSt"},     {"Postal", "RSt"},    {"Phone", "RPhn"},
        {"CellPhone", "RPhn"}, {"WorkPhone", "RPhn"}};
    const auto it = indexes.constFind(field);
    if (it == indexes.constEnd())
        return std::nullopt;
    return *it;
}

QString TRosterViewForm::ExportFileName() {
    return QDir::current().filePath("VTX2-MSW.odt");
}

TRosterViewForm::TRosterViewForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("RosterViewForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("View Roster");

    // Row 1: the search box and the active record.
    SearchBox = RosterSearchBox(this, SearchLabel);
    ActiveRecordLabel = CaptionLabel("Active Record:", this);
    ActiveRecordName = new TDBText(DataMod->RosterS, "LFMName", this);
    LetLayoutSizeLabel(ActiveRecordName);
    ActiveRecordName->setObjectName("ActiveRecordName");
    MakeBoldMaroon(ActiveRecordName);

    // Row 2: the grid.
    BuildGrid();

    // Row 3: the explanation and the record position.
    ClickButtonLabel =
        CaptionLabel("Click a button to see records associated with the active record", this,
                     Qt::AlignLeft | Qt::AlignVCenter);
    RecordLabel = CaptionLabel("Record", this);
    RecordPosition = new TDBRecordPosition(DataMod->RosterS, this);
    FixLabelWidth(RecordPosition, WidestRecordPosition);
    RecordPosition->setObjectName("RecordPosition");

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
    CloseButton = new QPushButton("Close", this);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

    GridViewGroup = new QGroupBox(" Grid View ", this);
    AllNamesRadio = new QRadioButton("All Names on Roster", GridViewGroup);
    MembersOnlyRadio = new QRadioButton("Members Only", GridViewGroup);
    NonMembersOnlyRadio = new QRadioButton("Non-members Only", GridViewGroup);
    AllNamesRadio->setChecked(true);
    auto* views = new QButtonGroup(this);
    views->addButton(AllNamesRadio, AllNames);
    views->addButton(MembersOnlyRadio, MembersOnly);
    views->addButton(NonMembersOnlyRadio, NonMembersOnly);
    connect(views, &QButtonGroup::idClicked, this, [this](int id) { GridViewClick(GridView(id)); });
    auto* groupLayout = new QVBoxLayout(GridViewGroup);
    groupLayout->setContentsMargins(8, 4, 8, 4);
    groupLayout->setSpacing(2);
    groupLayout->addWidget(AllNamesRadio);
    groupLayout->addWidget(MembersOnlyRadio);
    groupLayout->addWidget(NonMembersOnlyRadio);

    auto* top = new QHBoxLayout;
    top->addWidget(SearchLabel);
    top->addWidget(SearchBox);
    top->addSpacing(24);
    top->addWidget(ActiveRecordLabel);
    top->addWidget(ActiveRecordName, 1);
    auto* info = new QHBoxLayout;
    info->addWidget(ClickButtonLabel, 1);
    info->addWidget(RecordLabel);
    info->addWidget(RecordPosition);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BirthsButton, BaptismsButton, MarriagesButton, PassingButton, MemoButton,
                           ImportantDatesButton, ExportButton})
        buttons->addWidget(b, 0, Qt::AlignVCenter);
    buttons->addStretch(1);
    buttons->addWidget(GridViewGroup);
    buttons->addSpacing(12);
    buttons->addWidget(CloseButton, 0, Qt::AlignVCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(RosterGrid, 1);
    layout->addLayout(info);
    layout->addLayout(buttons);

    resize(980, 560);
    CentreOnDesktop(this);
}

void TRosterViewForm::BuildGrid() {
    RosterGrid = new TDBGrid(this);
    RosterGrid->setObjectName("RosterGrid");
    RosterGrid->SetOptions(TDBGrid::Titles | TDBGrid::Indicator | TDBGrid::ColLines |
                           TDBGrid::RowLines | TDBGrid::RowSelect | TDBGrid::ColumnResize);
    RosterGrid->setToolTip("This grid displays the records in the roster table of the database.");
    // A text wider than its column is cut at the column's edge, as in every grid of the
    // program (and eliding every cell would cost time at each move).
    RosterGrid->setTextElideMode(Qt::ElideNone);
    QFont titleFont = RosterGrid->font();
    titleFont.setBold(true);
    for (const RosterColumn& c : kColumns) {
        TDBGridColumn& column = RosterGrid->AddColumn(c.field, c.title);
        column.Width = c.width;
        column.TitleAlignment = Qt::AlignCenter;
        column.TitleFont = titleFont;
        column.TitleColor = Maroon;
        column.FontColor = IsNameField(c.field) ? QColor(Qt::blue) : QColor(Qt::black);
    }
    RosterGrid->SetAlternateRowColor(Silver);
    RosterGrid->SetDataSource(DataMod->RosterS);
    ShowSortArrow();
    connect(RosterGrid, &TDBGrid::titleClick, this, &TRosterViewForm::RosterGridTitleClick);
}

// Marks the column whose index the roster is sorted by when the window opens (an order
// that another window left on the shared table).
void TRosterViewForm::ShowSortArrow() {
    const QString index = DataMod->RosterT->IndexName();
    if (index.isEmpty())
        return;
    for (int c = 0; c < RosterGrid->ColumnCount(); ++c) {
        const std::optional<QString> served = IndexForField(RosterGrid->Column(c).FieldName);
        if (served && served->compare(index, Qt::CaseInsensitive) == 0) {
            RosterGrid->SetSortColumn(c);
            return;
        }
    }
}

void TRosterViewForm::RosterGridTitleClick(int column) {
    if (column < 0 || column >= RosterGrid->ColumnCount())
        return;
    const std::optional<QString> index = IndexForField(RosterGrid->Column(column).FieldName);
    if (!index)
        return;
    RunAction([&] { DataMod->RosterT->SetIndexName(*index); });
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
    // The position means little in a filtered roster: it is shown for all names only.
    RecordLabel->setVisible(view == AllNames);
    RecordPosition->setVisible(view == AllNames);
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
    Table* roster = DataMod->RosterT;
    const Bookmark current = roster->GetBookmark();
    bool written = false;
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
    if (current && roster->GetBookmark() != current)
        RunAction([&] { roster->GotoBookmark(current); });
    if (!written)
        Dialogs::ShowMessage(ExportErrorText);
    return written;
}

void TRosterViewForm::closeEvent(QCloseEvent* event) {
    // Whatever the Grid View, the other windows find the roster unfiltered.
    RunAction([] { DataMod->RosterT->SetFiltered(false); });
    QWidget::closeEvent(event);
}
