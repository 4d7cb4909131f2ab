#include "records/vtxRecordFormsU.h"

#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxSearchBox.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace RecordForms {

namespace {

const QString SelectActiveRecordClass = QStringLiteral("TSelectActiveRecordForm");

// The active record's full name, bold maroon, following the roster.
TDBText* ActiveName(QWidget* parent) {
    auto* name = new TDBText(DataMod->RosterS, "LFMName", parent);
    name->setObjectName("ActiveRecordName");
    Look::LetLayoutSizeLabel(name);
    Look::MakeBoldMaroon(name);
    // Greyed while the record list does not follow it (all records shown).
    QPalette palette = name->palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(Qt::gray));
    name->setPalette(palette);
    return name;
}

QPushButton* SelectButton(QWidget* parent, const QString& caption, const QString& hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName("SelectActiveRecordButton");
    button->setToolTip(hint);
    return button;
}

} // namespace

void LinkToActiveRecord(Table* table) {
    if (table->MasterSource() == DataMod->RosterS && table->MasterFields() == "RecordNumber")
        return;
    table->SetMasterFields("RecordNumber");
    table->SetMasterSource(DataMod->RosterS);
}

void SelectActiveRecord(QWidget* window, bool modal) {
    if (modal)
        ShowRegisteredModal(SelectActiveRecordClass, window);
    else
        ShowRegisteredWindow(SelectActiveRecordClass, window);
}

void UseActiveRecord(DataSet* table, const QString& firstField, const QString& middleField,
                     const QString& lastField, QWidget* next, TNameBoxes one, TNameBoxes other,
                     const QString& identicalText) {
    const bool assigned = RunAction([&] {
        table->FieldByName(firstField)->SetAsString(ActiveFName);
        if (!middleField.isEmpty())
            table->FieldByName(middleField)->SetAsString(ActiveMName);
        table->FieldByName(lastField)->SetAsString(ActiveLName);
    });
    if (!assigned)
        return;
    next->setFocus(Qt::OtherFocusReason);
    if (one.first->text() == other.first->text() && one.last->text() == other.last->text())
        Dialogs::ShowMessage(identicalText);
}

// ---- TGridViewGroup ---------------------------------------------------------------------------

