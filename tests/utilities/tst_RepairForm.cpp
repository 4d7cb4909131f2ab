// The table verify and repair window: the database and table lists, the missing list, the
// properties, the batches as the window runs them, the error table, the batch log, and the
// menu command (with and without the library).
#include "UtilitiesFixture.h"
#include "app/vtxMenuTable.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxPieProgress.h"
#include "utilities/TUtility.h"
#include "utilities/vtxRepairF.h"
#include "utilities/vtxRepairU.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace TableFiles;
using namespace RepairLog;

namespace {

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

void Choose(QComboBox* combo, const QString& name) {
    const int index = combo->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void ClickTable(TRepairForm* form, const QString& table) {
    QListWidgetItem* item = form->TableList->findItems(table, Qt::MatchExactly).first();
    const QRect where = form->TableList->visualItemRect(item);
    QTest::mouseClick(form->TableList->viewport(), Qt::LeftButton, {}, where.center());
}

} // namespace

class RepairFormTest : public QObject {
    Q_OBJECT

    UtilitiesFixture fx;
    TempFolder m_private;

    TRepairForm* OpenOnData() {
        auto* form = new TRepairForm;
        Choose(form->SourceDBCombo, VTX2AliasName);
        return form;
    }

private slots:
    void initTestCase() { TTUtility::SetPrivateFolder(m_private.path()); }
    void init() { fx.Open(); }
    void cleanup() {
        fx.Close();
        QFile::remove(TTUtility::ErrorTableFile());
    }

    void theWindowOpensWithNothingChosen() {
        auto* form = new TRepairForm;
        QCOMPARE(form->windowTitle(), "Paradox Table Verify & Repair Dialog");
        for (QComboBox* combo : {form->SourceDBCombo, form->BorrowDBCombo}) {
            QCOMPARE(combo->currentIndex(), -1);
            const QStringList names = [&] {
                QStringList n;
                for (int i = 0; i < combo->count(); ++i)
                    n << combo->itemText(i);
                return n;
            }();
            QVERIFY(names.indexOf("Vestrix2") >= 0);
            QVERIFY(names.indexOf("Vestrix2") < names.indexOf("VTX2Database"));
        }
        QCOMPARE(form->TableList->count(), 0);
        QVERIFY(!form->BorrowRebuildOnlyCheck->isChecked());
        QVERIFY(form->RebuildButton->isHidden());
        QCOMPARE(form->VerifyRebuildButton->text(), "Verify && Rebuild");
    }

    void theBackupsBesideTheProgramMayLendTheirStructure() {
        QDir().mkpath(fx.ProgramFolderPath() + "Backups");
        WriteAt(fx.DataFolder() + "vtxRosterT.DB", 0, QByteArray(100, '\0'));
        QFile::copy(UtilitiesFixture::Filled() + "vtxRosterT.DB",
                    fx.ProgramFolderPath() + "Backups/vtxRosterT.DB");
        TRepairForm* form = OpenOnData();
        Choose(form->BorrowDBCombo, "Backups");
        QCOMPARE(form->BorrowFolder(), fx.ProgramFolderPath() + "Backups/");
        form->show();
        ClickTable(form, "vtxRosterT.DB");
        form->VerifyRebuildClick();
        QCOMPARE(Items(form->BatchLog).last(), RebuildCompleted);
        QCOMPARE(ReadRows(fx.DataFolder() + "vtxRosterT.DB", "vtxRosterT").size(), 40);
        Aliases::Remove("Backups");
    }

    void aSourceDatabaseListsItsTables() {
        TableFiles::WriteAt(fx.DataFolder() + "notes.txt", 0, "not a table");
        TRepairForm* form = OpenOnData();
        QStringList expected = QDir(fx.DataFolder()).entryList({"*.db"}, QDir::Files);
        std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(Items(form->TableList), expected);
        QVERIFY(expected.contains("vtxRosterT.DB") && expected.contains("vtxBirthT.db"));
        QVERIFY(form->SelectedTables().isEmpty());
        QCOMPARE(form->SourceFolder(), fx.DataFolder());
    }

