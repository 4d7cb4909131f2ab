// The Stewardship Data Entry window: its Sunday and envelope lists, a gift entered with a
// click on a Sunday, a click on an envelope and the amount typed, the refused duplicate, the
// envelope click while nothing is entered, the close check, another year, the search box.

#include "StewardshipFixture.h"
#include "engine/ESBDates.h"
#include "stewardship/vtxStewardDataEntryF.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxPickList.h"
#include "toolkit/vtxSearchBox.h"

#include <QPushButton>
#include <QToolButton>

using namespace stewardship_test;

namespace {

void ClickItem(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

int RowOf(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? -1 : list->row(found.first());
}

} // namespace

class TestStewardEntry : public QObject {
    Q_OBJECT

    RosterWindowsFixture fx;

    static Table* GiftT() { return DataMod->EnvelopeOfferingT; }

    // The window, shown and active, its Sunday list on 2024.
    TStewardshipDataEntryForm* OpenForm() {
        auto* form = new TStewardshipDataEntryForm(nullptr);
        ShowActive(form);
        Dialogs::QueueInput(true, "2024");
        QTest::mouseClick(form->YearButton, Qt::LeftButton);
        Dialogs::ClearScript();
        return form;
    }
    static void ClickSunday(TStewardshipDataEntryForm* form, const QString& date) {
        const int row = RowOf(form->SundaysListBox, date);
        QVERIFY2(row >= 0, qPrintable(date));
        ClickItem(form->SundaysListBox, row);
    }
    static void ClickEnvelope(TStewardshipDataEntryForm* form, const QString& number) {
        const int row = RowOf(form->EnvelopeListBox, number);
        QVERIFY2(row >= 0, qPrintable(number));
        ClickItem(form->EnvelopeListBox, row);
    }
    // Types into the Amount cell of the current gift, as a user does: a click, then keys.
    static void TypeAmount(TStewardshipDataEntryForm* form, const QString& amount) {
        TDBGrid* grid = form->EnvelopeOfferingDBGrid;
        const QModelIndex cell = grid->model()->index(grid->CursorRow(), 3);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        QTest::keyClicks(grid, amount.left(1));
        QTest::keyClicks(QApplication::focusWidget(), amount.mid(1));
    }

private slots:
    void init() { fx.Open(People, Envelopes() + stewardship_test::Gifts()); }
    void cleanup() { fx.Close(); }

    // This year's Sundays; every envelope in text order, the shared envelope table left on the
    // last one; the grid shows the gifts of every year, in envelope order.
    void opensWithThisYearsSundaysAndEveryEnvelope() {
        auto* form = new TStewardshipDataEntryForm(nullptr);
        const QList<QDate> sundays = TSundayList::SundaysOfYear(ThisYear());
        QCOMPARE(form->SundaysListBox->count(), int(sundays.size()));
        QCOMPARE(form->SundaysListBox->item(0)->text(), FormatShortDate(sundays.first()));
        QStringList envelopes;
        for (int row = 0; row < form->EnvelopeListBox->count(); ++row)
            envelopes << form->EnvelopeListBox->item(row)->text();
        QCOMPARE(envelopes, QStringList({"1", "10", "2", "77", "9"}));
        QCOMPARE(DataMod->EnvelopeT->FieldByName("EnvelopeNumber")->AsString(), QString("9"));
        QCOMPARE(CurrentEnvelopeNumber, QString("9"));
        QCOMPARE(form->EnvelopeOfferingDBGrid->model()->rowCount(), 8);
        QCOMPARE(GiftEnvelopes(), QStringList({"1", "1", "10", "10", "2", "2", "77", "9"}));
        QCOMPARE(form->EnvelopeOfferingDBGrid->model()->headerData(1, Qt::Horizontal).toString(),
                 QString("Offering Date"));
        delete form;
    }

