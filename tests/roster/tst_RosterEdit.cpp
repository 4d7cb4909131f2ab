// The Edit Roster window (numbering, adding, changing and deleting members, the search box,
// the close check) and the Select Active Record window.

#include "RosterWindowsFixture.h"
#include "roster/vtxAssignEnvelopeF.h"
#include "roster/vtxMemoF.h"
#include "roster/vtxRosterDatesF.h"
#include "roster/vtxRosterEditF.h"
#include "roster/vtxSelectActiveRecordF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxSearchBox.h"

#include <QDialog>
#include <QPushButton>
#include <QToolButton>

namespace {

// Record numbers 1, 2 and 7. Last in last-name order: 7; in first-name order: 1.
const QList<RosterPerson> People = {
    {1, "Olson", "Cora", true},
    {2, "Berg", "Bob", false},
    {7, "Quist", "Ann", true},
};

void Click(TDBNavigator* navigator, TNavButton button) {
    QTest::mouseClick(navigator->Button(button), Qt::LeftButton);
}

// Fills the required text fields of the current row through the window's boxes.
void TypeRequired(TRosterEditForm* form, const QString& last) {
    for (auto [edit, text] :
         {std::pair{form->FNameEdit, QString("Dana")}, std::pair{form->LNameEdit, last},
          std::pair{form->Address1Edit, QString("9 Elm St")}}) {
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, text);
    }
    form->CityEdit->setFocus(Qt::TabFocusReason);
}

} // namespace

class TestRosterEdit : public QObject {
    Q_OBJECT

    RosterWindowsFixture fx;

    TRosterEditForm* OpenEdit() {
        auto* form = new TRosterEditForm;
        ShowActive(form);
        return form;
    }

private slots:
    void init() { fx.Open(People); }
    void cleanup() { fx.Close(); }

    void openingNumbersAndMakesTheLastRecordActive() {
        QCOMPARE(fx.CurrentNumber(), 1);
        TRosterEditForm* form = OpenEdit();
        QCOMPARE(NextRecordNumber, 8);
        QCOMPARE(fx.CurrentNumber(), 7);
        QCOMPARE(ActiveRecordNumber, 7);
        QCOMPARE(form->LNameEdit->text(), QString("Quist"));
        QCOMPARE(form->RecordPosition->text(), QString("3:3"));
        Click(form->RosterNavigator, TNavButton::Insert);
        QCOMPARE(fx.Roster()->State(), DataSetState::Insert);
        QCOMPARE(form->RosterState->text(), QString("RosterT: Insert"));
        QCOMPARE(fx.Roster()->FieldByName("RecordNumber")->AsInteger(), 8);
    }

    void firstMemberOfAnEmptyRosterGetsOne() {
        fx.Open({});
        TRosterEditForm* form = OpenEdit();
        QCOMPARE(NextRecordNumber, 1);
        Click(form->RosterNavigator, TNavButton::Insert);
        TypeRequired(form, "Lund");
        QTest::mouseClick(form->IsMemberCheck, Qt::LeftButton);
        Click(form->RosterNavigator, TNavButton::Post);
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(fx.Roster()->State(), DataSetState::Browse);
        QCOMPARE(fx.RosterNumbers(), QList<int>({1}));
        QVERIFY(fx.Roster()->FieldByName("IsMember")->AsBoolean());
        QCOMPARE(NextRecordNumber, 2);
    }

    // The required fields are checked in field order; the member box must have been set.
    void postRefusesAMissingRequiredField_data() {
        QTest::addColumn<QString>("skipped");
        QTest::addColumn<bool>("clickMember");
        QTest::addColumn<QString>("message");
        QTest::newRow("member box never clicked")
            << "" << false << "Field 'IsMember' must have a value";
        QTest::newRow("first name") << "FName" << true << "Field 'FName' must have a value";
        QTest::newRow("last name") << "LName" << false << "Field 'LName' must have a value";
        QTest::newRow("address") << "Address1" << true << "Field 'Address1' must have a value";
    }
    void postRefusesAMissingRequiredField() {
        QFETCH(QString, skipped);
        QFETCH(bool, clickMember);
        QFETCH(QString, message);
        TRosterEditForm* form = OpenEdit();
        Click(form->RosterNavigator, TNavButton::Insert);
        for (TDBEdit* edit : {form->FNameEdit, form->LNameEdit, form->Address1Edit}) {
            if (edit->DataField() == skipped)
                continue;
            edit->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(edit, "Text");
        }
        if (clickMember)
            QTest::mouseClick(form->IsMemberCheck, Qt::LeftButton);
        Click(form->RosterNavigator, TNavButton::Post);
        QCOMPARE(fx.Shown(), QStringList({message}));
        QCOMPARE(fx.Roster()->State(), DataSetState::Insert);
        QCOMPARE(fx.Roster()->StoredRowCount(), 3);
        Click(form->RosterNavigator, TNavButton::Cancel);
        QCOMPARE(fx.RosterNumbers(), QList<int>({1, 2, 7}));
    }