    void clickingATableShowsItsPropertiesAndWhatIsMissing() {
        const QString borrow = fx.ProgramFolderPath() + "Borrow/";
        QDir().mkpath(borrow);
        QFile::copy(fx.DataFolder() + "vtxBirthT.db", borrow + "vtxBirthT.db");
        Aliases::SetPath("ParishBorrow", borrow);
        TRepairForm* form = OpenOnData();
        Choose(form->BorrowDBCombo, "ParishBorrow");
        form->show();
        ClickTable(form, "vtxRosterT.DB");
        ClickTable(form, "vtxBirthT.db");
        QCOMPARE(form->SelectedTables(), QStringList({"vtxBirthT.db", "vtxRosterT.DB"}));
        QCOMPARE(Items(form->MissingList), QStringList({"vtxRosterT.DB"}));
        QCOMPARE(form->RecordsValue->text(), "12"); // the table clicked last
        QCOMPARE(form->FieldsValue->text(), "15");
        QCOMPARE(form->PasswordValue->text(), "False");
        QCOMPARE(form->AuxPasswordsValue->text(), "0");
        // Selected with the keyboard: the missing list follows too.
        form->TableList->setFocus();
        QTest::keyClick(form->TableList, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(form->MissingList->count(), form->TableList->count() - 1);
        Aliases::Remove("ParishBorrow");
    }

    void verifyOnlyLogsEachTable() {
        TRepairForm* form = OpenOnData();
        form->show();
        for (const char* t : {"vtxBirthT.db", "vtxMemoT.db", "vtxRosterT.DB"})
            ClickTable(form, t);
        QTest::mouseClick(form->VerifyOnlyButton, Qt::LeftButton);
        QCOMPARE(Items(form->BatchLog),
                 QStringList(
                     {StartVerifyOnly, "Verifying Table           :vtxBirthT.db",
                      "Verifying Status          : 0", "Verifying Table           :vtxMemoT.db",
                      "Verifying Status          : 0", "Verifying Table           :vtxRosterT.DB",
                      "Verifying Status          : 0", VerifyOnlyComplete}));
        QCOMPARE(form->TableNumberValue->text(), "3");
        QCOMPARE(form->TableCountValue->text(), "3");
        QCOMPARE(form->SelectedTables(),
                 QStringList({"vtxBirthT.db", "vtxMemoT.db", "vtxRosterT.DB"}));
        for (const TPieProgress* pie : form->findChildren<TPieProgress*>())
            QCOMPARE(pie->Value(), 0); // reset after each table
        QVERIFY(!form->VerifyingLit());
    }

    void verifyAndRebuildOfASoundTableChangesNothing() {
        const QByteArray before = FileBytes(fx.DataFolder() + "vtxBirthT.db");
        TRepairForm* form = OpenOnData();
        form->show();
        ClickTable(form, "vtxBirthT.db");
        QTest::mouseClick(form->VerifyRebuildButton, Qt::LeftButton);
        QCOMPARE(Items(form->BatchLog).last(), NoRebuildRequired);
        QCOMPARE(FileBytes(fx.DataFolder() + "vtxBirthT.db"), before);
        // That run deletes the error table: there is none to view.
        QTest::mouseClick(form->ViewErrorTableButton, Qt::LeftButton);
        QCOMPARE(fx.Shown(), QStringList({"message: No error table exists."}));
        QCOMPARE(Dialogs::ShownLog().last().icon, Dialogs::Icon::Information);
    }

    void theBorrowBoxWithoutABorrowDatabaseOnlyAsks() {
        TRepairForm* form = OpenOnData();
        QVERIFY(ShowActive(form));
        ClickTable(form, "vtxBirthT.db");
        form->BorrowRebuildOnlyCheck->setChecked(true);
        QTest::mouseClick(form->VerifyRebuildButton, Qt::LeftButton);
        const QList<Dialogs::Shown>& shown = Dialogs::ShownLog();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, "You must select an Database Alias to borrow the structure from.");
        QCOMPARE(shown[0].caption, "\"Always Borrow Structure\"");
        QCOMPARE(shown[0].icon, Dialogs::Icon::Error);
        QCOMPARE(QApplication::focusWidget(), form->BorrowDBCombo);
        QCOMPARE(form->BatchLog->count(), 0);
    }

    void theBorrowBoxSkipsTablesMissingThere() {
        const QString borrow = fx.ProgramFolderPath() + "Borrow/";
        QDir().mkpath(borrow);
        QFile::copy(fx.DataFolder() + "vtxBirthT.db", borrow + "vtxBirthT.db");
        Aliases::SetPath("ParishBorrow", borrow);
        TRepairForm* form = OpenOnData();
        Choose(form->BorrowDBCombo, "ParishBorrow");
        form->show();
        ClickTable(form, "vtxBirthT.db");
        ClickTable(form, "vtxRosterT.DB");
        form->BorrowRebuildOnlyCheck->setChecked(true);
        QTest::mouseClick(form->VerifyRebuildButton, Qt::LeftButton);
        QCOMPARE(Items(form->BatchLog).first(), "Verifying Table           :vtxBirthT.db");
        QVERIFY(!Items(form->BatchLog).join('\n').contains("vtxRosterT.DB"));
        Aliases::Remove("ParishBorrow");
    }

