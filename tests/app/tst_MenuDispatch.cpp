// Running the menu's commands: the password, then the active-record check, then the
// window; the menu reports with ReportKind, the quarter prompt and the roster resets;
// the commands whose windows are not there yet.
#include "AppFixture.h"
#include "engine/Database.h"

namespace {

const QString kActiveRecordText = "There must be an active record in the roster\n"
                                  "before this record can be created.";

int probesCreated = 0;

// A row of the menu table made to open the probe window instead of its own.
TMenuRow RowOpening(const QString& objectName, const QString& target) {
    TMenuRow row = *FindMenuRow(objectName);
    row.target = target;
    return row;
}

} // namespace

class TestMenuDispatch : public QObject {
    Q_OBJECT
    AppFixture fx;
    QWidget* owner = nullptr;
    TReportRunner savedQuarterly;

private slots:
    void initTestCase() {
        RegisterWindow("TProbeWindow", [](QWidget* o) -> QWidget* {
            ++probesCreated;
            return new ProbeWindow(o);
        });
        RegisterWindow("TProbeDialog", [](QWidget* o) -> QWidget* {
            ++probesCreated;
            return new ProbeDialog(o);
        });
        savedQuarterly = ReportRunner(7);
    }
    void cleanupTestCase() {
        UnregisterWindow("TProbeWindow");
        UnregisterWindow("TProbeDialog");
        if (savedQuarterly)
            RegisterReport(7, savedQuarterly);
    }
    void init() {
        fx.Setup();
        probesCreated = 0;
        owner = new QWidget;
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, 3, "Pw3");
        fx.StartWith(record);
    }
    void cleanup() {
        delete owner;
        UnregisterReport(7);
        if (savedQuarterly)
            RegisterReport(7, savedQuarterly);
        fx.Cleanup();
    }

    // Files, "B&aptisms": the level 3 password first, then the active record, then
    // the window; each failed check stops the command.
    void passwordThenActiveRecordThenWindow_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("activeRecord");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QStringList>("shown");
        const QString ask = "query: Enter Password";
        QTest::newRow("password cancelled")
            << false << "" << 7 << int(TMenuOutcome::Refused) << QStringList{ask};
        QTest::newRow("wrong case") << true << "pw3" << 7 << int(TMenuOutcome::Refused)
                                    << QStringList{ask, "message: Sorry, the level 3 password "
                                                        "you entered is incorrect."};
        QTest::newRow("no active record") << true << "Pw3" << 0 << int(TMenuOutcome::NoActiveRecord)
                                          << QStringList{ask, "message: " + kActiveRecordText};
        QTest::newRow("both pass")
            << true << "Pw3" << 7 << int(TMenuOutcome::WindowShown) << QStringList{ask};
    }
    void passwordThenActiveRecordThenWindow() {
        QFETCH(bool, ok);
        QFETCH(QString, answer);
        QFETCH(int, activeRecord);
        QFETCH(int, outcome);
        QFETCH(QStringList, shown);
        ActiveRecordNumber = activeRecord;
        Dialogs::QueueInput(ok, answer);
        const TMenuRow row = RowOpening("EditBAptismData1", "TProbeWindow");
        QCOMPARE(int(RunMenuRow(row, owner)), outcome);
        QCOMPARE(ShownKindsAndTexts(), shown);
        const bool opened = outcome == int(TMenuOutcome::WindowShown);
        QCOMPARE(probesCreated, opened ? 1 : 0);
        QCOMPARE(owner->findChildren<ProbeWindow*>().size(), opened ? 1 : 0);
    }

    // The active-record check alone does not ask for a password; a row without either
    // check opens at once.
    void activeRecordCheckComesOnlyWhereListed() {
        ActiveRecordNumber = 0;
        QCOMPARE(RunMenuRow(RowOpening("EditBirthData1", "TProbeWindow"), owner),
                 TMenuOutcome::Refused); // level 3, no answer queued: cancelled
        QCOMPARE(ShownKindsAndTexts(), QStringList{"query: Enter Password"});
        Dialogs::ClearScript();
        QCOMPARE(RunMenuRow(RowOpening("Roster1", "TProbeWindow"), owner),
                 TMenuOutcome::WindowShown);
        QVERIFY(Dialogs::ShownLog().isEmpty());
    }

    // Each click on a modeless command opens one more window, owned by the owner; the
    // newest is the class's window reference.
    void modelessWindowsOpenOneMoreEachTime() {
        const TMenuRow row = RowOpening("Roster1", "TProbeWindow");
        QCOMPARE(RunMenuRow(row, owner), TMenuOutcome::WindowShown);
        QWidget* first = LatestWindow("TProbeWindow");
        QCOMPARE(RunMenuRow(row, owner), TMenuOutcome::WindowShown);
        QWidget* second = LatestWindow("TProbeWindow");
        QVERIFY(first && second && first != second);
        QVERIFY(first->isVisible() && second->isVisible());
        QVERIFY(second->isWindow());
        QCOMPARE(second->parentWidget(), owner);
        second->close(); // frees itself
        QTRY_COMPARE(LatestWindow("TProbeWindow"), nullptr);
        QCOMPARE(owner->findChildren<ProbeWindow*>().size(), 1);
    }

    // A modal command waits for its window through the dialogs facade; the window is
    // gone afterwards.
    void modalWindowIsShownThroughTheFacadeAndFreed() {
        QPointer<QDialog> seen;
        Dialogs::QueueModal([&](QDialog* dialog) {
            seen = dialog;
            return int(QDialog::Accepted);
        });
        QCOMPARE(RunMenuRow(RowOpening("UshersData1", "TProbeDialog"), owner),
                 TMenuOutcome::WindowShown);
        QCOMPARE(ShownKindsAndTexts(), QStringList{"modal: ProbeDialog"});
        QCOMPARE(probesCreated, 1);
        QTRY_VERIFY(seen.isNull());
    }

    // Every command whose window or report is not there yet says so, asks nothing and
    // opens nothing.
    void missingWindowsSayNotAvailable_data() {
        QTest::addColumn<QString>("object");
        for (const TMenuRow& row : MainMenuTable()) {
            if (row.kind == TMenuItemKind::Window && !IsWindowRegistered(row.target))
                QTest::newRow(qPrintable(row.objectName)) << row.objectName;
            if (row.kind == TMenuItemKind::Report && !IsReportRegistered(row.reportKind))
                QTest::newRow(qPrintable(row.objectName)) << row.objectName;
        }
        // Always at least one: a row of its own whose window does not exist.
        QTest::newRow("unknown window") << QString();
    }
    void missingWindowsSayNotAvailable() {
        QFETCH(QString, object);
        TMenuRow row =
            object.isEmpty() ? RowOpening("EditMembers1", "TNoSuchForm") : *FindMenuRow(object);
        QCOMPARE(RunMenuRow(row, owner), TMenuOutcome::NotAvailable);
        QCOMPARE(ShownKindsAndTexts(),
                 QStringList{"message: This part of Vestrix is not available yet."});
        QCOMPARE(ReportKind, 0);
        QVERIFY(owner->findChildren<QWidget*>().isEmpty());
    }

    // The quarterly pledge summary: the first character of the answer is the quarter.
    void quarterPrompt_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("reported");
        QTest::addColumn<QString>("quarter");
        QTest::addColumn<QString>("error");
        QTest::newRow("default 0") << true << "0" << false << "0"
                                   << "";
        QTest::newRow("5") << true << "5" << false << "5"
                           << "";
        QTest::newRow("cancelled") << false << "" << false << "0"
                                   << "";
        QTest::newRow("3rd") << true << "3rd" << true << "3"
                             << "";
        QTest::newRow("1") << true << "1" << true << "1"
                           << "";
        QTest::newRow("4") << true << "4" << true << "4"
                           << "";
        QTest::newRow("empty") << true << "" << false << ""
                               << "'' is not a valid integer value";
        QTest::newRow("letter") << true << "x2" << false << "x"
                                << "'x' is not a valid integer value";
        QTest::newRow("blank") << true << " 2" << false << " "
                               << "' ' is not a valid integer value";
    }
    void quarterPrompt() {
        QFETCH(bool, ok);
        QFETCH(QString, answer);
        QFETCH(bool, reported);
        QFETCH(QString, quarter);
        QFETCH(QString, error);
        int runs = 0;
        int kindSeen = 0;
        QString quarterSeen;
        RegisterReport(7, [&](QWidget* reportOwner) {
            QCOMPARE(reportOwner, owner);
            ++runs;
            kindSeen = ReportKind;
            quarterSeen = ReportQuarter;
        });
        Dialogs::QueueInput(ok, answer);
        const TMenuOutcome outcome =
            RunMenuRow(*FindMenuRow("StewardshipQuarterlyStatement1"), owner);
        QCOMPARE(outcome, reported ? TMenuOutcome::ReportShown : TMenuOutcome::NoReport);
        QCOMPARE(runs, reported ? 1 : 0);
        QCOMPARE(ReportKind, 7);
        QCOMPARE(ReportQuarter, quarter);
        if (reported) {
            QCOMPARE(kindSeen, 7);
            QCOMPARE(quarterSeen, quarter);
        }
        QCOMPARE(Dialogs::ShownLog().first().kind, QString("query"));
        QCOMPARE(Dialogs::ShownLog().first().caption, QString("Report Period"));
        QCOMPARE(Dialogs::ShownLog().first().text, QString("Which quarter (1-4)?"));
        QStringList expected{"query: Which quarter (1-4)?"};
        if (!error.isEmpty())
            expected << "error: " + error;
        QCOMPARE(ShownKindsAndTexts(), expected);
    }

    // The password of a report comes before ReportKind changes and before the prompt.
    void reportPasswordComesFirst() {
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, 1, "Money");
        fx.StartWith(record);
        int runs = 0;
        RegisterReport(7, [&](QWidget*) { ++runs; });
        Dialogs::QueueInput(true, "money");
        QCOMPARE(RunMenuRow(*FindMenuRow("StewardshipQuarterlyStatement1"), owner),
                 TMenuOutcome::Refused);
        QCOMPARE(ReportKind, 0);
        QCOMPARE(runs, 0);
        QCOMPARE(ShownKindsAndTexts(),
                 (QStringList{"query: Enter Password",
                              "message: Sorry, the level 1 password you entered is incorrect."}));
    }
};

