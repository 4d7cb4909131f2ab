// The Memo window: read only from the View Roster window, editable from the Edit Roster
// window, and a close that neither saves nor drops what was typed.

#include "RosterWindowsFixture.h"
#include "roster/vtxMemoF.h"
#include "roster/vtxRosterEditF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"

#include <QPushButton>

namespace {

// Olson has a memo; Berg, the last record, has none.
const QList<RosterPerson> People = {{1, "Olson", "Cora"}, {2, "Berg", "Bob", false}};
const QList<DetailRow> Memos = {DetailRow{"MemoT", {{"RecordNumber", 1}, {"Memo", "Likes hymns"}}}};

void TypeMemo(TMemoForm* memo, const QString& text) {
    memo->MemoBox->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(memo->MemoBox, text);
}

} // namespace

class TestMemberMemo : public QObject {
    Q_OBJECT

    RosterWindowsFixture fx;

    Table* MemoTable() const { return DataMod->MemoT; }
    // The memo window as the Edit Roster window opens it (on the last roster record).
    TMemoForm* OpenFromEditRoster() {
        auto* roster = new TRosterEditForm;
        ShowActive(roster);
        QTest::mouseClick(roster->AddMemoButton, Qt::LeftButton);
        auto* memo = roster->findChild<TMemoForm*>();
        if (memo)
            ShowActive(memo);
        return memo;
    }

private slots:
    void init() { fx.Open(People, Memos); }
    void cleanup() { fx.Close(); }

    void viewModeOnlyShowsTheMemo() {
        auto* memo = new TMemoForm(TMemoMode::View, nullptr);
        ShowActive(memo);
        QCOMPARE(memo->windowTitle(), QString("Memo"));
        QCOMPARE(memo->MemoForLabel->text(), QString("Memo for: "));
        QCOMPARE(memo->MemoForName->text(), QString("Olson, Cora "));
        QCOMPARE(memo->MemoBox->toPlainText(), QString("Likes hymns"));
        QVERIFY(memo->ClearButton->isHidden());
        QVERIFY(memo->SaveButton->isHidden());
        QVERIFY(memo->MemoBox->isReadOnly());
        TypeMemo(memo, "x");
        QCOMPARE(memo->MemoBox->toPlainText(), QString("Likes hymns"));
        QCOMPARE(MemoTable()->State(), DataSetState::Browse);
        QCOMPARE(fx.Roster()->State(), DataSetState::Browse);
        // The name and the memo follow the active record.
        QVERIFY(fx.GoTo(2));
        QCOMPARE(memo->MemoForName->text(), QString("Berg, Bob "));
        QCOMPARE(memo->MemoBox->toPlainText(), QString());
    }

    void typingAndSavingStoresTheMembersFirstMemo() {
        TMemoForm* memo = OpenFromEditRoster();
        QVERIFY(memo);
        QCOMPARE(memo->Mode(), TMemoMode::Edit);
        QCOMPARE(fx.CurrentNumber(), 2);
        QCOMPARE(fx.Roster()->State(), DataSetState::Edit);
        QVERIFY(memo->SaveButton->isVisible());
        TypeMemo(memo, "Ushers in May");
        QCOMPARE(MemoTable()->State(), DataSetState::Insert);
        QTest::mouseClick(memo->SaveButton, Qt::LeftButton);
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(MemoTable()->State(), DataSetState::Browse);
        QCOMPARE(MemoTable()->StoredRowCount(), 2);
        QCOMPARE(MemoTable()->FieldByName("RecordNumber")->AsInteger(), 2);
        QCOMPARE(MemoTable()->FieldByName("Memo")->AsString(), QString("Ushers in May"));
    }

    void clearEmptiesTheMemoAsAnEdit() {
        TMemoForm* memo = OpenFromEditRoster();
        QVERIFY(memo);
        QVERIFY(fx.GoTo(1)); // posts nothing: the roster record has no change
        QCOMPARE(memo->MemoBox->toPlainText(), QString("Likes hymns"));
        QTest::mouseClick(memo->ClearButton, Qt::LeftButton);
        QCOMPARE(MemoTable()->State(), DataSetState::Edit);
        QCOMPARE(memo->MemoBox->toPlainText(), QString());
        QTest::mouseClick(memo->SaveButton, Qt::LeftButton);
        QCOMPARE(MemoTable()->State(), DataSetState::Browse);
        QVERIFY(MemoTable()->FieldByName("Memo")->IsNull());
        QCOMPARE(MemoTable()->FieldByName("RecordNumber")->AsInteger(), 1);
    }

    void saveWithoutAChangeIsRefused() {
        TMemoForm* memo = OpenFromEditRoster();
        QVERIFY(memo);
        QTest::mouseClick(memo->SaveButton, Qt::LeftButton);
        QCOMPARE(fx.Shown(), QStringList({"Dataset not in edit or insert mode"}));
        QCOMPARE(MemoTable()->StoredRowCount(), 1);
    }

    void closingNeitherSavesNorDropsTheTypedMemo() {
        TMemoForm* memo = OpenFromEditRoster();
        QVERIFY(memo);
        TypeMemo(memo, "Draft");
        QVERIFY(memo->close());
        FlushDeletes();
        QCOMPARE(fx.Shown(), QStringList());
        QCOMPARE(MemoTable()->State(), DataSetState::Insert);
        QCOMPARE(MemoTable()->FieldByName("Memo")->AsString(), QString("Draft"));
        QCOMPARE(MemoTable()->StoredRowCount(), 1);
    }
};

VTX_REGISTER_TEST(TestMemberMemo)
#include "tst_MemberMemo.moc"