    void aDamagedTableIsRebuiltWhileTheProgramHoldsItOpen() {
        DataMod->RosterT->Locate("RecordNumber", {17});
        Exec(fx.DataFolder() + "vtxRosterT.DB", "DROP INDEX RLN");
        TRepairForm* form = OpenOnData();
        form->show();
        ClickTable(form, "vtxRosterT.DB");
        QTest::mouseClick(form->VerifyRebuildButton, Qt::LeftButton);
        const QStringList log = Items(form->BatchLog);
        QCOMPARE(log.mid(0, 4),
                 QStringList({"Verifying Table           :vtxRosterT.DB",
                              "Verifying Status          : 1",
                              "Rebuilding Table          : vtxRosterT.DB (status 1, from its "
                              "own structure)",
                              RebuildingTable}));
        QCOMPARE(log.last(), RebuildCompleted);
        QCOMPARE(form->PackingLabel->text(), QString()); // reset with the indicators
        QVERIFY(DataMod->RosterT->Active());
        QCOMPARE(DataMod->RosterT->FieldByName("RecordNumber")->AsInteger(), 17);
        DataMod->RosterT->SetIndexName("RLN"); // the index is there again
        QCOMPARE(DataMod->RosterT->RecordCount(), 40);
    }

    void theErrorTableOfAVerifyIsShown() {
        OverwritePage(
            fx.DataFolder() + "vtxEnvelopeOfferingT.db",
            PagesOf(fx.DataFolder() + "vtxEnvelopeOfferingT.db", "EOEnvNum", "leaf").first());
        TRepairForm* form = OpenOnData();
        form->show();
        ClickTable(form, "vtxEnvelopeOfferingT.db");
        form->VerifyOnlyClick();
        QCOMPARE(Items(form->BatchLog).at(2), "Verifying Status          : 1");
        int rows = -1;
        QString caption;
        Dialogs::QueueModal([&](QDialog* report) {
            caption = report->windowTitle();
            rows = report->findChild<TDBGrid*>("ErrorGrid")->model()->rowCount();
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(form->ViewErrorTableButton, Qt::LeftButton);
        QCOMPARE(caption, "Verify Report");
        QVERIFY(rows > 0);
        // Closing the window removes the error table.
        QVERIFY(QFile::exists(TTUtility::ErrorTableFile()));
        form->close();
        QVERIFY(!QFile::exists(TTUtility::ErrorTableFile()));
    }

    void theBatchLogIsSavedAndMayBeCleared() {
        TRepairForm* form = OpenOnData();
        form->show();
        ClickTable(form, "vtxMemoT.db");
        form->VerifyOnlyClick();
        const QStringList log = Items(form->BatchLog);
        const QString saved = fx.ProgramFolderPath() + "Batch log";
        Dialogs::QueueFile(saved);
        Dialogs::QueueButton(Dialogs::No);
        QTest::mouseClick(form->SaveBatchLogButton, Qt::LeftButton);
        QCOMPARE(QString::fromUtf8(FileBytes(saved + ".txt")), log.join('\n') + '\n');
        QCOMPARE(Dialogs::ShownLog()[0].caption, "Create New Batch Table");
        QCOMPARE(Dialogs::ShownLog()[1].text, "Do you want to clear the message log?");
        QCOMPARE(form->BatchLog->count(), log.size());
        Dialogs::QueueFile(saved + ".txt");
        Dialogs::QueueButton(Dialogs::Yes);
        form->SaveBatchLogClick();
        QCOMPARE(form->BatchLog->count(), 0);
    }

    void theMenuOpensItOrNamesTheMissingLibrary() {
        QString caption;
        Dialogs::QueueModal([&](QDialog* dialog) {
            caption = dialog->windowTitle();
            return int(QDialog::Rejected);
        });
        QCOMPARE(RunMenuRow(*FindMenuRow("DatabaseMaintenance1"), nullptr),
                 TMenuOutcome::WindowShown);
        QCOMPARE(caption, "Paradox Table Verify & Repair Dialog");

        Dialogs::ClearScript();
        TTUtility::SetLibraryFile(fx.ProgramFolderPath() + TTUtility::LibraryFileName());
        QCOMPARE(RunMenuRow(*FindMenuRow("DatabaseMaintenance1"), nullptr), TMenuOutcome::NotRun);
        TTUtility::SetLibraryFile({});
        QCOMPARE(fx.Shown(),
                 QStringList({"error: Unable to Load " + TTUtility::LibraryFileName()}));
    }
};

VTX_REGISTER_TEST(RepairFormTest)
#include "tst_RepairForm.moc"
