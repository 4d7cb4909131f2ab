// The View Roster window's record buttons: each opens its record view over the active
// member, owned by View Roster, and the view closes with it.

#include "RecordsFixture.h"
#include "records/vtxBaptismVewF.h"
#include "records/vtxBirthViewF.h"
#include "records/vtxMarriageViewF.h"
#include "records/vtxPassingViewF.h"
#include "roster/vtxRosterViewF.h"

#include <QPushButton>

namespace {

const QList<RecordsPerson> People = {
    {1, "Lund", "Erik"},
    {2, "Berg", "Anna"},
};

const QList<StoredRow> Records = {
    Baptism(1, "Nils", "Lund"),
    Baptism(2, "Maja", "Berg"),
    Birth(1, "Nils", "Lund"),
    Birth(2, "Maja", "Berg"),
    Marriage(2, "Per", "Holm", "Anna", "Berg"),
    Passing(2, QDate(2021, 5, 3), "Home"),
};

} // namespace

class TestRosterRecordButtons : public QObject {
    Q_OBJECT
    RecordsFixture fx;

private slots:
    void init() { fx.Open(People, Records); }
    void cleanup() { fx.Close(); }

    void buttonOpensItsViewOwnedByViewRoster_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("table");
        QTest::newRow("births") << "&Births"
                                << "TBirthViewForm"
                                << "BirthT";
        QTest::newRow("baptisms") << "B&aptisms"
                                  << "TBaptismViewForm"
                                  << "BaptismT";
        QTest::newRow("marriages") << "&Marriages"
                                   << "TMarriageViewForm"
                                   << "MarriageT";
        QTest::newRow("passing") << "&Passing"
                                 << "TViewPassingForm"
                                 << "PassingT";
    }
    void buttonOpensItsViewOwnedByViewRoster() {
        QFETCH(QString, caption);
        QFETCH(QString, className);
        QFETCH(QString, table);
        QVERIFY(fx.Activate(2));
        auto* roster = new TRosterViewForm;
        QVERIFY(ShowActive(roster));
        QPushButton* button = nullptr;
        for (QPushButton* b : roster->findChildren<QPushButton*>())
            if (b->text() == caption)
                button = b;
        QVERIFY2(button, qPrintable(caption));
        Click(button);
        // One new window, of the button's class, owned by View Roster.
        QList<QWidget*> opened;
        for (QWidget* w : roster->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isWindow())
                opened << w;
        QCOMPARE(opened.size(), 1);
        QPointer<QWidget> view = opened.first();
        QCOMPARE(view->metaObject()->className(), className.toLatin1());
        QVERIFY(view->isVisible());
        QVERIFY(fx.Shown().isEmpty());
        // The view lists the active member's record, not the first member's.
        Table* records = DataMod->TableByName(table);
        QVERIFY(records);
        QCOMPARE(records->RecordCount(), 1);
        QCOMPARE(records->FieldByName("RecordNumber")->AsInteger(), 2);
        QVERIFY(roster->close());
        FlushDeletes();
        QVERIFY(view.isNull() || !view->isVisible());
    }
};

VTX_REGISTER_TEST(TestRosterRecordButtons)
#include "tst_RosterRecordButtons.moc"
