// The Important Dates windows: entry (bound date boxes, the 1 January 1700 floor, the close
// check) and view (the dates as they stood when it opened).

#include "RosterWindowsFixture.h"
#include "roster/vtxRosterDatesF.h"
#include "roster/vtxRosterDatesViewF.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QList<RosterPerson> People = {{1, "Olson", "Cora"}, {2, "Berg", "Bob", false}};
const QList<DetailRow> Dates = {DetailRow{"RosterDatesT",
                                          {{"RecordNumber", 1},
                                           {"BirthDate", QDate(1950, 5, 6)},
                                           {"JoinedChurchDate", QDate(1980, 9, 14)}}}};

QStringList BoxTexts(TRosterDatesEditForm* form) {
    QStringList texts;
    for (TDBDateEdit* box : {form->BirthDateEdit, form->ConfirmationDateEdit, form->JoinedDateEdit,
                             form->LeftDateEdit, form->PassingDateEdit})
        texts << box->text();
    return texts;
}

QStringList ValueTexts(TRosterDatesViewForm* form) {
    QStringList texts;
    for (QLabel* value : {form->BirthdayValue, form->ConfirmedValue, form->JoinedValue,
                          form->LeftValue, form->PassingValue})
        texts << value->text();
    return texts;
}

// Types a date into a box and leaves it, as the user does.
void TypeDate(TRosterDatesEditForm* form, TDBDateEdit* box, const QString& text) {
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QTest::keyClicks(box, text);
    form->CloseButton->setFocus(Qt::TabFocusReason);
}

} // namespace

class TestMemberDates : public QObject {
    Q_OBJECT

    RosterWindowsFixture fx;

    TRosterDatesEditForm* OpenEntry() {
        auto* form = new TRosterDatesEditForm(nullptr);
        ShowActive(form);
        return form;
    }
    Table* DatesTable() const { return DataMod->RosterDatesT; }

private slots:
    void init() { fx.Open(People, Dates); }
    void cleanup() { fx.Close(); }

    void entryFollowsTheActiveRecord() {
        TRosterDatesEditForm* form = OpenEntry();
        QCOMPARE(form->windowTitle(), QString("Important Dates"));
        QCOMPARE(BoxTexts(form), QStringList({"5/6/1950", "", "9/14/1980", "", ""}));
        QVERIFY(fx.GoTo(2));
        QCOMPARE(BoxTexts(form), QStringList({"", "", "", "", ""}));
        QCOMPARE(form->DatesNavigator->VisibleButtons(),
                 QList<TNavButton>({TNavButton::Insert, TNavButton::Delete, TNavButton::Edit,
                                    TNavButton::Post, TNavButton::Cancel, TNavButton::Refresh}));
    }

    void typingStartsTheMembersFirstDatesRecord() {
        QVERIFY(fx.GoTo(2));
        TRosterDatesEditForm* form = OpenEntry();
        TypeDate(form, form->ConfirmationDateEdit, "3/4/1990");
        QCOMPARE(DatesTable()->State(), DataSetState::Insert);
        QTest::mouseClick(form->DatesNavigator->Button(TNavButton::Post), Qt::LeftButton);
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(DatesTable()->State(), DataSetState::Browse);
        QCOMPARE(DatesTable()->StoredRowCount(), 2);
        QCOMPARE(DatesTable()->FieldByName("RecordNumber")->AsInteger(), 2);
        QCOMPARE(DatesTable()->FieldByName("ConfirmationDate")->AsDate(), QDate(1990, 3, 4));
        QVERIFY(fx.GoTo(1));
        QVERIFY(fx.GoTo(2));
        QCOMPARE(BoxTexts(form), QStringList({"", "3/4/1990", "", "", ""}));
    }

    void noDateBeforeTheFirstOf1700_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("stored");
        QTest::newRow("the day before") << "12/31/1699" << QDate(1700, 1, 1);
        QTest::newRow("long before") << "10/14/1066" << QDate(1700, 1, 1);
        QTest::newRow("the first day") << "1/1/1700" << QDate(1700, 1, 1);
        QTest::newRow("the day after") << "1/2/1700" << QDate(1700, 1, 2);
    }
    void noDateBeforeTheFirstOf1700() {
        QFETCH(QString, typed);
        QFETCH(QDate, stored);
        TRosterDatesEditForm* form = OpenEntry();
        TypeDate(form, form->PassingDateEdit, typed);
        QTest::mouseClick(form->DatesNavigator->Button(TNavButton::Post), Qt::LeftButton);
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(DatesTable()->FieldByName("PassingDate")->AsDate(), stored);
        QCOMPARE(form->PassingDateEdit->text(), FormatShortDate(stored));
    }

    void aTextThatIsNoDateKeepsTheFocus() {
        TRosterDatesEditForm* form = OpenEntry();
        form->LeftDateEdit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(form->LeftDateEdit, "2/30/2001");
        form->CloseButton->setFocus(Qt::TabFocusReason);
        QCOMPARE(fx.Shown(), QStringList({"'2/30/2001' is not a valid date"}));
        QTRY_VERIFY(form->LeftDateEdit->hasFocus());
        QVERIFY(DatesTable()->FieldByName("LeftChurchDate")->IsNull());
    }

    void entryRefusesToCloseWithAPendingChange() {
        TRosterDatesEditForm* form = OpenEntry();
        QPointer<TRosterDatesEditForm> guard(form);
        TypeDate(form, form->BirthDateEdit, "5/7/1950");
        QCOMPARE(DatesTable()->State(), DataSetState::Edit);
        QVERIFY(!form->close());
        QCOMPARE(fx.Shown(), QStringList({"Please Post or Cancel the changes."}));
        QCOMPARE(DatesTable()->State(), DataSetState::Edit);
        QTest::mouseClick(form->DatesNavigator->Button(TNavButton::Cancel), Qt::LeftButton);
        QCOMPARE(form->BirthDateEdit->text(), QString("5/6/1950"));
        QVERIFY(form->close());
        FlushDeletes();
        QVERIFY(guard.isNull());
    }

    void viewShowsTheDatesAsTheyWereWhenOpened() {
        auto* view = new TRosterDatesViewForm(nullptr);
        ShowActive(view);
        QCOMPARE(view->BirthdayLabel->text(), QString("Birthday"));
        QCOMPARE(ValueTexts(view), QStringList({"5/6/1950", "", "9/14/1980", "", ""}));
        QVERIFY(fx.GoTo(2));
        QCOMPARE(ValueTexts(view), QStringList({"5/6/1950", "", "9/14/1980", "", ""}));
        auto* other = new TRosterDatesViewForm(nullptr);
        QCOMPARE(ValueTexts(other), QStringList({"", "", "", "", ""}));
    }
};

VTX_REGISTER_TEST(TestMemberDates)
#include "tst_MemberDates.moc"
