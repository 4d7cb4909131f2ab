#include "utilities/vtxRepairF.h"

#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxPieProgress.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"
#include "utilities/TUtility.h"
#include "utilities/vtxRepairDialog.h"
#include "utilities/vtxRepairU.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextStream>
#include <QVBoxLayout>

namespace {

// "&Database Maintenance" opens the window through the registry, as every menu row does,
// with the settings of the program's TRepairDialog.
const bool registered = RegisterWindow(QStringLiteral("TRepairForm"), [](QWidget* owner) {
    return TRepairDialog().CreateForMenu(owner);
});

const QString kNoErrorTable = QStringLiteral("No error table exists.");
const QString kNeedBorrow =
    QStringLiteral("You must select an Database Alias to borrow the structure from.");

// Lets the window show the progress while the library works; no click gets through.
void Repaint() {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The error table as the engine opens it: one row per problem found.
TableDef ErrorTableDef() {
    TableDef def;
    def.tableName = QStringLiteral("__VERERR.DB");
    def.fields = {TextField("TableName", 80), ShortField("Status"), TextField("Part", 40),
                  IntegerField("Page"), TextField("Problem", 250)};
    return def;
}

// An alias naming the session's private folder for as long as the object lives.
class PrivateAlias {
public:
    PrivateAlias() { Aliases::SetPath(Name(), TTUtility::PrivateFolder()); }
    ~PrivateAlias() { Aliases::Remove(Name()); }
    static QString Name() { return QStringLiteral("VTXPrivateFolder"); }
};

// A pie with its caption under it.
QWidget* PieWithCaption(TPieProgress*& pie, const QString& caption, const QString& name,
                        QWidget* parent) {
    auto* box = new QWidget(parent);
    pie = new TPieProgress(box);
    pie->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(pie, 0, Qt::AlignHCenter);
    auto* label = new QLabel(caption, box);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return box;
}

QLabel* ValueLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    Look::FixLabelWidth(label, QStringLiteral("000000000"));
    return label;
}

} // namespace

