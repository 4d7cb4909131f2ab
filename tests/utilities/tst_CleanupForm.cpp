// The Database Cleanup window: the question of each click, Yes running the cleanup for every
// ticked box, the messages, and the windows that show the emptied tables.
#include "UtilitiesFixture.h"
#include "app/vtxMenuTable.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxWindowRegistry.h"
#include "utilities/vtxDBCleanupF.h"

#include <QCheckBox>
#include <QLabel>

class CleanupFormTest : public QObject {
    Q_OBJECT

    UtilitiesFixture fx;

    static QCheckBox* Box(TDBCleanupForm* form, const QString& name) {
        return form->findChild<QCheckBox*>(name);
    }
    static void Click(QCheckBox* box, int answer) {
        Dialogs::QueueButton(answer);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }

private slots:
    void init() { fx.Open(); }
    void cleanup() { fx.Close(); }

    void theWindowShowsThirteenClearBoxes() {
        auto* form = new TDBCleanupForm;
        QCOMPARE(form->windowTitle(), "Database Cleanup");
        QCOMPARE(form->CategoryBoxes.size(), 13);
        QCOMPARE(form->CategoryBoxes.first()->objectName(), "RosterCheckBox");
        QCOMPARE(form->CategoryBoxes.last()->text(), "Worship Service Records");
        for (const QCheckBox* box : form->CategoryBoxes) {
            QVERIFY(!box->isChecked());
            QVERIFY(box->font().bold());
        }
        QStringList lines;
        for (const QLabel* label : form->findChildren<QLabel*>())
            lines << label->text();
        QVERIFY(lines.contains("CAUTION!  Before deleting data from the database be sure you "
                               "have saved copies"));
        QVERIFY(lines.contains("To empty all records in a category, check the box to the left "
                               "of the description."));
    }

    void tickingBirthAndAnsweringYesEmptiesIt() {
        auto* form = new TDBCleanupForm;
        QVERIFY(ShowActive(form));
        Click(Box(form, "BirthCheckBox"), Dialogs::Yes);
        QCOMPARE(fx.Shown(), QStringList({"message: Birth records will be deleted.\n"
                                          "              All done?",
                                          "message: Birth data deleted.",
                                          "message: All requested deletions have been "
                                          "completed."}));
        QCOMPARE(Dialogs::ShownLog().first().icon, Dialogs::Icon::Question);
        QCOMPARE(DataMod->BirthT->StoredRowCount(), 0);
        QCOMPARE(DataMod->BaptismT->StoredRowCount(), 15);
        QVERIFY(Box(form, "BirthCheckBox")->isChecked()); // it stays ticked
    }

    void noThenYesEmptiesBoth() {
        OptionsRecord.ConfirmCritical = false;
        auto* form = new TDBCleanupForm;
        QVERIFY(ShowActive(form));
        Click(Box(form, "BirthCheckBox"), Dialogs::No);
        QCOMPARE(DataMod->BirthT->StoredRowCount(), 12);
        Click(Box(form, "BaptismCheckBox"), Dialogs::Yes);
        QCOMPARE(DataMod->BirthT->StoredRowCount(), 0);
        QCOMPARE(DataMod->BaptismT->StoredRowCount(), 0);
        QCOMPARE(Dialogs::ShownTexts().last(), "All requested deletions have been completed.");
    }

    void clearingTheOnlyBoxAndAnsweringYesDeletesNothing() {
        auto* form = new TDBCleanupForm;
        QVERIFY(ShowActive(form));
        Click(Box(form, "MarriageCheckBox"), Dialogs::No);
        Click(Box(form, "MarriageCheckBox"), Dialogs::Yes);
        QCOMPARE(fx.Shown().mid(1),
                 QStringList({"message: Marriage data deletion cancelled.\n"
                              "              All done?",
                              "message: No deletions requested.  No changes to the database."}));
        QCOMPARE(DataMod->MarriageT->StoredRowCount(), 6);
    }

    void marriageEmptiesTheWeddingPlanningToo() {
        OptionsRecord.ConfirmCritical = false;
        auto* form = new TDBCleanupForm;
        QVERIFY(ShowActive(form));
        Click(Box(form, "MarriageCheckBox"), Dialogs::Yes);
        for (Table* t :
             {DataMod->MarriageT, DataMod->WedFamilyT, DataMod->WedPartyT, DataMod->WedLogisticsT})
            QCOMPARE(t->StoredRowCount(), 0);
        QCOMPARE(DataMod->RosterT->StoredRowCount(), 40);
    }

    void theRosterLeavesTheMembersRecordsAndShowsNoRows() {
        OptionsRecord.ConfirmCritical = false;
        QWidget* view = ShowRegisteredWindow("TRosterViewForm", nullptr);
        auto* grid = view->findChild<TDBGrid*>();
        QCOMPARE(grid->model()->rowCount(), 40);
        auto* form = new TDBCleanupForm;
        QVERIFY(ShowActive(form));
        Click(Box(form, "RosterCheckBox"), Dialogs::Yes);
        QCOMPARE(DataMod->RosterT->RecordCount(), 0);
        QCOMPARE(DataMod->MemoT->StoredRowCount(), 0);
        QCOMPARE(DataMod->BaptismT->StoredRowCount(), 15);
        QCOMPARE(DataMod->EnvelopeOfferingT->StoredRowCount(), 60);
        QCOMPARE(ActiveRecordNumber, 0);
        QCOMPARE(grid->model()->rowCount(), 0); // the View Roster window shows no rows
    }

    void aFailureIsToldWithTheErrorIcon() {
        OptionsRecord.ConfirmCritical = false;
        const QString file = fx.DataFolder() + "vtxBirthT.db";
        QFile::remove(file);
        TableFiles::WriteAt(file, 0, QByteArray(4096, 'x'));
        auto* form = new TDBCleanupForm;
        QVERIFY(ShowActive(form));
        Click(Box(form, "BirthCheckBox"), Dialogs::Yes);
        QCOMPARE(Dialogs::ShownLog().last().text,
                 "There was an error emptying a table.  Check the Help info.");
        QCOMPARE(Dialogs::ShownLog().last().icon, Dialogs::Icon::Error);
    }

    void theMenuOpensItModal() {
        QString caption;
        Dialogs::QueueModal([&](QDialog* dialog) {
            caption = dialog->windowTitle();
            return int(QDialog::Rejected);
        });
        QCOMPARE(RunMenuRow(*FindMenuRow("DatabaseCleanup1"), nullptr), TMenuOutcome::WindowShown);
        QCOMPARE(caption, "Database Cleanup");
    }
};

VTX_REGISTER_TEST(CleanupFormTest)
#include "tst_CleanupForm.moc"
