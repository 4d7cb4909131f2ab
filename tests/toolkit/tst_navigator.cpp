// The navigator (enabling by state and position, delete confirmation, refusals through the
// dialogs facade), the state and position indicators, and the window habits.

#include "ToolkitFixture.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowHabits.h"

#include <QCloseEvent>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>

using namespace toolkit_test;

namespace {

// '1' for each enabled button, in the order first, prior, next, last, insert, delete,
// edit, post, cancel, refresh.
QString Enabled(const TDBNavigator& nav) {
    QString s;
    for (TNavButton b : TDBNavigator::AllButtons())
        s += nav.Button(b)->isEnabled() ? '1' : '0';
    return s;
}

} // namespace

class TestNavigator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buttonsEnabledByStateAndPosition_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("expected");
        //                                     FPNLIDEPCR
        QTest::newRow("closed") << "closed"
                                << "0000000000";
        QTest::newRow("empty") << "empty"
                               << "0000101001";
        QTest::newRow("first row") << "first"
                                   << "0011111001";
        QTest::newRow("middle row") << "middle"
                                    << "1111111001";
        QTest::newRow("last row") << "last"
                                  << "1100111001";
        QTest::newRow("editing the first row") << "edit"
                                               << "0011110111";
        QTest::newRow("inserting into an empty table") << "insertEmpty"
                                                       << "0000110111";
        QTest::newRow("read-only data set") << "readOnly"
                                            << "1111000001";
    }

    void buttonsEnabledByStateAndPosition() {
        QFETCH(QString, situation);
        QFETCH(QString, expected);
        Tables t;
        if (situation != "empty" && situation != "insertEmpty")
            t.AddFive();
        TDBNavigator nav(t.peopleS.get());
        if (situation == "closed")
            t.people->Close();
        else if (situation == "middle")
            t.people->SetRecNo(3);
        else if (situation == "last")
            t.people->Last();
        else if (situation == "edit")
            t.people->Edit();
        else if (situation == "insertEmpty")
            t.people->Insert();
        else if (situation == "readOnly") {
            t.people->SetReadOnly(true);
            t.people->Next();
        }
        QCOMPARE(Enabled(nav), expected);
    }

    void moveButtonsMoveTheCursor() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        TDBNavigator nav(t.peopleS.get());
        QSignalSpy clicked(&nav, &TDBNavigator::clicked);
        nav.Button(TNavButton::Last)->click();
        QCOMPARE(t.Number(), 5);
        nav.Button(TNavButton::Prior)->click();
        QCOMPARE(t.Number(), 4);
        nav.Button(TNavButton::First)->click();
        QCOMPARE(t.Number(), 1);
        nav.Button(TNavButton::Next)->click();
        QCOMPARE(t.Number(), 2);
        QCOMPARE(clicked.count(), 4);
        QCOMPARE(clicked[0][0].value<TNavButton>(), TNavButton::Last);
    }

    void deleteAsksFirst() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        TDBNavigator nav(t.peopleS.get());
        Dialogs::QueueButton(Dialogs::Cancel);
        nav.Button(TNavButton::Delete)->click();
        QCOMPARE(t.people->RecordCount(), 5);
        QCOMPARE(Dialogs::ShownLog().size(), 1);
        const Dialogs::Shown asked = Dialogs::ShownLog()[0];
        QCOMPARE(asked.kind, QString("message"));
        QCOMPARE(asked.text, QString("Delete record?"));
        QCOMPARE(asked.icon, Dialogs::Icon::Question);
        QCOMPARE(asked.buttons, Dialogs::Ok | Dialogs::Cancel);
        Dialogs::QueueButton(Dialogs::Ok);
        nav.Button(TNavButton::Delete)->click();
        QCOMPARE(t.people->RecordCount(), 4);
        QCOMPARE(t.Number(), 2);
        // Without confirmation nothing is asked.
        nav.ConfirmDelete = false;
        nav.DoAction(TNavButton::Delete);
        QCOMPARE(t.people->RecordCount(), 3);
        QCOMPARE(Dialogs::ShownLog().size(), 2);
    }

    void refusedPostIsShownAndRowStays() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        TDBNavigator nav(t.peopleS.get());
        QSignalSpy clicked(&nav, &TDBNavigator::clicked);
        nav.Button(TNavButton::Insert)->click();
        t.people->FieldByName("FName")->SetAsString("Nobody");
        nav.Button(TNavButton::Post)->click();
        QCOMPARE(Dialogs::ShownTexts(), QStringList{"Field 'RecordNumber' must have a value"});
        QCOMPARE(Dialogs::ShownLog()[0].kind, QString("error"));
        QCOMPARE(t.people->State(), DataSetState::Insert);
        QCOMPARE(t.people->FieldByName("FName")->AsString(), QString("Nobody"));
        QCOMPARE(clicked.count(), 1); // the insert only
        QCOMPARE(Enabled(nav).mid(7, 2), QString("11"));
        // A post-error rule that speaks itself keeps the navigator quiet.
        Dialogs::ClearScript();
        t.people->OnPostError = [](DataSet&, const EDatabaseError&) { return DataAction::Abort; };
        nav.Button(TNavButton::Post)->click();
        QVERIFY(Dialogs::ShownLog().isEmpty());
        QCOMPARE(t.people->State(), DataSetState::Insert);
        nav.Button(TNavButton::Cancel)->click();
        QCOMPARE(t.people->State(), DataSetState::Browse);
        QCOMPARE(t.people->RecordCount(), 5);
    }

    void postWritesTheFocusedControlsValue() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* edit = new TDBEdit(t.peopleS.get(), "FName", &window);
        auto* nav = new TDBNavigator(t.peopleS.get(), &window);
        layout->addWidget(edit);
        layout->addWidget(nav);
        QVERIFY(ShowActive(window));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "Johnny");
        QTest::mouseClick(nav->Button(TNavButton::Post), Qt::LeftButton);
        QCOMPARE(t.people->State(), DataSetState::Browse);
        t.people->Refresh();
        QCOMPARE(t.people->FieldByName("FName")->AsString(), QString("Johnny"));
    }

    void beforeActionMayStopTheOperation() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        TDBNavigator nav(t.peopleS.get());
        QList<TNavButton> seen;
        nav.BeforeAction = [&](TNavButton b) {
            seen << b;
            if (b == TNavButton::Last)
                throw EAbort();
        };
        QVERIFY(!nav.DoAction(TNavButton::Last));
        QCOMPARE(t.Number(), 1);
        QVERIFY(nav.DoAction(TNavButton::Next));
        QCOMPARE(t.Number(), 2);
        QCOMPARE(seen, (QList<TNavButton>{TNavButton::Last, TNavButton::Next}));
        QVERIFY(Dialogs::ShownLog().isEmpty());
    }

    void subsetAndHints() {
        Tables t;
        TDBNavigator nav(t.peopleS.get());
        QCOMPARE(nav.VisibleButtons(), TDBNavigator::AllButtons());
        const QList<TNavButton> some = {TNavButton::Insert, TNavButton::Delete,
                                        TNavButton::Edit,   TNavButton::Post,
                                        TNavButton::Cancel, TNavButton::Refresh};
        nav.SetVisibleButtons(some);
        QCOMPARE(nav.VisibleButtons(), some);
        QVERIFY(nav.Button(TNavButton::First)->isHidden());
        QCOMPARE(nav.Button(TNavButton::Post)->toolTip(), QString("Post edit"));
        QCOMPARE(nav.Button(TNavButton::Refresh)->toolTip(), QString("Refresh data"));
        nav.SetHints({"Go to the first service"});
        QCOMPARE(nav.Button(TNavButton::First)->toolTip(), QString("Go to the first service"));
        QCOMPARE(nav.Button(TNavButton::Prior)->toolTip(), QString("Prior record"));
        nav.SetShowHint(false);
        QVERIFY(nav.Button(TNavButton::Post)->toolTip().isEmpty());
        QCOMPARE(nav.Hint(TNavButton::Post), QString("Post edit"));
    }

    void stateAndPositionIndicators() {
        Tables t;
        TDBStateLabel state(t.peopleS.get());
        TDBRecordPosition position(t.peopleS.get());
        QCOMPARE(state.text(), QString("PeopleT: Browse"));
        QCOMPARE(position.text(), QString("0:0"));
        t.AddFive();
        QCOMPARE(position.text(), QString("1:5"));
        t.people->Next();
        QCOMPARE(position.text(), QString("2:5"));
        t.people->Edit();
        QCOMPARE(state.text(), QString("PeopleT: Edit"));
        t.people->Cancel();
        t.people->Last();
        QCOMPARE(position.text(), QString("5:5"));
        t.people->Insert();
        QCOMPARE(state.text(), QString("PeopleT: Insert"));
        state.SetDataSetName("Roster");
        QCOMPARE(state.text(), QString("Roster: Insert"));
        state.SetShowName(false);
        QCOMPARE(state.text(), QString("Insert"));
        t.people->Cancel();
        t.people->Close();
        QCOMPARE(state.text(), QString("Inactive"));
        QCOMPARE(position.text(), QString("0:0"));
    }

    void runActionShowsErrorsAndSwallowsAbort() {
        ScriptedDialogs dialogs;
        QVERIFY(RunAction([] {}));
        QVERIFY(!RunAction([] { throw EAbort(); }));
        QVERIFY(Dialogs::ShownLog().isEmpty());
        QVERIFY(
            !RunAction([] { throw EDatabaseError("Key violation.", ErrorKind::KeyViolation); }));
        QVERIFY(!RunAction([] { throw std::runtime_error("Invalid Date"); }));
        QCOMPARE(Dialogs::ShownTexts(), (QStringList{"Key violation.", "Invalid Date"}));
        QCOMPARE(Dialogs::ShownLog()[0].kind, QString("error"));
    }

    void closeIsRefusedWhileEditing() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        QCloseEvent browse;
        QVERIFY(!RefuseCloseWhileEditing(t.people.get(), &browse));
        QVERIFY(browse.isAccepted());
        t.people->Edit();
        QCloseEvent editing;
        QVERIFY(RefuseCloseWhileEditing(t.people.get(), &editing));
        QVERIFY(!editing.isAccepted());
        QCOMPARE(Dialogs::ShownTexts(), QStringList{"Please Post or Cancel the changes."});
        QCOMPARE(t.people->State(), DataSetState::Edit);
        QCloseEvent memo;
        QVERIFY(
            RefuseCloseWhileEditing(t.people.get(), &memo, "Please Post or Cancel the change."));
        QCOMPARE(Dialogs::ShownTexts().last(), QString("Please Post or Cancel the change."));
    }
};

VTX_REGISTER_TEST(TestNavigator)
#include "tst_navigator.moc"
