#include "stewardship/vtxOfferingDataEntryF.h"

#include "data/vtxDataM.h"
#include "engine/ESBDates.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxPickList.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TOfferingDataEntryForm)

namespace {

// The grid's columns, left to right: field, title, width in pixels, written while typed
// (so that Total follows).
struct OfferingColumn {
    const char* field;
    const char* title;
    int width;
    bool writtenWhileTyped;
};
const OfferingColumn kColumns[] = {{"OfferingDate", "Offering Date", 110, false},
                                   {"PostingDate", " Posting Date", 110, false},
                                   {"Cash", "Cash", 100, true},
                                   {"Checks", "Checks", 100, true},
                                   {"Total", "Total", 100, false}};

} // namespace

TOfferingDataEntryForm::TOfferingDataEntryForm(QWidget* owner)
    : QDialog(owner, Look::FixedDialogFlags) {
    Look::SetUpWindow(this, "OfferingDataEntryForm", "Offering Data Entry");
    new TCloseGuard(this, {DataMod->OfferingT});

    OfferingNavigator = new TDBNavigator(DataMod->OfferingS, this);
    OfferingNavigator->setObjectName("OfferingNavigator");
    OfferingState = new TDBStateLabel(DataMod->OfferingS, this);
    OfferingState->setObjectName("OfferingState");

    SundayListBox = new TSundayList(this);
    SundayListBox->setObjectName("SundayListBox");
    SundayListBox->setFixedWidth(120);
    connect(SundayListBox, &TSundayList::sundayPicked, this,
            &TOfferingDataEntryForm::SundayListBoxClick);
    QLabel* sundayCaption = Look::CaptionLabel("Select Sunday", this, Qt::AlignLeft);
    sundayCaption->setBuddy(SundayListBox);
    YearButton = new QPushButton("Different &Year", this);
    YearButton->setObjectName("YearButton");
    YearButton->setAutoDefault(false);
    connect(YearButton, &QPushButton::clicked, SundayListBox, &TSundayList::AskYear);

    BuildGrid();
    RecordPosition = new TDBRecordPosition(DataMod->OfferingS, this);
    RecordPosition->setObjectName("RecordPosition");
    Look::FixLabelWidth(RecordPosition, Look::WidestRecordPosition);

    CloseButton = Look::CloseButton(this);

    auto* top = new QHBoxLayout;
    top->addWidget(OfferingNavigator);
    top->addWidget(OfferingState);
    top->addStretch(1);
    auto* sundays = new QVBoxLayout;
    sundays->addWidget(sundayCaption);
    sundays->addWidget(SundayListBox, 1);
    sundays->addWidget(YearButton);
    auto* offerings = new QVBoxLayout;
    offerings->addWidget(OfferingDBGrid, 1);
    offerings->addWidget(RecordPosition, 0, Qt::AlignLeft);
    auto* middle = new QHBoxLayout;
    middle->addLayout(sundays);
    middle->addLayout(offerings, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    SundayListBox->FillYear(ThisYear());
    setFixedSize(720, 520);
    Look::CentreOnMainWindow(this);
}

void TOfferingDataEntryForm::BuildGrid() {
    OfferingDBGrid = new TDBGrid(this);
    OfferingDBGrid->setObjectName("OfferingDBGrid");
    for (const OfferingColumn& c : kColumns) {
        TDBGridColumn& column = OfferingDBGrid->AddColumn(c.field, c.title);
        column.Width = c.width;
        column.WriteWhileTyping = c.writtenWhileTyped;
    }
    Look::SetGridTitleColours(OfferingDBGrid, Look::Silver, Look::Olive);
    OfferingDBGrid->SetDataSource(DataMod->OfferingS);
}

void TOfferingDataEntryForm::SundayListBoxClick(const QDate& sunday) {
    Table* offerings = DataMod->OfferingT;
    RunAction([&] { offerings->FieldByName("OfferingDate")->SetAsDate(sunday); });
}
