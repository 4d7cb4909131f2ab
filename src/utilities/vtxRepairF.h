#pragma once
// The table verify and repair window, "Paradox Table Verify & Repair Dialog".
//
// The user chooses the database whose tables to check ("Source DB") and, where a table's
// own structure is damaged, a database holding sound tables of the same names to borrow
// the structure from ("Borrow Structure DB"); selects tables in the list; and runs "Verify
// Only" or "Verify && Rebuild". The table utility library does the work (TTUtility); the
// window shows the current table's properties and position in the batch, seven pie-chart
// indicators of the verification and one of the rebuild, and appends every message of the
// run to the batch log, which "Save Batch Log" writes to a text file. "View Error Table"
// shows what the last Verify Only found. The program's own tables on a file being rebuilt
// are closed for the rebuild and opened again after it. The "Backups" folder beside the
// program, where the Data Backup window puts its copies, is offered as the database
// "Backups" (unless an alias of that name exists).
//
// Creating the window loads the library: without it the creation fails with "Unable to
// Load " and the library's file name (ETUtilityLoadError).

#include <QDialog>
#include <QString>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class TPieProgress;
class TRepairBatch;
class TRepairDialog;
class TTUtility;
struct TUProgress;

class TRepairForm : public QDialog {
    Q_OBJECT
public:
    // settings: how the window opens (null: the defaults of TRepairDialog).
    explicit TRepairForm(QWidget* owner = nullptr, const TRepairDialog* settings = nullptr);
    ~TRepairForm() override;

    QComboBox* SourceDBCombo;
    QComboBox* BorrowDBCombo;
    QCheckBox* BorrowRebuildOnlyCheck;
    QListWidget* TableList;
    QPushButton* AllButton;
    QPushButton* NoneButton;
    QListWidget* MissingList;
    QPushButton* CloseButton;
    QPushButton* VerifyOnlyButton;
    QPushButton* ViewErrorTableButton;
    QPushButton* VerifyRebuildButton;
    QPushButton* SaveBatchLogButton;
    QPushButton* RebuildButton; // hidden
    QLabel* RecordsValue;
    QLabel* FieldsValue;
    QLabel* RecordSizeValue;
    QLabel* PasswordValue;
    QLabel* AuxPasswordsValue;
    QLabel* TableNumberValue;
    QLabel* TableCountValue;
    QGroupBox* VerifyingGroup;
    TPieProgress* TableHeaderPie;
    TPieProgress* TableIndexPie;
    TPieProgress* TableDataPie;
    TPieProgress* IndexHeaderPie;
    TPieProgress* IndexIndexPie;
    TPieProgress* IndexDataPie;
    TPieProgress* IndexIntegrityPie;
    QLabel* SecondaryIndexNumber;
    QLabel* SecondaryIndexCount;
    QGroupBox* RebuildingGroup;
    TPieProgress* RebuildDataPie;
    QLabel* PackingLabel;
    QListWidget* BatchLog;

    // The folders of the chosen databases (empty while none is chosen).
    QString SourceFolder() const { return m_sourceFolder; }
    QString BorrowFolder() const { return m_borrowFolder; }
    // The selected tables, in list order.
    QStringList SelectedTables() const;
    // Whether the "Verifying" or the "Rebuilding ... " caption is lit (red) now.
    bool VerifyingLit() const { return m_verifyingLit; }
    bool RebuildingLit() const { return m_rebuildingLit; }

    void SourceDBChange();
    void BorrowDBChange();
    void TableClick(const QString& table);
    void AllClick();
    void NoneClick();
    void VerifyOnlyClick();
    void VerifyRebuildClick();
    void RebuildClick();
    void ViewErrorTableClick();
    void SaveBatchLogClick();

private:
    void LoadTableList();
    void UpdateMissingList();
    void ShowProperties();
    void ClearProperties();
    void ResetIndicators();
    void LightCaption(bool verifying, bool lit);
    void OnProgress(const TUProgress& progress);
    void AddToLog(const QString& line);
    void RunRebuildBatch(bool alwaysRebuild);
    void SelectTables(const QStringList& tables);
    std::unique_ptr<TRepairBatch> MakeBatch();

    std::unique_ptr<TTUtility> m_utility;
    QString m_sourceFolder;
    QString m_borrowFolder;
    bool m_verifyingLit = false;
    bool m_rebuildingLit = false;
};