// The roster as the menu reports leave it for the other windows.
class TestReportRosterResets : public QObject {
    Q_OBJECT
    AppFixture fx;
    std::unique_ptr<TDataMod> data;
    QMap<int, TReportRunner> saved;

private slots:
    void initTestCase() {
        for (int kind = 1; kind <= 7; ++kind)
            saved.insert(kind, ReportRunner(kind));
    }
    void cleanupTestCase() {
        for (int kind = 1; kind <= 7; ++kind) {
            UnregisterReport(kind);
            if (saved.value(kind))
                RegisterReport(kind, saved.value(kind));
        }
    }
    void init() {
        fx.Setup();
        fx.CreateData();
        Aliases::SetPath("Vestrix2", fx.DataFolder());
        fx.StartWith(FreshAccessRecord());
        data = std::make_unique<TDataMod>();
        data->OpenDataSets();
    }
    void cleanup() {
        data.reset();
        fx.Cleanup();
    }

    void resetsAfterReports_data() {
        QTest::addColumn<QString>("object");
        QTest::addColumn<bool>("orderReset");
        QTest::addColumn<bool>("linkRemoved");
        QTest::newRow("1 name, address") << "RosterNameandAddress1" << true << false;
        QTest::newRow("2 name, address, phone") << "RosterNameAddressPhone1" << true << false;
        QTest::newRow("3 phone list") << "RosterPhoneList1" << true << false;
        QTest::newRow("4 envelopes") << "EnvelopeAssignments1" << false << true;
        QTest::newRow("5 envelopes, pledge") << "EnvelopeAssignmentswithPledge1" << false << true;
        QTest::newRow("6 music library") << "MusicLibrary2" << false << false;
        QTest::newRow("7 quarterly") << "StewardshipQuarterlyStatement1" << false << false;
    }
    void resetsAfterReports() {
        QFETCH(QString, object);
        QFETCH(bool, orderReset);
        QFETCH(bool, linkRemoved);
        const TMenuRow& row = *FindMenuRow(object);
        Table* roster = data->RosterT;
        // What a roster window and the report itself may have left set.
        RegisterReport(row.reportKind, [roster](QWidget*) {
            roster->SetIndexName("RLN");
            roster->SetMasterSource(DataMod->EnvelopeS);
            roster->SetMasterFields("RecordNumber");
        });
        Dialogs::QueueInput(true, "2");
        QCOMPARE(RunMenuRow(row, nullptr), TMenuOutcome::ReportShown);
        QCOMPARE(ReportKind, row.reportKind);
        QCOMPARE(roster->IndexFieldNames(), orderReset ? QString("RecordNumber") : QString());
        QCOMPARE(roster->IndexName(), orderReset ? QString() : QString("RLN"));
        QCOMPARE(roster->MasterSource(), linkRemoved ? nullptr : data->EnvelopeS);
        QCOMPARE(roster->MasterFields(), linkRemoved ? QString() : QString("RecordNumber"));
    }

    // A report that fails half way still leaves the roster in record-number order.
    void failedReportStillResets() {
        RegisterReport(3, [](QWidget*) {
            DataMod->RosterT->SetIndexName("RLN");
            throw EDatabaseError("Printer not ready");
        });
        QVERIFY_THROWS_EXCEPTION(EDatabaseError,
                                 RunMenuRow(*FindMenuRow("RosterPhoneList1"), nullptr));
        QCOMPARE(data->RosterT->IndexFieldNames(), QString("RecordNumber"));
    }
};

VTX_REGISTER_TEST(TestMenuDispatch)
VTX_REGISTER_TEST(TestReportRosterResets)
#include "tst_MenuDispatch.moc"
