// The Marriage Records view window and the Marriage entry window: sorting by title, the
// password of the counseling button, the "Use Active Record" buttons, the married-name
// reminder, the link set again on close and the wedding planning windows they open.

#include "RecordsFixture.h"
#include "app/vtxMenuTable.h"
#include "records/vtxCounselingScheduleF.h"
#include "records/vtxLogisticsF.h"
#include "records/vtxMarriageEditF.h"
#include "records/vtxMarriageViewF.h"
#include "records/vtxWedFamilyF.h"
#include "records/vtxWedPartyF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"

#include <QPushButton>
#include <QRadioButton>

namespace {

const QList<RecordsPerson> People = {
    {1, "Lund", "Erik", "Carl"},
    {2, "Berg", "Anna"},
    {3, "Dahl", "Olaf"},
};

const QList<StoredRow> Marriages = {
    Marriage(1, "Erik", "Lund", "Anna", "Berg"),
    Marriage(2, "Per", "Holm", "Anna", "Berg"),
    Appointment(1, "First talk", QDate(2015, 3, 1)),
};

QStringList Kinds() {
    QStringList kinds;
    for (const Dialogs::Shown& s : Dialogs::ShownLog())
        kinds << s.kind + ": " + s.text;
    return kinds;
}

} // namespace

class TestMarriageWindows : public QObject {
    Q_OBJECT
    RecordsFixture fx;

    TMarriageViewForm* OpenView() {
        auto* view = new TMarriageViewForm;
        ShowActive(view);
        return view;
    }
    TEditMarriageForm* OpenEntry() {
        auto* entry = new TEditMarriageForm;
        ShowActive(entry);
        return entry;
    }

private slots:
    void init() { fx.Open(People, Marriages); }
    void cleanup() { fx.Close(); }