    // One Sunday's envelopes: the Sunday, the envelope, the amount; the next Sunday click
    // posts the gift and starts the next one; the navigator posts the last.
    void enteringASundaysGifts() {
        auto* form = OpenForm();
        ClickSunday(form, "3/10/2024");
        QCOMPARE(GiftT()->State(), DataSetState::Insert);
        QCOMPARE(GiftT()->FieldByName("OfferingDate")->AsDate(), QDate(2024, 3, 10));
        ClickEnvelope(form, "10");
        QCOMPARE(GiftT()->FieldByName("EnvelopeNumber")->AsString(), QString("10"));
        TypeAmount(form, "35.5");
        ClickSunday(form, "3/10/2024");
        QCOMPARE(StoredAmount("10", QDate(2024, 3, 10)), QString("35.5"));
        QCOMPARE(GiftT()->State(), DataSetState::Insert);
        QCOMPARE(GiftT()->FieldByName("OfferingDate")->AsDate(), QDate(2024, 3, 10));
        ClickEnvelope(form, "2");
        TypeAmount(form, "12");
        QTest::mouseClick(form->EnvelopeNavigator->Button(TNavButton::Post), Qt::LeftButton);
        QCOMPARE(GiftT()->State(), DataSetState::Browse);
        QCOMPARE(StoredAmount("2", QDate(2024, 3, 10)), QString("12"));
        QCOMPARE(GiftT()->RecordCount(), 10);
        QCOMPARE(GiftT()->FieldByName("EnvelopeNumber")->AsString(), QString("2"));
        QVERIFY(fx.Shown().isEmpty());
    }

    // From the keyboard: Enter on a Sunday, Enter on an envelope.
    void keyboardPicksLikeAClick() {
        auto* form = OpenForm();
        form->SundaysListBox->setFocus();
        form->SundaysListBox->setCurrentRow(RowOf(form->SundaysListBox, "1/14/2024"));
        QTest::keyClick(form->SundaysListBox, Qt::Key_Return);
        QCOMPARE(GiftT()->State(), DataSetState::Insert);
        QCOMPARE(GiftT()->FieldByName("OfferingDate")->AsDate(), QDate(2024, 1, 14));
        // The amount's cell is the grid's current cell: Tab there and type.
        QCOMPARE(form->EnvelopeOfferingDBGrid->currentIndex().column(), 3);
        form->EnvelopeListBox->setFocus();
        form->EnvelopeListBox->setCurrentRow(RowOf(form->EnvelopeListBox, "77"));
        QTest::keyClick(form->EnvelopeListBox, Qt::Key_Space);
        QCOMPARE(GiftT()->FieldByName("EnvelopeNumber")->AsString(), QString("77"));
        form->EnvelopeOfferingDBGrid->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(form->EnvelopeOfferingDBGrid, "8");
        QTest::keyClicks(QApplication::focusWidget(), "8");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // written once events run
        QTRY_COMPARE(GiftT()->FieldByName("Amount")->AsString(), QString("88"));
        QTest::mouseClick(form->EnvelopeNavigator->Button(TNavButton::Post), Qt::LeftButton);
        QCOMPARE(StoredAmount("77", QDate(2024, 1, 14)), QString("88"));
    }

    // A second gift in one envelope on one Sunday: the data module's message when the next
    // Sunday is clicked; the gift stays being entered, with what was typed, and no other starts.
    void aSecondGiftForOneEnvelopeAndSundayIsRefused() {
        auto* form = OpenForm();
        ClickSunday(form, "4/7/2024");
        ClickEnvelope(form, "10");
        TypeAmount(form, "99");
        ClickSunday(form, "4/14/2024");
        QCOMPARE(fx.Shown(), QStringList({"There was a posting error.  You may have tried to add\n"
                                          "an envelope twice for the same date."}));
        QCOMPARE(GiftT()->State(), DataSetState::Insert);
        QCOMPARE(GiftT()->FieldByName("OfferingDate")->AsDate(), QDate(2024, 4, 7));
        QCOMPARE(GiftT()->FieldByName("Amount")->AsString(), QString("99"));
        QCOMPARE(GiftT()->RecordCount(), 8);
        QCOMPARE(StoredAmount("10", QDate(2024, 4, 7)), QString("25"));
        // Corrected, it goes in.
        ClickEnvelope(form, "1");
        QTest::mouseClick(form->EnvelopeNavigator->Button(TNavButton::Post), Qt::LeftButton);
        QCOMPARE(StoredAmount("1", QDate(2024, 4, 7)), QString("99"));
    }

    // While nothing is being entered the engine refuses the number; nothing changes.
    void anEnvelopeClickWhileBrowsingIsRefused() {
        auto* form = OpenForm();
        GiftT()->First();
        ClickEnvelope(form, "77");
        QCOMPARE(fx.Shown(), QStringList({"Dataset not in edit or insert mode"}));
        QCOMPARE(Dialogs::ShownLog().first().kind, QString("error"));
        QCOMPARE(GiftT()->State(), DataSetState::Browse);
        QCOMPARE(GiftT()->FieldByName("EnvelopeNumber")->AsString(), QString("1"));
        QCOMPARE(GiftEnvelopes(), QStringList({"1", "1", "10", "10", "2", "2", "77", "9"}));
    }

