#include "stewardship/vtxStewardDataEntryF.h"

#include "data/vtxDataM.h"
#include "engine/ESBDates.h"
#include "engine/TableScan.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxPickList.h"
#include "toolkit/vtxSearchBox.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TStewardshipDataEntryForm)

namespace {

// The grid's columns, left to right: field, title, width in pixels.
struct GiftColumn {
    const char* field;
    const char* title;
    int width;
};
const GiftColumn kColumns[] = {{"EnvelopeNumber", "Envelope", 100},
                               {"OfferingDate", "Offering Date", 130},
                               {"PostedDate", "Posted Date", 130},
                               {"Amount", "Amount", 120}};

// The widest record position expected: millions of gifts.
const QString WidestGiftPosition = QStringLiteral("00000000:00000000");

} // namespace

TStewardshipDataEntryForm::TStewardshipDataEntryForm(QWidget* owner)
    : QDialog(owner, Look::FixedDialogFlags) {
    Look::SetUpWindow(this, "StewardshipDataEntryForm", "Stewardship Data Entry");
    new TCloseGuard(this, {DataMod->EnvelopeOfferingT});

    // Row 1: the navigator with the table's state, and the search box.
    EnvelopeNavigator = new TDBNavigator(DataMod->EnvelopeOfferingS, this);
    EnvelopeNavigator->setObjectName("EnvelopeNavigator");
    EnvelopeState = new TDBStateLabel(DataMod->EnvelopeOfferingS, this);
    EnvelopeState->setObjectName("EnvelopeState");
    QLabel* searchCaption = nullptr;
    SearchBox = Look::SearchBox(this, DataMod->EnvelopeOfferingS, "EnvelopeNumber", QString(),
                                "Enter Envelope to Search", searchCaption);

    // Row 2: the two lists and the grid.
    SundaysListBox = new TSundayList(this);
    SundaysListBox->setObjectName("SundaysListBox");
    SundaysListBox->setFixedWidth(120);
    connect(SundaysListBox, &TSundayList::sundayPicked, this,
            &TStewardshipDataEntryForm::SundaysListBoxClick);
    QLabel* sundayCaption = Look::CaptionLabel("Select Sunday", this, Qt::AlignLeft);
    sundayCaption->setBuddy(SundaysListBox);
    YearButton = new QPushButton("Different &Year", this);
    YearButton->setObjectName("YearButton");
    YearButton->setAutoDefault(false);
    connect(YearButton, &QPushButton::clicked, SundaysListBox, &TSundayList::AskYear);

    EnvelopeListBox = new TPickList(this);
    EnvelopeListBox->setObjectName("EnvelopeListBox");
    EnvelopeListBox->setFixedWidth(100);
    connect(EnvelopeListBox, &TPickList::picked, this,
            [this](int, const QString& number) { EnvelopeListBoxClick(number); });
    QLabel* envelopeCaption = Look::CaptionLabel("Select Envelope", this, Qt::AlignLeft);
    envelopeCaption->setBuddy(EnvelopeListBox);

    BuildGrid();
    RecordPosition = new TDBRecordPosition(DataMod->EnvelopeOfferingS, this);
    RecordPosition->setObjectName("RecordPosition");
    Look::FixLabelWidth(RecordPosition, WidestGiftPosition);

    CloseButton = Look::CloseButton(this);

    auto* top = new QHBoxLayout;
    top->addWidget(EnvelopeNavigator);
    top->addWidget(EnvelopeState);
    top->addStretch(1);
    top->addWidget(searchCaption);
    top->addWidget(SearchBox);
    auto* sundays = new QVBoxLayout;
    sundays->addWidget(sundayCaption);
    sundays->addWidget(SundaysListBox, 1);
    sundays->addWidget(YearButton);
    auto* envelopes = new QVBoxLayout;
    envelopes->addWidget(envelopeCaption);
    envelopes->addWidget(EnvelopeListBox, 1);
    auto* gifts = new QVBoxLayout;
    gifts->addWidget(EnvelopeOfferingDBGrid, 1);
    gifts->addWidget(RecordPosition, 0, Qt::AlignLeft);
    auto* middle = new QHBoxLayout;
    middle->addLayout(sundays);
    middle->addLayout(envelopes);
    middle->addLayout(gifts, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    SundaysListBox->FillYear(ThisYear());
    FillEnvelopeList();
    setFixedSize(800, 560);
    Look::CentreOnMainWindow(this);
}

void TStewardshipDataEntryForm::BuildGrid() {
    EnvelopeOfferingDBGrid = new TDBGrid(this);
    EnvelopeOfferingDBGrid->setObjectName("EnvelopeOfferingDBGrid");
    for (const GiftColumn& c : kColumns) {
        TDBGridColumn& column = EnvelopeOfferingDBGrid->AddColumn(c.field, c.title);
        column.Width = c.width;
    }
    Look::SetGridTitleColours(EnvelopeOfferingDBGrid, Look::Silver, Look::Olive);
    EnvelopeOfferingDBGrid->SetDataSource(DataMod->EnvelopeOfferingS);
}

// Every assigned envelope in the shared envelope table's order (envelope number as text),
// which is then left on its last envelope, as a walk over it leaves it. The numbers are read
// in one pass; the envelope rule and the controls on the table hear of the last envelope.
void TStewardshipDataEntryForm::FillEnvelopeList() {
    Table* envelopes = DataMod->EnvelopeT;
    QStringList numbers;
    RunAction([&] {
        envelopes->CheckBrowseMode();
        const Field* number = envelopes->FieldByName("EnvelopeNumber");
        TableScan scan(*envelopes);
        while (scan.Next())
            numbers << scan.Value(number).toString();
        envelopes->Last();
    });
    EnvelopeListBox->addItems(numbers);
}

void TStewardshipDataEntryForm::SundaysListBoxClick(const QDate& sunday) {
    Table* gifts = DataMod->EnvelopeOfferingT;
    RunAction([&] {
        // What is typed in a cell belongs to the gift being left; a pending gift is posted
        // first, and when that is refused no new gift starts.
        if (!EnvelopeOfferingDBGrid->CommitEditor())
            return;
        gifts->Insert();
        gifts->FieldByName("OfferingDate")->SetAsDate(sunday);
        // The amount is typed next: its cell is the grid's current cell.
        TDBGrid* grid = EnvelopeOfferingDBGrid;
        grid->setCurrentIndex(
            grid->model()->index(grid->CursorRow(), grid->ColumnOfField("Amount")));
    });
}

void TStewardshipDataEntryForm::EnvelopeListBoxClick(const QString& envelopeNumber) {
    Table* gifts = DataMod->EnvelopeOfferingT;
    RunAction([&] { gifts->FieldByName("EnvelopeNumber")->SetAsString(envelopeNumber); });
}
