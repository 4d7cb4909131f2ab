// The Assign Envelope window: its unbound pledge box, posts that link the envelope to the
// active record, the refused duplicate, and the close check.

#include "RosterWindowsFixture.h"
#include "roster/vtxAssignEnvelopeF.h"
#include "toolkit/vtxCurrencyEdit.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"

#include <QPushButton>
#include <QToolButton>

namespace {

const QList<RosterPerson> People = {{1, "Olson", "Cora"}, {2, "Berg", "Bob"}, {3, "Quist", "Ann"}};
// In envelope-number order: 101 (Olson, $520.00), then 103 (Quist, $100.00).
const QList<DetailRow> Envelopes = {DetailRow{"EnvelopeT",
                                              {{"RecordNumber", 3},
                                               {"EnvelopeNumber", "103"},
                                               {"PledgeYear", 2024},
                                               {"PledgeAmount", 100.0}}},
                                    DetailRow{"EnvelopeT",
                                              {{"RecordNumber", 1},
                                               {"EnvelopeNumber", "101"},
                                               {"PledgeYear", 2024},
                                               {"PledgeAmount", 520.0}}}};

void Click(TAssignEnvelopeForm* form, TNavButton button) {
    QTest::mouseClick(form->EnvelopeNavigator->Button(button), Qt::LeftButton);
}

void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

class TestAssignEnvelope : public QObject {
    Q_OBJECT

    RosterWindowsFixture fx;

    Table* Envelope() const { return DataMod->EnvelopeT; }
    TAssignEnvelopeForm* OpenForm() {
        auto* form = new TAssignEnvelopeForm(nullptr);
        ShowActive(form);
        return form;
    }
    // The stored envelope of a roster record, read without moving the shared cursor.
    static QVariant Stored(int recordNumber, const QString& field) {
        return DataMod->EnvelopeT->Lookup("RecordNumber", {recordNumber}, field);
    }

private slots:
    void init() { fx.Open(People, Envelopes); }
    void cleanup() { fx.Close(); }

    void pledgeBoxKeepsItsAmountThroughInsert() {
        QVERIFY(fx.GoTo(2));
        TAssignEnvelopeForm* form = OpenForm();
        QCOMPARE(form->windowTitle(), QString("Assign Envelope"));
        QCOMPARE(form->LinkedName->text(), QString("Berg, Bob "));
        QCOMPARE(form->EnvelopeEdit->text(), QString("101"));
        QCOMPARE(form->PledgeAmountEdit->text(), QString("$520.00"));
        Click(form, TNavButton::Insert);
        QCOMPARE(form->EnvelopeState->text(), QString("EnvelopeT: Insert"));
        QCOMPARE(form->PledgeAmountEdit->text(), QString("$520.00"));
        TypeInto(form->EnvelopeEdit, "102");
        TypeInto(form->PledgeYearEdit, "2025");
        Click(form, TNavButton::Post);
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(Envelope()->State(), DataSetState::Browse);
        QCOMPARE(Stored(2, "EnvelopeNumber").toString(), QString("102"));
        QCOMPARE(Stored(2, "PledgeYear").toInt(), 2025);
        QCOMPARE(VariantToCurrency(Stored(2, "PledgeAmount")), Currency::FromUnits(5200000));
    }

    void theTypedAmountIsWrittenBeforeThePost() {
        QVERIFY(fx.GoTo(2));
        TAssignEnvelopeForm* form = OpenForm();
        Click(form, TNavButton::Insert);
        TypeInto(form->EnvelopeEdit, "102");
        TypeInto(form->PledgeAmountEdit, "75.255");
        Click(form, TNavButton::Post); // the box still has the focus
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(VariantToCurrency(Stored(2, "PledgeAmount")), Currency::FromUnits(752550));
    }

    void postingAnEditPassesTheEnvelopeToTheActiveRecord() {
        QVERIFY(fx.GoTo(2));
        TAssignEnvelopeForm* form = OpenForm();
        Click(form, TNavButton::Edit); // envelope 101, Olson's
        Click(form, TNavButton::Post);
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(Stored(2, "EnvelopeNumber").toString(), QString("101"));
        QVERIFY(Stored(1, "EnvelopeNumber").isNull());
    }

    void aSecondEnvelopeForTheSameMemberIsRefused() {
        QVERIFY(fx.GoTo(1));
        TAssignEnvelopeForm* form = OpenForm();
        Click(form, TNavButton::Insert);
        TypeInto(form->EnvelopeEdit, "999");
        Click(form, TNavButton::Post);
        QCOMPARE(fx.Shown(),
                 QStringList({"An error occurred attempting to post to the Envelope Table..\n\n"
                              "Be sure that the number for the record is not already in use.\n\n"
                              "Also be sure you are not trying to schedule someone\n"
                              "for the same lay ministry or activity more than once."}));
        QCOMPARE(Envelope()->State(), DataSetState::Insert);
        QCOMPARE(form->EnvelopeEdit->text(), QString("999"));
    }

    void navigatorActionsLeaveThePledgeBoxAlone_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("Delete") << int(TNavButton::Delete);
        QTest::newRow("Cancel") << int(TNavButton::Cancel);
        QTest::newRow("Refresh") << int(TNavButton::Refresh);
    }
    void navigatorActionsLeaveThePledgeBoxAlone() {
        QFETCH(int, button);
        TAssignEnvelopeForm* form = OpenForm();
        if (TNavButton(button) == TNavButton::Cancel) {
            Click(form, TNavButton::Edit);
            TypeInto(form->EnvelopeEdit, "111");
        }
        Dialogs::QueueButton(Dialogs::Ok);
        Click(form, TNavButton(button));
        QCOMPARE(form->PledgeAmountEdit->text(), QString("$520.00"));
        if (TNavButton(button) == TNavButton::Delete) {
            QCOMPARE(form->EnvelopeEdit->text(), QString("103"));
            QCOMPARE(CurrentPledgeAmount, Currency::FromUnits(1000000));
        }
    }

    void closeIsRefusedWhileAnEnvelopeIsPending() {
        TAssignEnvelopeForm* form = OpenForm();
        QPointer<TAssignEnvelopeForm> guard(form);
        Click(form, TNavButton::Insert);
        QVERIFY(!form->close());
        QTest::keyClick(form, Qt::Key_Escape);
        QCOMPARE(fx.Shown(), QStringList({"Please Post or Cancel the changes.",
                                          "Please Post or Cancel the changes."}));
        QVERIFY(form->isVisible());
        QCOMPARE(Envelope()->State(), DataSetState::Insert);
        Click(form, TNavButton::Cancel);
        QVERIFY(form->close());
        FlushDeletes();
        QVERIFY(guard.isNull());
    }
};

VTX_REGISTER_TEST(TestAssignEnvelope)
#include "tst_AssignEnvelope.moc"
