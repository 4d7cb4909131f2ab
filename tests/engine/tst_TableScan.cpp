// One pass over a table's view: the rows the cursor would meet (index order, filter,
// master link), with calculated and lookup fields, while the cursor, the row list and
// the controls stay as they were.

#include "TestSupport.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "engine/TableScan.h"

#include <QSignalSpy>
#include <QTest>

namespace {

TableDef EnvelopeDef() {
    TableDef d;
    d.tableName = "scnEnvelopeT.db";
    d.fields = {IntegerField("RecordNumber"), TextField("EnvelopeNumber", 10),
                TextField("Name", 20)};
    d.indexes = {PrimaryIndexDef("EnvKey", {"RecordNumber"}),
                 SecondaryIndexDef("EnvNum", {"EnvelopeNumber"})};
    return d;
}

TableDef GiftDef() {
    TableDef d;
    d.tableName = "scnGiftT.db";
    d.fields = {TextField("EnvelopeNumber", 10), DateField("OfferingDate"), MoneyField("Amount"),
                ShortField("Kept")};
    FieldDef quarter = ShortField("Quarter");
    quarter.kind = FieldKind::Calculated;
    FieldDef name = TextField("Giver", 20);
    name.kind = FieldKind::Lookup;
    name.keyFields = "EnvelopeNumber";
    name.lookupKeyFields = "EnvelopeNumber";
    name.lookupResultField = "Name";
    d.fields << quarter << name;
    d.indexes = {PrimaryIndexDef("GiftKey", {"EnvelopeNumber", "OfferingDate"}),
                 SecondaryIndexDef("GiftEnv", {"EnvelopeNumber"}),
                 SecondaryIndexDef("GiftDate", {"OfferingDate"})};
    return d;
}

struct Gift {
    const char* envelope;
    QDate date;
    double amount;
    int kept;
};

} // namespace

class TestTableScan : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<Table> m_envelopes;
    std::unique_ptr<Table> m_gifts;
    std::unique_ptr<DataSource> m_envelopeSource;
    std::unique_ptr<DataSource> m_giftSource;
    QString m_scanFault;

    void AddGift(const Gift& g) {
        m_gifts->Append();
        m_gifts->FieldByName("EnvelopeNumber")->SetAsString(g.envelope);
        if (g.date.isValid())
            m_gifts->FieldByName("OfferingDate")->SetAsDate(g.date);
        m_gifts->FieldByName("Amount")->SetAsFloat(g.amount);
        m_gifts->FieldByName("Kept")->SetAsInteger(g.kept);
        m_gifts->Post();
    }

    // The rows of a scan as "envelope date quarter giver", and the same of the cursor's
    // list read without moving it.
    QStringList Scanned() {
        QStringList rows;
        TableScan scan(*m_gifts);
        const QVector<QVariant>& v = scan.Values();
        while (scan.Next())
            rows << QString("%1 %2 q%3 %4")
                        .arg(v[0].toString(), v[1].toDate().toString(Qt::ISODate), v[4].toString(),
                             v[5].toString());
        // Checked in cleanup(): the count of rows met, and the scan staying at its end.
        if (scan.RowsRead() != rows.size() || scan.Next() || scan.RowId() != 0)
            m_scanFault = "the scan did not end as it should";
        return rows;
    }
    QStringList Listed() {
        QStringList rows;
        for (int r = 0; r < m_gifts->RecordCount(); ++r)
            rows << QString("%1 %2 q%3 %4")
                        .arg(m_gifts->DisplayValue(r, 0).toString(),
                             m_gifts->DisplayValue(r, 1).toDate().toString(Qt::ISODate),
                             m_gifts->DisplayValue(r, 4).toString(),
                             m_gifts->DisplayValue(r, 5).toString());
        return rows;
    }

