// Data-aware controls: edit, time edit, date box, memo, check box, label, lookup list and
// the unbound currency box, each against a small table.

#include "ToolkitFixture.h"
#include "toolkit/vtxCurrencyEdit.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDateEdit.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QSignalSpy>
#include <QTextCharFormat>
#include <QVBoxLayout>

using namespace toolkit_test;

namespace {

// A window holding one control under test and a plain box to move the focus to.
struct Form {
    QWidget window;
    QLineEdit* other;
    explicit Form(QWidget* control) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(control);
        other = new QLineEdit(&window);
        layout->addWidget(other);
    }
    void Leave() {
        other->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
};

} // namespace

class TestDBControls : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editTypingStartsEditAndWritesWhenLeft() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* edit = new TDBEdit(t.peopleS.get(), "LName");
        Form form(edit);
        QVERIFY(ShowActive(form.window));
        QCOMPARE(edit->text(), QString("Smith"));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClicks(edit, "ers");
        QCOMPARE(t.people->State(), DataSetState::Edit);
        // Not in the row before the control is left.
        QCOMPARE(t.Last(), QString("Smith"));
        form.Leave();
        QCOMPARE(t.Last(), QString("Smithers"));
        QCOMPARE(t.people->State(), DataSetState::Edit);
        t.people->Post();
        t.people->Refresh();
        QCOMPARE(t.Last(), QString("Smithers"));
        QVERIFY(LastError().isEmpty());
    }

    void editValueReachesRowBeforePost() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* edit = new TDBEdit(t.peopleS.get(), "FName");
        Form form(edit);
        QVERIFY(ShowActive(form.window));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "Jack");
        QVERIFY(edit->hasFocus());
        t.people->Post(); // as a navigator button that does not take the focus
        QCOMPARE(t.people->State(), DataSetState::Browse);
        t.people->Refresh();
        QCOMPARE(t.people->FieldByName("FName")->AsString(), QString("Jack"));
    }

    void editFollowsCursorAndCancel() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* edit = new TDBEdit(t.peopleS.get(), "LName");
        Form form(edit);
        QVERIFY(ShowActive(form.window));
        t.people->Next();
        QCOMPARE(edit->text(), QString("Adams"));
        edit->setFocus();
        QTest::keyClicks(edit, "XYZ");
        t.people->Cancel();
        QCOMPARE(edit->text(), QString("Adams"));
        QVERIFY(!edit->DataLink()->IsModified());
        // Escape drops what was typed and shows the field again.
        QTest::keyClicks(edit, "Q");
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), QString("Adams"));
    }

    void editAcceptsAtMostTheFieldWidth() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* edit = new TDBEdit(t.peopleS.get(), "LName");
        Form form(edit);
        QVERIFY(ShowActive(form.window));
        QCOMPARE(edit->maxLength(), 12);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "Abcdefghijklmnop");
        QCOMPARE(edit->text(), QString("Abcdefghijkl"));
        form.Leave();
        QCOMPARE(t.Last(), QString("Abcdefghijkl"));
    }

    void typingIntoEmptyDetailInserts() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.notes->SetMasterSource(t.peopleS.get());
        t.notes->SetMasterFields("RecordNumber");
        t.notes->Open();
        t.people->Next(); // record 2, no notes
        QVERIFY(t.notes->IsEmpty());
        auto* edit = new TDBEdit(t.noteS.get(), "Note");
        Form form(edit);
        QVERIFY(ShowActive(form.window));
        edit->setFocus();
        QTest::keyClicks(edit, "Called");
        QCOMPARE(t.notes->State(), DataSetState::Insert);
        QCOMPARE(edit->text(), QString("Called"));
        t.notes->Post();
        QCOMPARE(t.notes->RecordCount(), 1);
        QCOMPARE(t.notes->FieldByName("RecordNumber")->AsInteger(), 2);
        QCOMPARE(t.notes->FieldByName("Note")->AsString(), QString("Called"));
    }

    void readOnlyEditChangesNothing() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* edit = new TDBEdit(t.peopleS.get(), "LName");
        edit->SetReadOnly(true);
        Form form(edit);
        QVERIFY(ShowActive(form.window));
        edit->setFocus();
        QTest::keyClicks(edit, "abc");
        QCOMPARE(edit->text(), QString("Smith"));
        QCOMPARE(t.people->State(), DataSetState::Browse);
    }

    void refusedValueIsReportedAndKeepsFocus() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* edit = new TDBEdit(t.peopleS.get(), "RecordNumber");
        Form form(edit);
        QVERIFY(ShowActive(form.window));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClicks(edit, "x");
        form.Leave();
        QCOMPARE(LastError(), QString("'1x' is not a valid integer value"));
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), QString("1x"));
        QCOMPARE(t.Number(), 1);
        // A post is refused the same way and the row stays in Edit.
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, t.people->Post());
        QCOMPARE(t.people->State(), DataSetState::Edit);
    }

    void timeEditReadsTheFieldsFormats_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("lower-case suffix") << "10:00pm";
        QTest::newRow("suffix with blank") << "10:00 PM";
        QTest::newRow("24-hour") << "22:00";
    }

    void timeEditReadsTheFieldsFormats() {
        QFETCH(QString, typed);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* edit = new TDBTimeEdit(t.peopleS.get(), "Meets");
        Form form(edit);
        QVERIFY(ShowActive(form.window));
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        form.Leave();
        QVERIFY(LastError().isEmpty());
        QCOMPARE(t.people->FieldByName("Meets")->AsTime(), QTime(22, 0));
        QCOMPARE(edit->text(), QString("10:00 PM"));
    }

    void timeEditRefusesWhatIsNoTime() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* edit = new TDBTimeEdit(t.peopleS.get(), "Meets");
        Form form(edit);
        QVERIFY(ShowActive(form.window));
        edit->setFocus();
        QTest::keyClicks(edit, "25:61");
        form.Leave();
        QCOMPARE(LastError(), QString("'25:61' is not a valid time"));
        QTRY_VERIFY(edit->hasFocus());
        QVERIFY(t.people->FieldByName("Meets")->IsNull());
    }

    void dateBoxValidatesWhenLeft_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("error");
        QTest::newRow("short date") << "3/10/2024" << QDate(2024, 3, 10) << "3/10/2024"
                                    << "";
        QTest::newRow("leap day") << "2/29/2024" << QDate(2024, 2, 29) << "2/29/2024"
                                  << "";
        QTest::newRow("two-digit year shown with four")
            << "7/4/24" << QDate(2024, 7, 4) << "7/4/2024"
            << "";
        QTest::newRow("before the earliest date") << "12/31/1699" << QDate(1700, 1, 1) << "1/1/1700"
                                                  << "";
        QTest::newRow("the earliest date itself") << "1/1/1700" << QDate(1700, 1, 1) << "1/1/1700"
                                                  << "";
        QTest::newRow("no such day") << "2/30/2023" << QDate() << "2/30/2023"
                                     << "'2/30/2023' is not a valid date";
        QTest::newRow("not a date") << "13/45/2020" << QDate() << "13/45/2020"
                                    << "'13/45/2020' is not a valid date";
        QTest::newRow("words") << "soon" << QDate() << "soon"
                               << "'soon' is not a valid date";
    }

    void dateBoxValidatesWhenLeft() {
        QFETCH(QString, typed);
        QFETCH(QDate, stored);
        QFETCH(QString, shown);
        QFETCH(QString, error);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* box = new TDBDateEdit(t.peopleS.get(), "Joined");
        box->SetMinDate(QDate(1700, 1, 1));
        Form form(box);
        QVERIFY(ShowActive(form.window));
        box->setFocus();
        QTest::keyClicks(box, typed);
        form.Leave();
        QCOMPARE(LastError(), error);
        QCOMPARE(box->text(), shown);
        QCOMPARE(t.people->FieldByName("Joined")->AsDate(), stored);
        if (!error.isEmpty())
            QTRY_VERIFY(box->hasFocus());
        else
            QVERIFY(!box->hasFocus());
    }

    void dateBoxEmptiedClearsTheField() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.people->Edit();
        t.people->FieldByName("Joined")->SetAsDate(QDate(2020, 5, 1));
        t.people->Post();
        auto* box = new TDBDateEdit(t.peopleS.get(), "Joined");
        Form form(box);
        QVERIFY(ShowActive(form.window));
        QCOMPARE(box->text(), QString("5/1/2020"));
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        form.Leave();
        QVERIFY(t.people->FieldByName("Joined")->IsNull());
        QVERIFY(LastError().isEmpty());
    }

    void calendarDialogPicksADate() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* box = new TDBDateEdit(t.peopleS.get(), "Joined");
        box->SetCalendarStyle(TCalendarStyle::Dialog);
        Form form(box);
        QVERIFY(ShowActive(form.window));
        Qt::DayOfWeek firstDay = Qt::Monday;
        QColor saturday, sunday, monday;
        Dialogs::QueueModal([&](QDialog* dialog) {
            auto* calendar = dialog->findChild<QCalendarWidget*>();
            if (!calendar)
                return int(QDialog::Rejected);
            firstDay = calendar->firstDayOfWeek();
            saturday = calendar->weekdayTextFormat(Qt::Saturday).foreground().color();
            sunday = calendar->weekdayTextFormat(Qt::Sunday).foreground().color();
            monday = calendar->weekdayTextFormat(Qt::Monday).foreground().color();
            calendar->setSelectedDate(QDate(2024, 5, 5));
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(box->CalendarButton(), Qt::LeftButton);
        QCOMPARE(firstDay, Qt::Sunday);
        QCOMPARE(saturday, QColor(Qt::red));
        QCOMPARE(sunday, QColor(Qt::red));
        QVERIFY(monday != QColor(Qt::red));
        QCOMPARE(t.people->State(), DataSetState::Edit);
        QCOMPARE(t.people->FieldByName("Joined")->AsDate(), QDate(2024, 5, 5));
        QCOMPARE(box->text(), QString("5/5/2024"));
        // Cancelled: nothing changes.
        Dialogs::QueueModal([](QDialog*) { return int(QDialog::Rejected); });
        QTest::mouseClick(box->CalendarButton(), Qt::LeftButton);
        QCOMPARE(t.people->FieldByName("Joined")->AsDate(), QDate(2024, 5, 5));
    }

    void calendarPopupPicksADateWithinTheEarliest() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* box = new TDBDateEdit(t.peopleS.get(), "Joined");
        box->SetMinDate(QDate(1700, 1, 1));
        Form form(box);
        QVERIFY(ShowActive(form.window));
        QTest::mouseClick(box->CalendarButton(), Qt::LeftButton);
        QWidget* popup = box->CalendarButton()->Popup();
        QVERIFY(popup);
        auto* calendar = popup->findChild<QCalendarWidget*>();
        QVERIFY(calendar);
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Sunday);
        Q_EMIT calendar->clicked(QDate(1650, 3, 1));
        QTRY_VERIFY(!box->CalendarButton()->Popup());
        QCOMPARE(t.people->FieldByName("Joined")->AsDate(), QDate(1700, 1, 1));
    }

    void checkBoxIsUndecidedForEmptyAndCycles() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* box = new TDBCheckBox("Member", t.peopleS.get(), "IsMember");
        Form form(box);
        QVERIFY(ShowActive(form.window));
        QCOMPARE(box->checkState(), Qt::Checked);
        t.people->Insert();
        QCOMPARE(box->checkState(), Qt::PartiallyChecked);
        QVERIFY(t.people->FieldByName("IsMember")->IsNull());
        const QList<Qt::CheckState> states = {Qt::Checked, Qt::Unchecked, Qt::Checked};
        for (Qt::CheckState expected : states) {
            box->click();
            QCOMPARE(box->checkState(), expected);
            QVERIFY(!t.people->FieldByName("IsMember")->IsNull());
            QCOMPARE(t.people->FieldByName("IsMember")->AsBoolean(), expected == Qt::Checked);
        }
        t.people->Cancel();
        // A click on a browsing row starts Edit.
        box->click();
        QCOMPARE(t.people->State(), DataSetState::Edit);
        QCOMPARE(t.people->FieldByName("IsMember")->AsBoolean(), false);
        t.people->Cancel();
        box->SetReadOnly(true);
        box->click();
        QCOMPARE(box->checkState(), Qt::Checked);
        QCOMPARE(t.people->State(), DataSetState::Browse);
    }

    void memoTypingStartsEditAndPostKeepsIt() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        auto* memo = new TDBMemo(t.peopleS.get(), "Notes");
        Form form(memo);
        QVERIFY(ShowActive(form.window));
        memo->setFocus();
        QTest::keyClicks(memo, "Line one");
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, "two");
        QCOMPARE(t.people->State(), DataSetState::Edit);
        t.people->Post();
        t.people->Refresh();
        QCOMPARE(t.people->FieldByName("Notes")->AsString(), QString("Line one\ntwo"));
        t.people->Next();
        QCOMPARE(memo->toPlainText(), QString());
        memo->SetReadOnly(true);
        QTest::keyClicks(memo, "no");
        QCOMPARE(t.people->State(), DataSetState::Browse);
    }

    void labelShowsDisplayTextOfCurrentRow() {
        Tables t;
        t.AddFive();
        t.people->Edit();
        t.people->FieldByName("Pledge")->SetAsCurrency(Currency::FromUnits(12505000));
        t.people->Post();
        TDBText pledge(t.peopleS.get(), "Pledge");
        TDBText last(t.peopleS.get(), "LName");
        QCOMPARE(pledge.text(), QString("$1,250.50"));
        QCOMPARE(last.text(), QString("Smith"));
        t.people->Next();
        QCOMPARE(last.text(), QString("Adams"));
        QCOMPARE(pledge.text(), QString());
        t.people->Edit();
        t.people->FieldByName("LName")->SetAsString("Adamson");
        QCOMPARE(last.text(), QString("Adamson"));
        t.people->Close();
        QCOMPARE(last.text(), QString());
    }

    void lookupListWritesClickedValueAndMovesOtherTable() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.AddGroup(1, "Choir");
        t.AddGroup(2, "Ushers");
        t.AddGroup(3, "Council");
        t.groups->First();
        auto* list = new TDBLookupList;
        list->SetDataSource(t.peopleS.get());
        list->SetDataField("GroupName");
        list->SetListSource(t.groupS.get());
        list->SetListField("GroupName");
        Form form(list);
        QVERIFY(ShowActive(form.window));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(1)->text(), QString("Ushers"));
        QCOMPARE(list->currentRow(), -1);
        QSignalSpy picked(list, &TDBLookupList::picked);
        const QRect rect = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(t.people->State(), DataSetState::Edit);
        QCOMPARE(t.people->FieldByName("GroupName")->AsString(), QString("Ushers"));
        QCOMPARE(t.groups->FieldByName("GroupNumber")->AsInteger(), 2);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked[0][0].toString(), QString("Ushers"));
        t.people->Post();
        // The highlighted item follows the row's value.
        t.people->Next();
        QCOMPARE(list->currentRow(), -1);
        t.people->Prior();
        QCOMPARE(list->SelectedValue(), QString("Ushers"));
        // The list follows changes of the other table.
        t.AddGroup(4, "Altar Guild");
        QCOMPARE(list->count(), 4);
    }

    void currencyBoxFormatsAndReads() {
        auto* box = new TCurrencyEdit;
        Form form(box);
        QVERIFY(ShowActive(form.window));
        form.Leave();
        QVERIFY(box->alignment() & Qt::AlignRight);
        box->SetValue(Currency::FromUnits(17502500));
        QCOMPARE(box->text(), QString("$1,750.25"));
        box->SetValue(Currency());
        QCOMPARE(box->text(), QString());
        box->SetValue(Currency::FromUnits(12345)); // 1.2345: two decimals shown, four kept
        QCOMPARE(box->text(), QString("$1.23"));
        QCOMPARE(box->Value(), Currency::FromUnits(12345));
        box->setFocus();
        QCOMPARE(box->text(), QString("1.2345"));
        box->selectAll();
        QTest::keyClicks(box, "350.5");
        // Read while the box still has the focus (a navigator button takes none).
        QCOMPARE(box->Value(), Currency::FromUnits(3505000));
        form.Leave();
        QCOMPARE(box->text(), QString("$350.50"));
        QCOMPARE(box->Value(), Currency::FromUnits(3505000));
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        form.Leave();
        QCOMPARE(box->Value(), Currency());
        QCOMPARE(box->text(), QString());
    }
};

VTX_REGISTER_TEST(TestDBControls)
#include "tst_dbcontrols.moc"