    void nonMemberIsStoredByTickingAndClearingTheBox() {
        TRosterEditForm* form = OpenEdit();
        Click(form->RosterNavigator, TNavButton::Insert);
        TypeRequired(form, "Vik");
        QCOMPARE(form->IsMemberCheck->checkState(), Qt::PartiallyChecked);
        QTest::mouseClick(form->IsMemberCheck, Qt::LeftButton);
        QTest::mouseClick(form->IsMemberCheck, Qt::LeftButton);
        QCOMPARE(form->IsMemberCheck->checkState(), Qt::Unchecked);
        Click(form->RosterNavigator, TNavButton::Post);
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(fx.CurrentNumber(), 8);
        QCOMPARE(fx.Roster()->FieldByName("IsMember")->IsNull(), false);
        QCOMPARE(fx.Roster()->FieldByName("IsMember")->AsBoolean(), false);
    }

    void postingAChangeMakesTheLastRecordActive_data() {
        QTest::addColumn<QString>("index");
        QTest::addColumn<int>("last");
        QTest::newRow("record-number order") << "" << 7;
        QTest::newRow("last-name order") << "RLN" << 7;
        QTest::newRow("first-name order") << "RFN" << 1;
    }
    void postingAChangeMakesTheLastRecordActive() {
        QFETCH(QString, index);
        QFETCH(int, last);
        fx.Roster()->SetIndexName(index);
        TRosterEditForm* form = OpenEdit();
        QVERIFY(fx.GoTo(2));
        form->CityEdit->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(form->CityEdit, Qt::Key_End);
        QTest::keyClicks(form->CityEdit, "ton");
        QCOMPARE(fx.Roster()->State(), DataSetState::Edit);
        Click(form->RosterNavigator, TNavButton::Post);
        QCOMPARE(fx.CurrentNumber(), last);
        QCOMPARE(ActiveRecordNumber, last);
        QVERIFY(fx.GoTo(2));
        QCOMPARE(fx.Roster()->FieldByName("City")->AsString(), QString("Northfieldton"));
    }

    // Numbers are never given twice: the next one is past every number still carried by
    // the roster or by a member detail table.
    void numberingLooksPastDetailRecordsOfDeletedMembers_data() {
        QTest::addColumn<QString>("detailTable");
        QTest::addColumn<int>("next");
        QTest::newRow("no detail records") << "" << 3;
        QTest::newRow("a memo") << "MemoT" << 8;
        QTest::newRow("important dates") << "RosterDatesT" << 8;
        QTest::newRow("a baptism") << "BaptismT" << 8;
        QTest::newRow("an envelope") << "EnvelopeT" << 8;
    }
    void numberingLooksPastDetailRecordsOfDeletedMembers() {
        QFETCH(QString, detailTable);
        QFETCH(int, next);
        QList<DetailRow> details;
        if (detailTable == "MemoT")
            details << DetailRow{"MemoT", {{"RecordNumber", 7}, {"Memo", "Note"}}};
        else if (detailTable == "RosterDatesT")
            details << DetailRow{"RosterDatesT",
                                 {{"RecordNumber", 7}, {"BirthDate", QDate(1950, 5, 6)}}};
        else if (detailTable == "BaptismT")
            details << DetailRow{"BaptismT",
                                 {{"RecordNumber", 7},
                                  {"FName", "Cora"},
                                  {"LName", "Quist"},
                                  {"BaptismDate", QDate(1960, 1, 3)}}};
        else if (detailTable == "EnvelopeT")
            details << DetailRow{"EnvelopeT", {{"RecordNumber", 7}, {"EnvelopeNumber", "17"}}};
        fx.Open(People, details);
        TRosterEditForm* form = OpenEdit();
        QCOMPARE(NextRecordNumber, 8);

        // Deleting member 7 asks first; Cancel keeps it.
        Dialogs::QueueButton(Dialogs::Cancel);
        Click(form->RosterNavigator, TNavButton::Delete);
        QCOMPARE(fx.RosterNumbers(), QList<int>({1, 2, 7}));
        Dialogs::QueueButton(Dialogs::Ok);
        Click(form->RosterNavigator, TNavButton::Delete);
        QCOMPARE(fx.Shown(), QStringList({"Delete record?", "Delete record?"}));
        QCOMPARE(fx.RosterNumbers(), QList<int>({1, 2}));
        if (!detailTable.isEmpty())
            QCOMPARE(DataMod->TableByName(detailTable)->StoredRowCount(), 1);

        // Deleting does not recompute the number; a post does.
        Click(form->RosterNavigator, TNavButton::Insert);
        QCOMPARE(fx.Roster()->FieldByName("RecordNumber")->AsInteger(), 8);
        Click(form->RosterNavigator, TNavButton::Cancel);
        QVERIFY(fx.GoTo(1));
        form->PhoneEdit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(form->PhoneEdit, "9");
        Click(form->RosterNavigator, TNavButton::Post);
        QCOMPARE(NextRecordNumber, next);
    }