TRepairForm::TRepairForm(QWidget* owner, const TRepairDialog* settings)
    : QDialog(owner, Look::FixedDialogFlags) {
    const TRepairDialog defaults;
    if (!settings)
        settings = &defaults;
    m_utility = std::make_unique<TTUtility>(); // raises when the library cannot be loaded
    Look::SetUpWindow(this, "RepairForm", "Paradox Table Verify & Repair Dialog");
    // Closing the window removes the batch's error table.
    (new TCloseGuard(this))->OnClose([] { QFile::remove(TTUtility::ErrorTableFile()); });

    // ---- databases and tables -------------------------------------------------------
    // The backups beside the program are the natural place to borrow a structure from:
    // the session knows them as "Backups" unless an alias of that name names another folder.
    const QString backups = ProgramFolder + QStringLiteral("Backups");
    if (QFileInfo(backups).isDir() && !Aliases::Has(QStringLiteral("Backups")))
        Aliases::SetPath(QStringLiteral("Backups"), backups);
    QStringList databases = Aliases::Names() + Database::Names();
    databases.removeDuplicates();
    databases.sort(Qt::CaseInsensitive);
    SourceDBCombo = new QComboBox(this);
    SourceDBCombo->setObjectName("SourceDBCombo");
    BorrowDBCombo = new QComboBox(this);
    BorrowDBCombo->setObjectName("BorrowDBCombo");
    for (QComboBox* combo : {SourceDBCombo, BorrowDBCombo}) {
        combo->addItems(databases);
        combo->setCurrentIndex(-1);
        combo->setMinimumContentsLength(18);
    }
    BorrowRebuildOnlyCheck = new QCheckBox(
        QStringLiteral("Only Rebuild if a matching table is in the Borrow Structure DB"), this);
    BorrowRebuildOnlyCheck->setObjectName("BorrowRebuildOnlyCheck");
    BorrowRebuildOnlyCheck->setChecked(settings->BorrowRebuildOnly);
    TableList = new QListWidget(this);
    TableList->setObjectName("TableList");
    TableList->setSelectionMode(QAbstractItemView::MultiSelection);
    AllButton = new QPushButton(QStringLiteral("All"), this);
    NoneButton = new QPushButton(QStringLiteral("None"), this);
    MissingList = new QListWidget(this);
    MissingList->setObjectName("MissingList");
    MissingList->setSelectionMode(QAbstractItemView::NoSelection);

    // ---- buttons -------------------------------------------------------------------------
    CloseButton = Look::CloseButton(this);
    VerifyOnlyButton = new QPushButton(QStringLiteral("Verify Only"), this);
    ViewErrorTableButton = new QPushButton(QStringLiteral("View Error Table"), this);
    VerifyRebuildButton = new QPushButton(QStringLiteral("Verify && Rebuild"), this);
    SaveBatchLogButton = new QPushButton(QStringLiteral("Save Batch Log"), this);
    RebuildButton = new QPushButton(QStringLiteral("Rebuild"), this);
    RebuildButton->setVisible(settings->ShowRebuildButton);

    // ---- table information ---------------------------------------------------------------
    RecordsValue = ValueLabel("RecordsValue", this);
    FieldsValue = ValueLabel("FieldsValue", this);
    RecordSizeValue = ValueLabel("RecordSizeValue", this);
    PasswordValue = ValueLabel("PasswordValue", this);
    AuxPasswordsValue = ValueLabel("AuxPasswordsValue", this);
    TableNumberValue = ValueLabel("TableNumberValue", this);
    TableCountValue = ValueLabel("TableCountValue", this);
    for (QLabel* l : {TableNumberValue, TableCountValue})
        Look::FixLabelWidth(l, QStringLiteral("0000"));

    // ---- indicators ----------------------------------------------------------------------
    VerifyingGroup = new QGroupBox(QStringLiteral("Verifying"), this);
    VerifyingGroup->setObjectName("VerifyingGroup");
    auto* pies = new QGridLayout(VerifyingGroup);
    pies->addWidget(PieWithCaption(TableHeaderPie, "Header", "TableHeaderPie", VerifyingGroup), 0,
                    0);
    pies->addWidget(PieWithCaption(TableIndexPie, "Index", "TableIndexPie", VerifyingGroup), 0, 1);
    pies->addWidget(PieWithCaption(TableDataPie, "Data", "TableDataPie", VerifyingGroup), 0, 2);
    pies->addWidget(PieWithCaption(IndexHeaderPie, "Header", "IndexHeaderPie", VerifyingGroup), 1,
                    0);
    pies->addWidget(PieWithCaption(IndexIndexPie, "Index", "IndexIndexPie", VerifyingGroup), 1, 1);
    pies->addWidget(PieWithCaption(IndexDataPie, "Data", "IndexDataPie", VerifyingGroup), 1, 2);
    pies->addWidget(
        PieWithCaption(IndexIntegrityPie, "Integrity", "IndexIntegrityPie", VerifyingGroup), 1, 3);
    SecondaryIndexNumber = ValueLabel("SecondaryIndexNumber", VerifyingGroup);
    SecondaryIndexCount = ValueLabel("SecondaryIndexCount", VerifyingGroup);
    for (QLabel* l : {SecondaryIndexNumber, SecondaryIndexCount})
        Look::FixLabelWidth(l, QStringLiteral("000"));
    auto* indexLine = new QHBoxLayout;
    indexLine->addWidget(new QLabel(QStringLiteral("Secondary Index"), VerifyingGroup));
    indexLine->addWidget(SecondaryIndexNumber);
    indexLine->addWidget(new QLabel(QStringLiteral("of"), VerifyingGroup));
    indexLine->addWidget(SecondaryIndexCount);
    indexLine->addStretch(1);
    pies->addWidget(new QLabel(QStringLiteral("Table"), VerifyingGroup), 0, 3,
                    Qt::AlignLeft | Qt::AlignVCenter);
    pies->addLayout(indexLine, 2, 0, 1, 4);
    RebuildingGroup = new QGroupBox(QStringLiteral("Rebuilding ... "), this);
    RebuildingGroup->setObjectName("RebuildingGroup");
    PackingLabel = new QLabel(RebuildingGroup);
    PackingLabel->setObjectName("PackingLabel");
    Look::LetLayoutSizeLabel(PackingLabel);
    auto* rebuilding = new QHBoxLayout(RebuildingGroup);
    rebuilding->addWidget(
        PieWithCaption(RebuildDataPie, "Data", "RebuildDataPie", RebuildingGroup));
    rebuilding->addWidget(PackingLabel, 1);

    BatchLog = new QListWidget(this);
    BatchLog->setObjectName("BatchLog");

    // ---- layout --------------------------------------------------------------------------
    auto* dbRow = new QHBoxLayout;
    dbRow->addWidget(new QLabel(QStringLiteral("Source DB"), this));
    dbRow->addWidget(SourceDBCombo);
    dbRow->addSpacing(16);
    dbRow->addWidget(new QLabel(QStringLiteral("Borrow Structure DB"), this));
    dbRow->addWidget(BorrowDBCombo);
    dbRow->addStretch(1);
    auto* allNone = new QVBoxLayout;
    allNone->addWidget(AllButton);
    allNone->addWidget(NoneButton);
    allNone->addStretch(1);
    auto* tables = new QGridLayout;
    tables->addWidget(
        new QLabel(QStringLiteral("Select Table(s) to verify and rebuild from this list."), this),
        0, 0, 1, 2);
    tables->addWidget(TableList, 1, 0);
    tables->addLayout(allNone, 1, 1);
    tables->addWidget(
        new QLabel(QStringLiteral("Tables missing from the Borrow Structure DB"), this), 2, 0, 1,
        2);
    tables->addWidget(MissingList, 3, 0);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {CloseButton, VerifyOnlyButton, ViewErrorTableButton, VerifyRebuildButton,
                           SaveBatchLogButton, RebuildButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* info = new QFormLayout;
    info->addRow(QStringLiteral("Number of Records:"), RecordsValue);
    info->addRow(QStringLiteral("Number of Fields:"), FieldsValue);
    info->addRow(QStringLiteral("Record Size (bytes):"), RecordSizeValue);
    info->addRow(QStringLiteral("Password:"), PasswordValue);
    info->addRow(QStringLiteral("# of Aux. Passwords:"), AuxPasswordsValue);
    auto* position = new QHBoxLayout;
    position->addWidget(TableNumberValue);
    position->addWidget(new QLabel(QStringLiteral("of"), this));
    position->addWidget(TableCountValue);
    position->addStretch(1);
    info->addRow(QStringLiteral("Table:"), position);
    auto* progress = new QVBoxLayout;
    progress->addLayout(info);
    progress->addWidget(VerifyingGroup);
    progress->addWidget(RebuildingGroup);
    auto* middle = new QHBoxLayout;
    middle->addLayout(tables, 1);
    middle->addLayout(progress);
    middle->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dbRow);
    layout->addWidget(BorrowRebuildOnlyCheck);
    layout->addLayout(middle, 1);
    layout->addWidget(BatchLog);

    connect(SourceDBCombo, &QComboBox::activated, this, &TRepairForm::SourceDBChange);
    connect(BorrowDBCombo, &QComboBox::activated, this, &TRepairForm::BorrowDBChange);
    connect(TableList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { TableClick(item->text()); });
    // A selection made with the keyboard (Space, Ctrl+A) updates the missing list as well.
    connect(TableList, &QListWidget::itemSelectionChanged, this, &TRepairForm::UpdateMissingList);
    connect(AllButton, &QPushButton::clicked, this, &TRepairForm::AllClick);
    connect(NoneButton, &QPushButton::clicked, this, &TRepairForm::NoneClick);
    connect(VerifyOnlyButton, &QPushButton::clicked, this, &TRepairForm::VerifyOnlyClick);
    connect(VerifyRebuildButton, &QPushButton::clicked, this, &TRepairForm::VerifyRebuildClick);
    connect(RebuildButton, &QPushButton::clicked, this, &TRepairForm::RebuildClick);
    connect(ViewErrorTableButton, &QPushButton::clicked, this, &TRepairForm::ViewErrorTableClick);
    connect(SaveBatchLogButton, &QPushButton::clicked, this, &TRepairForm::SaveBatchLogClick);
    if (settings->CallBackActive)
        m_utility->OnProgress = [this](const TUProgress& p) { OnProgress(p); };

    // What the window opens with.
    if (!settings->SourceDBName.isEmpty()) {
        SourceDBCombo->setCurrentIndex(SourceDBCombo->findText(settings->SourceDBName));
        SourceDBChange();
    }
    if (!settings->BorrowDBName.isEmpty()) {
        BorrowDBCombo->setCurrentIndex(BorrowDBCombo->findText(settings->BorrowDBName));
        BorrowDBChange();
    }
    SelectTables(settings->TableList);
    UpdateMissingList();
    ResetIndicators();
    ClearProperties();
    // A dialog of one size, with room for a long log.
    BatchLog->setMinimumHeight(200);
    setFixedSize(860, std::max(720, sizeHint().height()));
    Look::CentreOnDesktop(this);
}