private Q_SLOTS:
    void init() {
        m_folder = std::make_unique<TempFolder>();
        Aliases::SetPath("ScanTest", m_folder->path());
        m_envelopes = std::make_unique<Table>(EnvelopeDef(), "EnvelopeT");
        m_envelopes->DatabaseName = "ScanTest";
        m_envelopes->CreateTable();
        m_envelopes->Open();
        m_gifts = std::make_unique<Table>(GiftDef(), "GiftT");
        m_gifts->DatabaseName = "ScanTest";
        m_gifts->CreateTable();
        m_gifts->SetLookupTable("Giver", m_envelopes.get());
        // An empty date counts as 30 December 1899: quarter 4.
        m_gifts->OnCalcFields = [](DataSet& d) {
            const QDate date = d.FieldByName("OfferingDate")->AsDate();
            d.FieldByName("Quarter")->SetAsInteger(date.isValid() ? (date.month() + 2) / 3 : 4);
        };
        m_gifts->Open();
        m_envelopeSource = std::make_unique<DataSource>(m_envelopes.get());
        m_giftSource = std::make_unique<DataSource>(m_gifts.get());
        int number = 1;
        for (const char* envelope : {"9", "10", "2"}) {
            m_envelopes->Append();
            m_envelopes->FieldByName("RecordNumber")->SetAsInteger(number++);
            m_envelopes->FieldByName("EnvelopeNumber")->SetAsString(envelope);
            m_envelopes->FieldByName("Name")->SetAsString(QString("Giver %1").arg(envelope));
            m_envelopes->Post();
        }
        for (const Gift& g :
             {Gift{"9", QDate(2024, 4, 7), 20, 1}, Gift{"10", QDate(2024, 1, 7), 15, 0},
              Gift{"2", QDate(2023, 12, 31), 5, 1}, Gift{"10", QDate(2023, 4, 2), 12, 1},
              Gift{"77", QDate(), 3, 0}, Gift{"9", QDate(2023, 7, 2), 8, 0}})
            AddGift(g);
    }

    void cleanup() {
        QVERIFY2(m_scanFault.isEmpty(), qPrintable(m_scanFault));
        m_scanFault.clear();
        m_giftSource.reset();
        m_envelopeSource.reset();
        m_gifts.reset();
        m_envelopes.reset();
        m_folder.reset();
    }

    void rowsComeInTheOrderOfTheView_data() {
        QTest::addColumn<QString>("index");
        QTest::newRow("order of entry") << "";
        QTest::newRow("envelope number as text") << "GiftEnv";
        QTest::newRow("date") << "GiftDate";
        QTest::newRow("primary index") << "GiftKey";
    }

    void rowsComeInTheOrderOfTheView() {
        QFETCH(QString, index);
        m_gifts->SetIndexName(index);
        const QStringList scanned = Scanned();
        QCOMPARE(scanned, Listed());
        QCOMPARE(scanned.size(), 6);
    }

    void calculatedAndLookupFieldsAreFilled() {
        m_gifts->SetIndexName("GiftEnv");
        QCOMPARE(Scanned(), QStringList({"10 2024-01-07 q1 Giver 10", "10 2023-04-02 q2 Giver 10",
                                         "2 2023-12-31 q4 Giver 2", "77  q4 ",
                                         "9 2024-04-07 q2 Giver 9", "9 2023-07-02 q3 Giver 9"}));
    }

    void filterAndLinkNarrowTheRows() {
        m_gifts->SetFilter("Kept = 1");
        m_gifts->SetFiltered(true);
        QCOMPARE(Scanned(), Listed());
        QCOMPARE(Scanned().size(), 3);
        m_gifts->SetFiltered(false);

        m_gifts->SetMasterSource(m_envelopeSource.get());
        m_gifts->SetMasterFields("EnvelopeNumber");
        m_envelopes->Locate("EnvelopeNumber", {"9"});
        QCOMPARE(Scanned(), QStringList({"9 2023-07-02 q3 Giver 9", "9 2024-04-07 q2 Giver 9"}));
        QCOMPARE(Scanned(), Listed());
        // A master without rows: no row at all, as the cursor sees it.
        m_envelopes->EmptyTable();
        QCOMPARE(m_gifts->RecordCount(), 0);
        QCOMPARE(Scanned(), QStringList());
    }

    // The scan reads; it moves nothing and tells nobody.
    void cursorAndControlsAreLeftAlone() {
        m_gifts->SetIndexName("GiftEnv");
        m_gifts->SetRecNo(3);
        const Bookmark before = m_gifts->GetBookmark();
        QSignalSpy data(m_giftSource.get(), &DataSource::dataChanged);
        QSignalSpy rows(m_giftSource.get(), &DataSource::rowsChanged);
        int scrolled = 0;
        m_gifts->AfterScroll = [&scrolled](DataSet&) { ++scrolled; };
        TableScan scan(*m_gifts);
        int count = 0;
        while (scan.Next())
            ++count;
        QCOMPARE(count, 6);
        QCOMPARE(m_gifts->GetBookmark(), before);
        QCOMPARE(m_gifts->RecNo(), 3);
        QCOMPARE(data.size(), 0);
        QCOMPARE(rows.size(), 0);
        QCOMPARE(scrolled, 0);
        // The cursor's own row still reads its own values.
        QCOMPARE(m_gifts->FieldByName("EnvelopeNumber")->AsString(), QString("2"));
    }

    // A row being inserted is not in the file yet; once posted, the next scan meets it.
    void pendingRowIsNotInTheFileUntilPosted() {
        m_gifts->Append();
        m_gifts->FieldByName("EnvelopeNumber")->SetAsString("5");
        m_gifts->FieldByName("OfferingDate")->SetAsDate(QDate(2024, 10, 6));
        QCOMPARE(Scanned().size(), 6);
        QCOMPARE(m_gifts->State(), DataSetState::Insert);
        m_gifts->CheckBrowseMode();
        QCOMPARE(Scanned().size(), 7);
        QVERIFY(Scanned().contains("5 2024-10-06 q4 "));
    }

    void closedTableIsRefused() {
        m_gifts->Close();
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, TableScan scan(*m_gifts));
    }

    // Rules name fields as they are defined or in any other letter case.
    void fieldsAreFoundInAnyLetterCase() {
        Field* f = m_gifts->FindField("OfferingDate");
        QVERIFY(f);
        QCOMPARE(m_gifts->FindField("offeringdate"), f);
        QCOMPARE(m_gifts->FindField("OFFERINGDATE"), f);
        QCOMPARE(m_gifts->FindField("OfferingDates"), nullptr);
    }
};

VTX_REGISTER_TEST(TestTableScan)
#include "tst_TableScan.moc"