    void viewTitlesSortByTheMarriageIndexes_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("index");
        QTest::newRow("groom first") << "Groom First Name"
                                     << "MGN";
        QTest::newRow("groom middle") << "Groom Middle Name"
                                      << "MGN";
        QTest::newRow("groom last") << "Groom Last Name"
                                    << "MGN";
        QTest::newRow("bride first") << "Bride First Name"
                                     << "MBN";
        QTest::newRow("bride last") << "Bride Last Name"
                                    << "MBN";
        QTest::newRow("wedding") << "Wedding"
                                 << "MWD";
        QTest::newRow("officiant") << "Officiant"
                                   << "MOff";
        QTest::newRow("married name: no index") << "Bride Married Last Name"
                                                << "MRecNo";
        QTest::newRow("engagement: no index") << "Engagement"
                                              << "MRecNo";
    }
    void viewTitlesSortByTheMarriageIndexes() {
        QFETCH(QString, title);
        QFETCH(QString, index);
        TMarriageViewForm* view = OpenView();
        QCOMPARE(VisibleTitles(view->Grid),
                 QStringList({"Groom First Name", "Groom Middle Name", "Groom Last Name",
                              "Bride First Name", "Bride Middle Name", "Bride Last Name",
                              "Bride Married Last Name", "Engagement", "Rehearsal", "Wedding",
                              "Officiant", "Remark"}));
        QCOMPARE(view->Grid->horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
        ClickTitle(view->Grid, title);
        QCOMPARE(DataMod->MarriageT->IndexName(), index);
        QCOMPARE(view->Grid->model()->rowCount(), 1);
    }

    // "C&Ounseling " asks for the level 2 password at every click: a wrong password is
    // told, a cancelled prompt is not, the right one opens the schedule read only.
    void counselingAsksAtEveryClick() {
        fx.SetPassword(2, "Usher");
        TMarriageViewForm* view = OpenView();
        Dialogs::QueueInput(true, "usher");
        Click(view->CounselingButton);
        QCOMPARE(Kinds(), QStringList({"query: Enter Password",
                                       "message: Sorry, the level 2 password you entered is "
                                       "incorrect."}));
        Dialogs::ClearScript();
        Dialogs::QueueInput(false);
        Click(view->CounselingButton);
        QCOMPARE(Kinds(), QStringList({"query: Enter Password"}));
        Dialogs::ClearScript();
        Dialogs::QueueInput(true, "Usher");
        TWeddingMode mode = TWeddingMode::Edit;
        QStringList subjects;
        Dialogs::QueueModal([&](QDialog* dialog) {
            if (auto* schedule = qobject_cast<TCounselingScheduleForm*>(dialog)) {
                mode = schedule->Mode();
                subjects = fx.Texts(DataMod->CounselingT, "AppointmentSubject");
            }
            return int(QDialog::Rejected);
        });
        Click(view->CounselingButton);
        QCOMPARE(Kinds(), QStringList({"query: Enter Password", "modal: CounselingScheduleForm"}));
        QCOMPARE(mode, TWeddingMode::View);
        QCOMPARE(subjects, QStringList({"First talk"}));
        QVERIFY(view->findChildren<TCounselingScheduleForm*>().isEmpty());
    }

    void entryCounselingNeverAsks() {
        fx.SetPassword(2, "Usher");
        TEditMarriageForm* entry = OpenEntry();
        TWeddingMode mode = TWeddingMode::View;
        Dialogs::QueueModal([&](QDialog* dialog) {
            if (auto* schedule = qobject_cast<TCounselingScheduleForm*>(dialog))
                mode = schedule->Mode();
            return int(QDialog::Rejected);
        });
        Click(entry->CounselingScheduleButton);
        QCOMPARE(Kinds(), QStringList({"modal: CounselingScheduleForm"}));
        QCOMPARE(mode, TWeddingMode::Edit);
    }

    // Both buttons for the same active record: groom and bride get its three names and the
    // warning is shown.
    void useButtonsFillGroomAndBride() {
        QVERIFY(fx.Activate(1));
        TEditMarriageForm* entry = OpenEntry();
        Click(entry->Navigator->Button(TNavButton::Insert));
        Click(entry->GroomUseButton);
        QCOMPARE(entry->GroomFNameEdit->text(), QString("Erik"));
        QCOMPARE(entry->GroomMNameEdit->text(), QString("Carl"));
        QCOMPARE(entry->GroomLNameEdit->text(), QString("Lund"));
        QCOMPARE(QApplication::focusWidget(), entry->BrideFNameEdit);
        QVERIFY(fx.Shown().isEmpty());
        Click(entry->BrideUseButton);
        QCOMPARE(entry->BrideMNameEdit->text(), QString("Carl"));
        QCOMPARE(QApplication::focusWidget(), entry->BrideMarriedLastNameEdit);
        QCOMPARE(fx.Shown(), QStringList{TEditMarriageForm::IdenticalText});
    }

    // Leaving the married-name box after typing a name other than the bride's last name
    // reminds of the roster; the married name is stored as typed.
    void marriedNameReminder_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("reminded");
        QTest::newRow("another name") << "Lund" << true;
        QTest::newRow("the bride's last name") << "Berg" << false;
        QTest::newRow("nothing typed") << "" << false;
    }
    void marriedNameReminder() {
        QFETCH(QString, typed);
        QFETCH(bool, reminded);
        QVERIFY(fx.Activate(3));
        TEditMarriageForm* entry = OpenEntry();
        Click(entry->Navigator->Button(TNavButton::Insert));
        TypeKeys(entry->GroomFNameEdit, "Olaf");
        TypeKeys(entry->GroomLNameEdit, "Dahl");
        TypeKeys(entry->BrideFNameEdit, "Eva");
        TypeKeys(entry->BrideLNameEdit, "Berg");
        TypeKeys(entry->BrideMarriedLastNameEdit, typed);
        QTest::keyClick(entry->BrideMarriedLastNameEdit, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(fx.Shown(), reminded ? QStringList{"If the bride has a record in the roster,\n"
                                                    "you may want to update her last name."}
                                      : QStringList{});
        // Passing through the box again without a change says nothing more.
        Dialogs::ClearScript();
        entry->BrideMarriedLastNameEdit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(entry->BrideMarriedLastNameEdit, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QVERIFY(fx.Shown().isEmpty());
        TypeKeys(entry->WeddingDateEdit, "6/20/2015");
        Click(entry->Navigator->Button(TNavButton::Post));
        QCOMPARE(DataMod->MarriageT->State(), DataSetState::Browse);
        QCOMPARE(DataMod->MarriageT->FieldByName("BrideMarriedLastName")->AsString(), typed);
        QCOMPARE(DataMod->MarriageT->FieldByName("BrideLName")->AsString(), QString("Berg"));
        QCOMPARE(DataMod->MarriageT->FieldByName("RecordNumber")->AsInteger(), 3);
    }

    // The view's lists open read only and go with it; with "All Marriages" chosen, closing
    // it leaves the marriage table linked for the next window.
    void viewOpensReadOnlyListsAndLinksAgainOnClose() {
        QVERIFY(fx.Activate(1));
        QPointer<TMarriageViewForm> view = OpenView();
        Click(view->FamiliesButton);
        Click(view->WeddingPartyButton);
        Click(view->LogisticsButton);
        QList<QPointer<TWeddingListForm>> lists;
        for (TWeddingListForm* list : view->findChildren<TWeddingListForm*>()) {
            QCOMPARE(list->Mode(), TWeddingMode::View);
            QVERIFY(list->isVisible());
            lists << list;
        }
        QCOMPARE(lists.size(), 3);
        Click(view->GridView->AllRadio);
        QCOMPARE(DataMod->MarriageT->RecordCount(), 2);
        QVERIFY(view->close());
        FlushDeletes();
        QVERIFY(view.isNull());
        for (const QPointer<TWeddingListForm>& list : lists)
            QVERIFY(list.isNull());
        QCOMPARE(DataMod->MarriageT->MasterSource(), DataMod->RosterS);
        TEditMarriageForm* entry = OpenEntry();
        QCOMPARE(entry->RecordPosition->text(), QString("1:1"));
    }

    void entryOpensEditableLists() {
        TEditMarriageForm* entry = OpenEntry();
        Click(entry->FamiliesButton);
        Click(entry->WeddingPartyButton);
        Click(entry->LogisticsButton);
        const QList<TWeddingListForm*> lists = entry->findChildren<TWeddingListForm*>();
        QCOMPARE(lists.size(), 3);
        for (TWeddingListForm* list : lists)
            QCOMPARE(list->Mode(), TWeddingMode::Edit);
        QVERIFY(entry->findChild<TWedFamilyForm*>());
        QVERIFY(entry->findChild<TWedPartyForm*>());
        QVERIFY(entry->findChild<TLogisticsForm*>());
    }

    // Closing the entry window asks the lists it owns first: a family line being typed
    // keeps the list and the entry window open, the line as typed; once it is posted,
    // Close closes both.
    void pendingFamilyLineKeepsEntryOpen() {
        QVERIFY(fx.Activate(1));
        QPointer<TEditMarriageForm> entry = OpenEntry();
        Click(entry->FamiliesButton);
        QPointer<TWedFamilyForm> families = entry->findChild<TWedFamilyForm*>();
        QVERIFY(families && families->isVisible());
        Click(families->Navigator->Button(TNavButton::Insert));
        Table* lines = DataMod->WedFamilyT;
        lines->FieldByName("Number")->SetAsInteger(1);
        lines->FieldByName("Name")->SetAsString("Ida Lund");
        lines->FieldByName("GroomFamily")->SetAsBoolean(true);
        QVERIFY(ShowActive(entry));
        Click(entry->CloseButton);
        FlushDeletes();
        QCOMPARE(fx.Shown(), QStringList{"Please Post or Cancel the changes."});
        QVERIFY(entry && entry->isVisible());
        QVERIFY(families && families->isVisible());
        QCOMPARE(lines->State(), DataSetState::Insert);
        QCOMPARE(lines->FieldByName("Name")->AsString(), QString("Ida Lund"));
        QCOMPARE(DataMod->MarriageT->State(), DataSetState::Browse);

        Dialogs::ClearScript();
        Click(families->Navigator->Button(TNavButton::Post));
        QCOMPARE(lines->State(), DataSetState::Browse);
        Click(entry->CloseButton);
        FlushDeletes();
        QVERIFY(fx.Shown().isEmpty());
        QVERIFY(entry.isNull());
        QVERIFY(families.isNull());
        QCOMPARE(RecordsFixture::Texts(lines, "Name"), QStringList{"Ida Lund"});
    }

    void menuCommands() {
        fx.Open({}, {});
        const TMenuRow* entryRow = FindMenuRow("EditMarriageData1");
        QVERIFY(entryRow);
        QCOMPARE(RunMenuRow(*entryRow, nullptr), TMenuOutcome::NoActiveRecord);
        fx.Open(People, Marriages);
        QCOMPARE(RunMenuRow(*entryRow, nullptr), TMenuOutcome::WindowShown);
        auto* entry = qobject_cast<TEditMarriageForm*>(LatestWindow("TEditMarriageForm"));
        QVERIFY(entry);
        QCOMPARE(entry->windowTitle(), QString("Marriage"));
        QCOMPARE(RunMenuRow(*FindMenuRow("Marriages1"), nullptr), TMenuOutcome::WindowShown);
        QVERIFY(qobject_cast<TMarriageViewForm*>(LatestWindow("TMarriageViewForm")));
    }
};

VTX_REGISTER_TEST(TestMarriageWindows)
#include "tst_MarriageWindows.moc"
