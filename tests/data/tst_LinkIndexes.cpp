// The links in force at start and the lookup of the minister name find their rows
// through an index of the table file instead of reading the whole file: on a
// parish of thousands of members every move of the roster runs each of them.
// The conditions are those the table engine writes for a link or a lookup.

#include "DataFixture.h"
#include "engine/Sqlite.h"
#include "engine/Table.h"

#include <QTest>

class TestLinkIndexes : public QObject {
    Q_OBJECT

    std::unique_ptr<DataFolder> m_folder;

private slots:
    void initTestCase() { m_folder = std::make_unique<DataFolder>(); }
    void cleanupTestCase() { m_folder.reset(); }
    void linksUseAnIndex_data();
    void linksUseAnIndex();
};

void TestLinkIndexes::linksUseAnIndex_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("fields");
    for (const DataTableDef& def : DataTableDefs())
        if (!def.masterSource.isEmpty())
            QTest::newRow(qPrintable(def.name)) << def.name << def.masterFields.split(';');
    QTest::newRow("RosterT, minister name lookup") << "RosterT" << QStringList{"RecordNumber"};
}

void TestLinkIndexes::linksUseAnIndex() {
    QFETCH(QString, table);
    QFETCH(QStringList, fields);
    const TableDef& def = TableDefOf(table);
    SqliteConnection conn(m_folder->file(def.tableName), false, def.tableName);
    auto plan = conn.Prepare(QString("EXPLAIN QUERY PLAN SELECT rowid FROM %1 WHERE %2")
                                 .arg(QuoteName(def.BaseName()), KeyConditionSql(def, fields)));
    QString steps;
    while (plan->Step())
        steps += plan->ColumnText(3) + "; ";
    QVERIFY2(steps.startsWith("SEARCH"), qPrintable(steps));
}

VTX_REGISTER_TEST(TestLinkIndexes)
#include "tst_LinkIndexes.moc"