    // Right after a click on a Sunday the window stays open, however it is closed.
    void closingRightAfterASundayClickIsRefused() {
        QPointer<TStewardshipDataEntryForm> form = OpenForm();
        ClickSunday(form, "12/29/2024");
        QTest::mouseClick(form->CloseButton, Qt::LeftButton);
        QTest::keyClick(form, Qt::Key_Escape);
        form->close();
        QCOMPARE(fx.Shown(), QStringList(3, "Please Post or Cancel the changes."));
        QVERIFY(form->isVisible());
        QCOMPARE(GiftT()->State(), DataSetState::Insert);
        QTest::mouseClick(form->EnvelopeNavigator->Button(TNavButton::Cancel), Qt::LeftButton);
        QTest::mouseClick(form->CloseButton, Qt::LeftButton);
        FlushDeletes();
        QVERIFY(form.isNull());
        QCOMPARE(GiftT()->RecordCount(), 8);
    }

    // "Different Year": the prompt and its refusals (the list itself is the toolkit's).
    void anotherYear() {
        auto* form = OpenForm();
        Dialogs::QueueInput(true, "2023");
        QTest::mouseClick(form->YearButton, Qt::LeftButton);
        QCOMPARE(form->SundaysListBox->count(), 53);
        QCOMPARE(form->SundaysListBox->item(0)->text(), QString("1/1/2023"));
        Dialogs::QueueInput(true, "two thousand");
        QTest::mouseClick(form->YearButton, Qt::LeftButton);
        QCOMPARE(form->SundaysListBox->count(), 53);
        Dialogs::QueueInput(true, "10000");
        QTest::mouseClick(form->YearButton, Qt::LeftButton);
        QCOMPARE(form->SundaysListBox->count(), 0);
        QCOMPARE(fx.Shown(), QStringList({"Enter the year", "Enter the year",
                                          "'two thousand' is not a valid integer value",
                                          "Enter the year", "Invalid Date"}));
    }

    // An empty envelope table: an empty list; a gift is entered with a typed number.
    void noEnvelopesTheNumberIsTyped() {
        fx.Open(People, stewardship_test::Gifts());
        auto* form = OpenForm();
        QCOMPARE(form->EnvelopeListBox->count(), 0);
        ClickSunday(form, "5/5/2024");
        TDBGrid* grid = form->EnvelopeOfferingDBGrid;
        const QModelIndex cell = grid->model()->index(grid->CursorRow(), 0);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        QTest::keyClicks(grid, "4");
        QTest::keyClicks(QApplication::focusWidget(), "2");
        TypeAmount(form, "7");
        QTest::mouseClick(form->EnvelopeNavigator->Button(TNavButton::Post), Qt::LeftButton);
        QCOMPARE(StoredAmount("42", QDate(2024, 5, 5)), QString("7"));
        QVERIFY(fx.Shown().isEmpty());
    }

    // The yellow box finds a gift by the leading text of its envelope number and shows the
    // whole number; left, it shows the current gift's number again.
    void searchingByEnvelope() {
        auto* form = OpenForm();
        TypeKeys(form->SearchBox, "7");
        QCOMPARE(GiftT()->FieldByName("EnvelopeNumber")->AsString(), QString("77"));
        QCOMPARE(form->SearchBox->text(), QString("77"));
        QCOMPARE(form->SearchBox->selectedText(), QString("7"));
        QCOMPARE(form->EnvelopeOfferingDBGrid->currentIndex().row(), 6);
        form->EnvelopeOfferingDBGrid->setFocus(); // the box is emptied when it is entered again
        TypeKeys(form->SearchBox, "10");
        QCOMPARE(GiftT()->RecNo(), 3);
        form->EnvelopeOfferingDBGrid->setFocus();
        QCOMPARE(form->SearchBox->text(), QString("10"));
        GiftT()->Last();
        QCOMPARE(form->SearchBox->text(), QString("9"));
    }
};

VTX_REGISTER_TEST(TestStewardEntry)
#include "tst_StewardEntry.moc"