TRepairForm::~TRepairForm() = default;

// ---- choosing databases and tables ----------------------------------------------------------

void TRepairForm::SourceDBChange() {
    RunAction([this] {
        m_sourceFolder.clear();
        const QString name = SourceDBCombo->currentText();
        if (!name.isEmpty())
            m_sourceFolder = ResolveDataFolder(name);
    });
    LoadTableList();
}

void TRepairForm::BorrowDBChange() {
    RunAction([this] {
        m_borrowFolder.clear();
        const QString name = BorrowDBCombo->currentText();
        if (!name.isEmpty())
            m_borrowFolder = ResolveDataFolder(name);
    });
    LoadTableList();
}

void TRepairForm::LoadTableList() {
    TableList->clear();
    MissingList->clear();
    if (m_sourceFolder.isEmpty())
        return;
    TableList->addItems(
        QDir(m_sourceFolder).entryList({"*.DB"}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

QStringList TRepairForm::SelectedTables() const {
    QStringList tables;
    for (int i = 0; i < TableList->count(); ++i)
        if (TableList->item(i)->isSelected())
            tables << TableList->item(i)->text();
    return tables;
}

void TRepairForm::SelectTables(const QStringList& tables) {
    for (int i = 0; i < TableList->count(); ++i)
        TableList->item(i)->setSelected(
            tables.contains(TableList->item(i)->text(), Qt::CaseInsensitive));
}

void TRepairForm::UpdateMissingList() {
    MissingList->clear();
    for (const QString& table : SelectedTables())
        if (m_borrowFolder.isEmpty() || !QFileInfo(m_borrowFolder + table).isFile())
            MissingList->addItem(table);
}

void TRepairForm::TableClick(const QString& table) {
    UpdateMissingList();
    // The program's table files carry no passwords, so no password is ever asked here.
    try {
        m_utility->SetUpTable(m_sourceFolder, table, m_borrowFolder);
        m_utility->ReadProperties();
        ShowProperties();
    } catch (const EDatabaseError&) {
        ClearProperties();
    }
}

void TRepairForm::AllClick() {
    TableList->selectAll();
    UpdateMissingList();
}

void TRepairForm::NoneClick() {
    LoadTableList();
}

// ---- what the window shows while a batch runs ------------------------------------------------

void TRepairForm::ShowProperties() {
    RecordsValue->setText(QString::number(m_utility->RecordCount));
    FieldsValue->setText(QString::number(m_utility->FieldCount));
    RecordSizeValue->setText(QString::number(m_utility->RecordSize));
    PasswordValue->setText(m_utility->MasterPassword ? QStringLiteral("True")
                                                     : QStringLiteral("False"));
    AuxPasswordsValue->setText(QString::number(m_utility->AuxPasswords));
}

void TRepairForm::ClearProperties() {
    for (QLabel* l : {RecordsValue, FieldsValue, RecordSizeValue, PasswordValue, AuxPasswordsValue,
                      TableNumberValue, TableCountValue})
        l->clear();
}

void TRepairForm::ResetIndicators() {
    for (TPieProgress* pie : {TableHeaderPie, TableIndexPie, TableDataPie, IndexHeaderPie,
                              IndexIndexPie, IndexDataPie, IndexIntegrityPie, RebuildDataPie})
        pie->Reset();
    SecondaryIndexNumber->clear();
    SecondaryIndexCount->clear();
    PackingLabel->clear();
}

void TRepairForm::LightCaption(bool verifying, bool lit) {
    QGroupBox* group = verifying ? VerifyingGroup : RebuildingGroup;
    (verifying ? m_verifyingLit : m_rebuildingLit) = lit;
    group->setStyleSheet(lit ? QStringLiteral("QGroupBox::title { color: red; }") : QString());
    Repaint();
}

void TRepairForm::OnProgress(const TUProgress& p) {
    if (p.kind == TU_PROGRESS_TEXT) {
        PackingLabel->setText(QString::fromUtf8(p.text));
        Repaint();
        return;
    }
    TPieProgress* pie = RebuildDataPie;
    if (p.kind == TU_PROGRESS_VERIFY) {
        TPieProgress* phases[] = {TableHeaderPie, TableIndexPie, TableDataPie,     IndexHeaderPie,
                                  IndexIndexPie,  IndexDataPie,  IndexIntegrityPie};
        if (p.phase < 0 || p.phase > 6)
            return;
        pie = phases[p.phase];
        if (p.phase >= 3 && p.indexCount > 0) {
            const QString number = QString::number(p.indexNumber);
            if (SecondaryIndexNumber->text() != number && p.phase == 3) {
                // Another secondary index: its indicators start again.
                for (TPieProgress* each : {IndexHeaderPie, IndexIndexPie, IndexDataPie})
                    each->Reset();
            }
            SecondaryIndexNumber->setText(number);
            SecondaryIndexCount->setText(QString::number(p.indexCount));
        }
    }
    if (pie->Value() != p.percent) {
        pie->SetValue(p.percent);
        Repaint();
    }
}

void TRepairForm::AddToLog(const QString& line) {
    BatchLog->addItem(line);
    BatchLog->scrollToBottom();
    Repaint();
}

// ---- the batches --------------------------------------------------------------------------

std::unique_ptr<TRepairBatch> TRepairForm::MakeBatch() {
    auto batch = std::make_unique<TRepairBatch>(*m_utility);
    batch->Log = [this](const QString& line) { AddToLog(line); };
    batch->OnCaption = [this](bool verifying, bool lit) { LightCaption(verifying, lit); };
    batch->OnResetIndicators = [this] { ResetIndicators(); };
    batch->OnTable = [this](int n, int m) {
        ShowProperties();
        TableNumberValue->setText(QString::number(n));
        TableCountValue->setText(QString::number(m));
    };
    // The program's own tables on a file let go of it while it is rebuilt.
    auto released = std::make_shared<std::unique_ptr<TSharedTablesReleased>>();
    batch->Release = [released](const QString& path) {
        *released = std::make_unique<TSharedTablesReleased>(DataMod, path);
    };
    batch->Restore = [released](const QString&) { released->reset(); };
    return batch;
}

void TRepairForm::VerifyOnlyClick() {
    const QStringList selected = SelectedTables();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto batch = MakeBatch();
    batch->VerifyOnly(m_sourceFolder, selected, m_borrowFolder);
    SelectTables(selected);
    QApplication::restoreOverrideCursor();
}

void TRepairForm::VerifyRebuildClick() {
    RunRebuildBatch(false);
}

void TRepairForm::RebuildClick() {
    RunRebuildBatch(true);
}

void TRepairForm::RunRebuildBatch(bool alwaysRebuild) {
    if (BorrowRebuildOnlyCheck->isChecked() && m_borrowFolder.isEmpty()) {
        Dialogs::Message(kNeedBorrow, Dialogs::Icon::Error, Dialogs::Ok,
                         QStringLiteral("\"Always Borrow Structure\""));
        BorrowDBCombo->setFocus();
        return;
    }
    const QStringList selected = SelectedTables();
    QStringList tables = selected;
    if (BorrowRebuildOnlyCheck->isChecked()) {
        UpdateMissingList();
        for (int i = 0; i < MissingList->count(); ++i)
            tables.removeAll(MissingList->item(i)->text());
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto batch = MakeBatch();
    batch->VerifyAndRebuild(m_sourceFolder, tables, m_borrowFolder, alwaysRebuild);
    SelectTables(selected);
    QApplication::restoreOverrideCursor();
}

// ---- the error table and the batch log ------------------------------------------------------

void TRepairForm::ViewErrorTableClick() {
    if (!QFileInfo::exists(TTUtility::ErrorTableFile())) {
        Dialogs::Message(kNoErrorTable, Dialogs::Icon::Information, Dialogs::Ok);
        return;
    }
    RunAction([this] {
        PrivateAlias alias;
        Table errors(ErrorTableDef(), QStringLiteral("ErrorTable"));
        errors.DatabaseName = PrivateAlias::Name();
        errors.SetReadOnly(true);
        DataSource source(&errors);
        errors.Open();
        auto* report = new QDialog(this, Look::FixedDialogFlags);
        Look::SetUpWindow(report, "VerifyReport", "Verify Report");
        auto* surround = new QFrame(report);
        surround->setObjectName("ErrorTableSurround");
        surround->setStyleSheet(QStringLiteral("QFrame#ErrorTableSurround { background: red; }"));
        auto* grid = new TDBGrid(surround);
        grid->setObjectName("ErrorGrid");
        grid->AddColumn("TableName", "Table");
        grid->AddColumn("Status", "Status");
        grid->AddColumn("Part", "Part");
        grid->AddColumn("Page", "Page");
        grid->AddColumn("Problem", "Problem");
        Look::SetBrowseGridLook(grid, {.boldCentredTitles = true, .silverRows = false});
        grid->SetDataSource(&source);
        auto* inner = new QVBoxLayout(surround);
        inner->setContentsMargins(4, 4, 4, 4);
        inner->addWidget(grid);
        QPushButton* close = Look::CloseButton(report);
        auto* layout = new QVBoxLayout(report);
        layout->addWidget(surround, 1);
        layout->addWidget(close, 0, Qt::AlignRight);
        report->resize(820, 400);
        Look::CentreOnDesktop(report);
        Dialogs::ShowModal(report);
        delete report;
        errors.Close();
    });
}

void TRepairForm::SaveBatchLogClick() {
    const QString path =
        Dialogs::SaveFileName(QStringLiteral("Create New Batch Table"), ProgramFolder,
                              QStringLiteral("Text Files(*.txt)"), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        Dialogs::Message(QStringLiteral("The batch log could not be written to %1: %2.")
                             .arg(QDir::toNativeSeparators(path), file.errorString()),
                         Dialogs::Icon::Error);
        return;
    }
    QTextStream out(&file);
    for (int i = 0; i < BatchLog->count(); ++i)
        out << BatchLog->item(i)->text() << '\n';
    out.flush();
    file.close();
    if (Dialogs::Message(QStringLiteral("Do you want to clear the message log?"),
                         Dialogs::Icon::Question, Dialogs::Yes | Dialogs::No) == Dialogs::Yes)
        BatchLog->clear();
}
