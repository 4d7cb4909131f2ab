#include "worship/vtxMusicLibraryF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"
#include "worship/vtxMusicUseF.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TMusicLibraryForm)

namespace {

// The grid's columns, left to right: field, title, width in pixels.
struct LibraryColumn {
    const char* field;
    const char* title;
    int width;
};
const LibraryColumn kColumns[] = {{"MusicName", "Name", 230},
                                  {"Publisher", "Publisher", 170},
                                  {"DateAcquired", "Date New", 90},
                                  {"LastUsed", "Last Used", 90},
                                  {"Parts", "Parts", 70},
                                  {"NumberOfCopies", "Copies", 55},
                                  {"Accompaniment", "Accompaniment", 105},
                                  {"Remark", "Remark", 230}};

} // namespace

TMusicLibraryForm::TMusicLibraryForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "MusicLibraryForm", "Music Library");
    new TCloseGuard(this, {DataMod->MusicLibraryT});

    LibraryNavigator = new TDBNavigator(DataMod->MusicLibraryS, this);
    LibraryNavigator->SetShowHint(true);
    LibraryState = new TDBStateLabel(DataMod->MusicLibraryS, this);
    RecordPosition = new TDBRecordPosition(DataMod->MusicLibraryS, this);
    Look::FixLabelWidth(RecordPosition, Look::WidestRecordPosition);

    LibraryGrid = new TDBGrid(this);
    LibraryGrid->setObjectName("LibraryGrid");
    for (const LibraryColumn& c : kColumns) {
        TDBGridColumn& column = LibraryGrid->AddColumn(c.field, c.title);
        column.Width = c.width;
        if (QLatin1String(c.field) == QLatin1String("NumberOfCopies"))
            column.Alignment = Qt::AlignLeft | Qt::AlignVCenter;
    }
    LibraryGrid->SetDataSource(DataMod->MusicLibraryS);
    m_lastUsedColumn = LibraryGrid->ColumnOfField("LastUsed");
    connect(LibraryGrid, &TDBGrid::editorOpened, this, &TMusicLibraryForm::GridEditorOpened);
    connect(LibraryGrid, &TDBGrid::editorClosed, this, &TMusicLibraryForm::GridEditorClosed);
    connect(DataMod->MusicLibraryS, &DataSource::dataChanged, this, [this](Field* field) {
        if (field && m_editingLastUsed && field->FieldName() == QLatin1String("LastUsed"))
            LastUsedChanged();
    });

    UseHistoryButton = new QPushButton("&Use History", this);
    UseHistoryButton->setAutoDefault(false);
    connect(UseHistoryButton, &QPushButton::clicked, this,
            &TMusicLibraryForm::UseHistoryButtonClick);
    CloseButton = Look::CloseButton(this);

    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addWidget(LibraryNavigator);
    navigatorRow->addSpacing(12);
    navigatorRow->addWidget(LibraryState);
    navigatorRow->addStretch(1);
    navigatorRow->addWidget(Look::CaptionLabel("Record", this));
    navigatorRow->addWidget(RecordPosition);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(UseHistoryButton);
    buttons->addStretch(1);
    buttons->addWidget(CloseButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(navigatorRow);
    layout->addWidget(LibraryGrid, 1);
    layout->addLayout(buttons);

    resize(1080, 560);
    Look::CentreOnDesktop(this);
}

void TMusicLibraryForm::UseHistoryButtonClick() {
    (new TMusicUseForm(this))->show();
}

void TMusicLibraryForm::GridEditorOpened(int column) {
    if (column != m_lastUsedColumn)
        return;
    m_editingLastUsed = true;
    m_lastUsedBefore = DataMod->MusicLibraryT->FieldByName("LastUsed")->AsDate();
}

void TMusicLibraryForm::GridEditorClosed(int column) {
    if (column == m_lastUsedColumn)
        m_editingLastUsed = false;
}

// The Last Used cell wrote its date into the piece.
void TMusicLibraryForm::LastUsedChanged() {
    const QDate date = DataMod->MusicLibraryT->FieldByName("LastUsed")->AsDate();
    if (!date.isValid() || date == m_lastUsedBefore)
        return;
    m_lastUsedBefore = date;
    RecordUse(date);
}

void TMusicLibraryForm::RecordUse(const QDate& date) {
    Table* piece = DataMod->MusicLibraryT;
    Table* use = DataMod->MusicUseT;
    const QString name = piece->FieldByName("MusicName")->AsString();
    // A piece without a name has nothing to file the use under.
    if (name.isEmpty() || !date.isValid())
        return;
    const bool recorded = RunAction([&] {
        use->Insert();
        use->FieldByName("MusicName")->SetAsString(name);
        use->FieldByName("UsedDate")->SetAsDate(date);
        use->Post();
    });
    // Refused (the piece's use on that date is already recorded): the new row is dropped,
    // so that no hidden pending use is posted again at every move of the library.
    if (!recorded && IsEditing(use))
        use->Cancel();
}
