// The data rules the worship windows rely on: a memo of special instructions belongs to a
// service with a date and a time, or it is refused with the worship message.

#include "WorshipFixture.h"

class TestWorshipData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { m_f.Close(); }

    void memoNeedsTheServicesDateAndTime_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<bool>("stored");
        QTest::newRow("service with date and time") << QDate(2024, 3, 10) << QTime(10, 0) << true;
        QTest::newRow("service without a time") << QDate(2024, 3, 10) << QTime() << false;
        QTest::newRow("service without a date") << QDate() << QTime(10, 0) << false;
    }

    // The memo is written while the service is still being entered, as the memo window
    // does; it takes the service's date and time when it is posted.
    void memoNeedsTheServicesDateAndTime() {
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(bool, stored);
        m_f.Create();
        m_f.Start();
        Table* service = DataMod->WorshipT;
        Table* memo = DataMod->WorshipMemoT;
        service->Insert();
        if (date.isValid())
            service->FieldByName("WorshipDate")->SetAsDate(date);
        if (time.isValid())
            service->FieldByName("WorshipTime")->SetAsTime(time);
        memo->Insert();
        memo->FieldByName("Special Instructions")->SetAsString("Communion by intinction");

        bool refused = false;
        try {
            memo->Post();
        } catch (const EAbort&) {
            refused = true;
        }
        QCOMPARE(refused, !stored);
        if (stored) {
            QCOMPARE(memo->State(), DataSetState::Browse);
            QCOMPARE(memo->FieldByName("WorshipDate")->AsDate(), date);
            QCOMPARE(memo->FieldByName("WorshipTime")->AsTime(), time);
            QCOMPARE(m_f.Shown(), QStringList());
        } else {
            QCOMPARE(m_f.Shown(), QStringList{WorshipFixture::WorshipMessage()});
            QCOMPARE(memo->State(), DataSetState::Insert);
            QCOMPARE(memo->FieldByName("Special Instructions")->AsString(),
                     QString("Communion by intinction"));
            QCOMPARE(memo->StoredRowCount(), 0);
        }
    }

private:
    WorshipFixture m_f;
};

VTX_REGISTER_TEST(TestWorshipData)
#include "tst_WorshipData.moc"