TGridViewGroup::TGridViewGroup(Table* table, DataSource* source, const QString& linkedText,
                               const QString& allText, QWidget* activeName, QWidget* parent)
    : QGroupBox(" Grid View ", parent), m_table(table), m_activeName(activeName) {
    setObjectName("GridView");
    LinkedRadio = new QRadioButton(linkedText, this);
    AllRadio = new QRadioButton(allText, this);
    auto* items = new QButtonGroup(this);
    items->addButton(LinkedRadio);
    items->addButton(AllRadio);
    connect(LinkedRadio, &QRadioButton::clicked, this, [this] { Choose(true); });
    connect(AllRadio, &QRadioButton::clicked, this, [this] { Choose(false); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
    layout->addWidget(LinkedRadio);
    layout->addWidget(AllRadio);
    // The table is shared: another window may link it or cut its link at any time.
    connect(source, &DataSource::rowsChanged, this, &TGridViewGroup::Follow);
    Choose(true);
}

void TGridViewGroup::Choose(bool linked) {
    RunAction([&] {
        if (linked)
            LinkToActiveRecord(m_table);
        else
            m_table->SetMasterSource(nullptr);
    });
    Follow();
}

void TGridViewGroup::Follow() {
    const bool linked = m_table->MasterSource() != nullptr;
    (linked ? LinkedRadio : AllRadio)->setChecked(true);
    m_activeName->setEnabled(linked);
}

// ---- TRecordViewForm --------------------------------------------------------------------------

TRecordViewForm::TRecordViewForm(QWidget* owner, const TRecordViewSetup& setup)
    : QWidget(owner, Qt::Window), m_table(setup.table), m_source(setup.source) {
    Look::SetUpWindow(this, setup.objectName, setup.caption);
    if (setup.ownSearchIndex.isEmpty())
        SearchBox = Look::SearchBox(this, DataMod->RosterS, "LName", "RLN", "Search by Last Name",
                                    m_searchCaption);
    else
        SearchBox = Look::SearchBox(this, setup.source, "LName", setup.ownSearchIndex,
                                    "Search by Last Name", m_searchCaption);
    m_activeCaption = Look::CaptionLabel(setup.activeCaption, this);
    ActiveRecordName = ActiveName(this);
    Grid = new TDBGrid(this);
    Grid->setObjectName("Grid");
    SelectActiveRecordButton = SelectButton(this, setup.selectCaption, setup.selectHint);
    connect(SelectActiveRecordButton, &QPushButton::clicked, this,
            &TRecordViewForm::SelectActiveRecordButtonClick);
    CloseButton = Look::CloseButton(this);
    ButtonRow = new QHBoxLayout;
}

void TRecordViewForm::AddColumns(std::initializer_list<TRecordColumn> columns,
                                 TGridOptions options) {
    TDBGridColumn& record = Grid->AddColumn("RecordNumber", options.recordTitle);
    record.Visible = false;
    for (const TRecordColumn& c : columns) {
        TDBGridColumn& column = Grid->AddColumn(c.field, c.title);
        column.Width = c.width;
        column.TitleHint = c.title;
        column.SortIndex = c.sortIndex;
        column.TitleBackground = options.titleBackground;
    }
    Look::SetBrowseGridLook(Grid);
    // Every title is read whole at the start: a column is at least as wide as its title.
    for (int c = 1; c < Grid->ColumnCount(); ++c) {
        TDBGridColumn& column = Grid->Column(c);
        const QFontMetrics metrics(column.TitleFont.value_or(Grid->font()));
        column.Width = std::max(column.Width, metrics.horizontalAdvance(column.Title) + 16);
    }
    Grid->RefreshColumns();
    if (!options.resizable)
        Grid->SetOptions(Grid->GetOptions() & ~TDBGrid::Options(TDBGrid::ColumnResize));
    Grid->SetDataSource(m_source);
}

void TRecordViewForm::AddGridView(const QString& linkedText, const QString& allText) {
    GridView = new TGridViewGroup(m_table, m_source, linkedText, allText, ActiveRecordName, this);
    // Whatever the choice, the next window finds the table following the active record.
    Table* table = m_table;
    (new TCloseGuard(this))->OnClose([table] { LinkToActiveRecord(table); });
}

void TRecordViewForm::FinishLayout() {
    auto* top = new QHBoxLayout;
    top->addWidget(m_searchCaption);
    top->addWidget(SearchBox);
    top->addSpacing(24);
    top->addWidget(m_activeCaption);
    top->addWidget(ActiveRecordName, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(ButtonRow);
    bottom->addWidget(SelectActiveRecordButton, 0, Qt::AlignVCenter);
    bottom->addStretch(1);
    if (GridView) {
        bottom->addWidget(GridView);
        bottom->addSpacing(12);
    }
    bottom->addWidget(CloseButton, 0, Qt::AlignVCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Grid, 1);
    layout->addLayout(bottom);
}

void TRecordViewForm::SelectActiveRecordButtonClick() {
    SelectActiveRecord(this, true);
}

// ---- TRecordEntryForm -------------------------------------------------------------------------

TRecordEntryForm::TRecordEntryForm(QWidget* owner, const TRecordEntrySetup& setup)
    : QWidget(owner, Qt::Window), m_source(setup.source), m_linkedCaption(setup.linkedCaption),
      m_positionCaption(setup.positionCaption) {
    Look::SetUpWindow(this, setup.objectName, setup.caption);
    new TCloseGuard(this, {setup.table});
    ActiveRecordName = ActiveName(this);
    // Room for a long name also in a window of fixed size.
    ActiveRecordName->setMinimumWidth(
        ActiveRecordName->fontMetrics().horizontalAdvance(QString(28, QChar('n'))));
    SelectActiveRecordButton = SelectButton(this, "Select &Active Record", setup.selectHint);
    SelectActiveRecordButton->setFocusPolicy(Qt::NoFocus);
    connect(SelectActiveRecordButton, &QPushButton::clicked, this,
            &TRecordEntryForm::SelectActiveRecordButtonClick);
    StateLabel = new TDBStateLabel(setup.source, this);
    StateLabel->setObjectName("StateLabel");
    Navigator = new TDBNavigator(setup.source, this);
    Navigator->setObjectName("Navigator");
    Navigator->SetVisibleButtons(setup.buttons);
    RecordPosition = new TDBRecordPosition(setup.source, this);
    RecordPosition->setObjectName("RecordPosition");
    Look::FixLabelWidth(RecordPosition, Look::WidestRecordPosition);
    CloseButton = Look::CloseButton(this);
    Fields = Look::CaptionForm();
    ExtraRows = new QVBoxLayout;
}

TDBEdit* TRecordEntryForm::AddEdit(const QString& caption, const QString& field) {
    auto* edit = new TDBEdit(m_source, field, this);
    edit->setObjectName(field + "Edit");
    Look::AddCaptionRow(Fields, caption, edit);
    return edit;
}

TDBDateEdit* TRecordEntryForm::AddDate(const QString& caption, const QString& field) {
    auto* edit = new TDBDateEdit(m_source, field, this);
    edit->setObjectName(field + "Edit");
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("00/00/00000") + 48);
    Look::AddCaptionRow(Fields, caption, edit);
    return edit;
}

TDBEdit* TRecordEntryForm::AddEditWithUseButton(const QString& caption, const QString& field,
                                                QPushButton*& useButton) {
    auto* edit = new TDBEdit(m_source, field, this);
    edit->setObjectName(field + "Edit");
    useButton = new QPushButton("Use Active Record", this);
    useButton->setObjectName(field + "UseButton");
    useButton->setFocusPolicy(Qt::NoFocus);
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(useButton);
    QLabel* label = Look::CaptionLabel(caption, this, Fields->labelAlignment());
    label->setBuddy(edit);
    Fields->addRow(label, row);
    return edit;
}

void TRecordEntryForm::FinishLayout() {
    auto* header = new QHBoxLayout;
    header->addWidget(Look::CaptionLabel(m_linkedCaption, this));
    header->addWidget(ActiveRecordName, 1);
    header->addSpacing(12);
    header->addWidget(SelectActiveRecordButton);
    auto* stateRow = new QHBoxLayout;
    stateRow->addStretch(1);
    stateRow->addWidget(StateLabel);
    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addWidget(Navigator);
    navigatorRow->addStretch(1);
    auto* footer = new QHBoxLayout;
    footer->addWidget(Look::CaptionLabel(m_positionCaption, this));
    footer->addWidget(RecordPosition);
    footer->addStretch(1);
    footer->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addLayout(stateRow);
    layout->addSpacing(6);
    layout->addLayout(Fields, 1);
    layout->addSpacing(6);
    layout->addLayout(navigatorRow);
    layout->addLayout(ExtraRows);
    layout->addLayout(footer);
}

void TRecordEntryForm::SelectActiveRecordButtonClick() {
    SelectActiveRecord(this, false);
}

} // namespace RecordForms
