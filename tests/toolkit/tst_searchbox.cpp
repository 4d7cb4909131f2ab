// The incremental search box: emptied on focus, completes the first match in its index
// order with the untyped remainder selected, Backspace widens the selection, no match
// leaves cursor and text, the current row's value when the box is left.

#include "ToolkitFixture.h"
#include "toolkit/vtxSearchBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

using namespace toolkit_test;

namespace {

struct SearchForm {
    QWidget window;
    TDBSearchBox* box;
    QLineEdit* other;
    SearchForm(DataSource* source, const QString& index) {
        auto* layout = new QVBoxLayout(&window);
        other = new QLineEdit(&window); // first in the tab order: the box starts unfocused
        box = new TDBSearchBox(source, "LName", &window);
        box->SetIndexName(index);
        layout->addWidget(box);
        layout->addWidget(other);
    }
};

} // namespace

class TestSearchBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The sequence of the View Roster window, with the roster in record-number order and
    // the search in last-name order (or with the table already in that order).
    void typingCompletesAndBackspaceWidens_data() {
        QTest::addColumn<QString>("tableIndex");
        QTest::newRow("table in record-number order") << "";
        QTest::newRow("table in last-name order") << "PLN";
    }

    void typingCompletesAndBackspaceWidens() {
        QFETCH(QString, tableIndex);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.people->SetIndexName(tableIndex);
        t.people->Locate("RecordNumber", {2}); // Adams
        SearchForm form(t.peopleS.get(), "PLN");
        QVERIFY(ShowActive(form.window));
        TDBSearchBox* box = form.box;
        // Unfocused: the current row's value, selected.
        QCOMPARE(box->text(), QString("Adams"));
        QCOMPARE(box->selectedText(), QString("Adams"));

        box->setFocus(Qt::TabFocusReason);
        QCOMPARE(box->text(), QString());

        QTest::keyClick(box, Qt::Key_S);
        QCOMPARE(t.Number(), 1);
        QCOMPARE(box->text(), QString("Smith"));
        QCOMPARE(box->selectedText(), QString("mith"));
        QCOMPARE(box->cursorPosition(), 1);

        QTest::keyClick(box, Qt::Key_M);
        QCOMPARE(box->text(), QString("Smith"));
        QCOMPARE(box->selectedText(), QString("ith"));

        // Lower case typed, stored in capitals: shown as stored.
        QTest::keyClick(box, Qt::Key_Y);
        QCOMPARE(t.Number(), 3);
        QCOMPARE(box->text(), QString("SMYTHE"));
        QCOMPARE(box->selectedText(), QString("THE"));
        QCOMPARE(box->cursorPosition(), 3);

        // Backspace takes the "Y" with the remainder: "SM" finds Smith again.
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(t.Number(), 1);
        QCOMPARE(box->text(), QString("Smith"));
        QCOMPARE(box->selectedText(), QString("ith"));

        // No match: cursor and text stay.
        QTest::keyClick(box, Qt::Key_Q);
        QCOMPARE(t.Number(), 1);
        QCOMPARE(box->text(), QString("Smq"));
        QVERIFY(box->selectedText().isEmpty());

        // Leaving shows the current row's value.
        form.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(box->text(), QString("Smith"));
        // The table's own order is left alone.
        QCOMPARE(t.people->IndexName(), tableIndex);
        QVERIFY(Dialogs::ShownLog().isEmpty());
    }

    // "sm" finds Smalley first in last-name order, but Smith first in record order.
    void firstMatchFollowsTheBoxsIndex_data() {
        QTest::addColumn<QString>("searchIndex");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("shown");
        QTest::newRow("last-name index") << "PLN" << 6 << "Smalley";
        QTest::newRow("table's order") << "" << 1 << "Smith";
    }

    void firstMatchFollowsTheBoxsIndex() {
        QFETCH(QString, searchIndex);
        QFETCH(int, expected);
        QFETCH(QString, shown);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.AddPerson(6, "Sam", "Smalley");
        t.people->First();
        SearchForm form(t.peopleS.get(), searchIndex);
        QVERIFY(ShowActive(form.window));
        form.box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(form.box, "sm");
        QCOMPARE(t.Number(), expected);
        QCOMPARE(form.box->text(), shown);
        QCOMPARE(form.box->selectedText(), shown.mid(2));
    }

    // Names as parishioners write them: case and accents set aside, the box shows the name
    // as stored with the untyped rest selected, and typing on after a completion goes on
    // finding although the box now holds the name's own accented letters.
    void findsAccentedNames_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("selected");
        QTest::newRow("É") << "É" << 7 << "élan"
                           << "lan";
        QTest::newRow("ä") << "ä" << 2 << "Adams"
                           << "dams"; // Adams before Ärger
        QTest::newRow("är") << "är" << 8 << "Ärger"
                            << "ger";
        QTest::newRow("el") << "el" << 7 << "élan"
                            << "an";
        QTest::newRow("lu") << "lu" << 11 << "Łukasz"
                            << "kasz";
        QTest::newRow("nun") << "nun" << 12 << "Núñez"
                             << "ez";
        QTest::newRow("nunez") << "nunez" << 12 << "Núñez"
                               << "";
    }
    void findsAccentedNames() {
        QFETCH(QString, typed);
        QFETCH(int, expected);
        QFETCH(QString, shown);
        QFETCH(QString, selected);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.AddPerson(7, "Anne", "élan");
        t.AddPerson(8, "Karl", "Ärger");
        t.AddPerson(9, "Kurt", "ärger");
        t.AddPerson(11, "Jan", "Łukasz");
        t.AddPerson(12, "Rosa", "Núñez");
        t.people->First();
        SearchForm form(t.peopleS.get(), "PLN");
        QVERIFY(ShowActive(form.window));
        form.box->setFocus(Qt::TabFocusReason);
        for (QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(form.box, &press);
            QApplication::sendEvent(form.box, &release);
        }
        QCOMPARE(t.Number(), expected);
        QCOMPARE(form.box->text(), shown);
        QCOMPARE(form.box->selectedText(), selected);
    }

    void findsOnlyRowsOfTheCurrentView() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.people->SetFilter("IsMember = true");
        t.people->SetFiltered(true);
        t.people->First();
        SearchForm form(t.peopleS.get(), "PLN");
        QVERIFY(ShowActive(form.window));
        form.box->setFocus(Qt::TabFocusReason);
        // SMYTHE and Baker are not members.
        QTest::keyClicks(form.box, "smy");
        QCOMPARE(t.Number(), 1);
        QCOMPARE(form.box->text(), QString("Smy"));
        form.box->clear();
        QTest::keyClicks(form.box, "b");
        QCOMPARE(t.Number(), 1);
        QTest::keyClick(form.box, Qt::Key_Backspace);
        QTest::keyClicks(form.box, "m");
        QCOMPARE(t.Number(), 4);
        QCOMPARE(form.box->text(), QString("McDonald"));
    }

    void followsTheCursorWhileUnfocused() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        SearchForm form(t.peopleS.get(), "PLN");
        QVERIFY(ShowActive(form.window));
        form.other->setFocus();
        t.people->Last();
        QCOMPARE(form.box->text(), QString("Baker"));
        QCOMPARE(form.box->selectedText(), QString("Baker"));
        // A search posts a pending change first, as any move does.
        t.people->Edit();
        t.people->FieldByName("FName")->SetAsString("Roberta");
        form.box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(form.box, "ad");
        QCOMPARE(t.Number(), 2);
        QCOMPARE(t.people->State(), DataSetState::Browse);
        t.people->Locate("RecordNumber", {5});
        QCOMPARE(t.people->FieldByName("FName")->AsString(), QString("Roberta"));
    }
};

VTX_REGISTER_TEST(TestSearchBox)
#include "tst_searchbox.moc"