    void everyNavigatorClickEmptiesTheSearchBox_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("Last") << int(TNavButton::Last);
        QTest::newRow("Next") << int(TNavButton::Next);
        QTest::newRow("Refresh") << int(TNavButton::Refresh);
        QTest::newRow("Edit") << int(TNavButton::Edit);
        QTest::newRow("Post refused") << int(TNavButton::Post);
    }
    void everyNavigatorClickEmptiesTheSearchBox() {
        QFETCH(int, button);
        TRosterEditForm* form = OpenEdit();
        QCOMPARE(form->SearchBox->toolTip(), QString("Type a partial or whole last name."));
        TypeKeys(form->SearchBox, "ol");
        QCOMPARE(form->SearchBox->text(), QString("Olson"));
        QCOMPARE(fx.CurrentNumber(), 1);
        const bool refused = TNavButton(button) == TNavButton::Post;
        if (refused) {
            fx.Roster()->Edit();
            fx.Roster()->FieldByName("FName")->Clear();
        }
        Click(form->RosterNavigator, TNavButton(button));
        QCOMPARE(form->SearchBox->text(), QString());
        if (refused) {
            QCOMPARE(fx.Shown(), QStringList({"Field 'FName' must have a value"}));
            QCOMPARE(fx.Roster()->State(), DataSetState::Edit);
        }
    }

    void closeIsRefusedWhileARecordIsPending() {
        TRosterEditForm* form = OpenEdit();
        QPointer<TRosterEditForm> guard(form);
        form->TitleEdit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(form->TitleEdit, "Dr.");
        QVERIFY(!form->close());
        QCOMPARE(fx.Shown(), QStringList({"Please Post or Cancel the changes."}));
        QVERIFY(form->isVisible());
        QCOMPARE(fx.Roster()->State(), DataSetState::Edit);
        QCOMPARE(form->TitleEdit->text(), QString("Dr."));
        Click(form->RosterNavigator, TNavButton::Cancel);
        QVERIFY(form->close());
        FlushDeletes();
        QVERIFY(guard.isNull());
        QCOMPARE(fx.Roster()->FieldByName("Title")->AsString(), QString());
    }

    void theMemoLeavesTheRosterInEdit() {
        TRosterEditForm* form = OpenEdit();
        QTest::mouseClick(form->AddMemoButton, Qt::LeftButton);
        auto* memo = form->findChild<TMemoForm*>();
        QVERIFY(memo && memo->isVisible());
        QCOMPARE(memo->Mode(), TMemoMode::Edit);
        QCOMPARE(fx.Roster()->State(), DataSetState::Edit);
        QVERIFY(memo->close());
        QVERIFY(!form->close());
        QCOMPARE(fx.Shown(), QStringList({"Please Post or Cancel the changes."}));
        Click(form->RosterNavigator, TNavButton::Cancel);
        QVERIFY(form->close());
    }

    void buttonsOpenTheMemberWindowsOwnedByTheForm() {
        TRosterEditForm* form = OpenEdit();
        QPointer<TRosterDatesEditForm> dates;
        QTest::mouseClick(form->ImportantDatesButton, Qt::LeftButton);
        dates = form->findChild<TRosterDatesEditForm*>();
        QVERIFY(dates && dates->isVisible() && dates->isWindow());
        bool envelopeShown = false;
        Dialogs::QueueModal([&](QDialog* dialog) {
            envelopeShown =
                qobject_cast<TAssignEnvelopeForm*>(dialog) && dialog->parentWidget() == form;
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(form->AssignEnvelopeButton, Qt::LeftButton);
        QVERIFY(envelopeShown);
        QVERIFY(form->close());
        FlushDeletes();
        QVERIFY(dates.isNull());
    }

    void selectActiveRecordMovesTheRosterAtOnce() {
        auto* select = new TSelectActiveRecordForm(nullptr);
        ShowActive(select);
        TDBGrid* grid = select->RosterGrid;
        QCOMPARE(grid->ColumnCount(), 3);
        QCOMPARE(grid->GridModel()->ColumnTitle(2), QString("Name"));
        QCOMPARE(grid->model()->index(2, 2).data().toString(), QString("Quist, Ann "));
        const QModelIndex row = grid->model()->index(1, 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(row).center());
        QCOMPARE(ActiveRecordNumber, 2);
        TypeKeys(select->SearchBox, "q");
        QCOMPARE(ActiveRecordNumber, 7);
        QCOMPARE(grid->CursorRow(), 2);
        QCOMPARE(select->SearchBox->text(), QString("Quist"));
        QVERIFY(select->close());
        QCOMPARE(ActiveRecordNumber, 7);
    }
};

VTX_REGISTER_TEST(TestRosterEdit)
#include "tst_RosterEdit.moc"
