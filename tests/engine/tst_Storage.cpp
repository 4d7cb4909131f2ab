// How values reach the table file: each field type is stored in one form, and a value
// that is no valid value of its type is stored as empty (NULL), so that "is empty" tests,
// required fields and orders see it as empty.

#include "TestSupport.h"
#include "engine/Sqlite.h"
#include "engine/Types.h"

#include <QDate>
#include <QTest>
#include <QTime>

class TestStorage : public QObject {
    Q_OBJECT

private slots:
    void valuesAreStoredInOneForm_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("storedType");
        QTest::addColumn<QString>("stored");
        auto row = [](const char* name, FieldType type, const QVariant& value,
                      const char* storedType, const char* stored) {
            QTest::newRow(name) << int(type) << value << storedType << stored;
        };
        row("date", FieldType::Date, QDate(2026, 12, 10), "text", "2026-12-10");
        row("invalid date", FieldType::Date, QDate(), "null", "");
        row("impossible date", FieldType::Date, QDate(2026, 2, 30), "null", "");
        row("date of a text", FieldType::Date, QString("not a date"), "null", "");
        row("time", FieldType::Time, QTime(10, 30), "text", "10:30:00");
        row("invalid time", FieldType::Time, QTime(), "null", "");
        row("empty text", FieldType::Text, QString(""), "null", "");
        row("text", FieldType::Text, QString("Adams"), "text", "Adams");
        row("logical", FieldType::Logical, true, "integer", "1");
        row("integer", FieldType::Integer, 42, "integer", "42");
        row("money", FieldType::Money, QVariant::fromValue(Currency::FromDouble(12.5)), "real",
            "12.5");
        row("no value", FieldType::Integer, QVariant(), "null", "");
    }
    void valuesAreStoredInOneForm() {
        QFETCH(int, type);
        QFETCH(QVariant, value);
        QFETCH(QString, storedType);
        QFETCH(QString, stored);
        TempFolder folder;
        SqliteConnection conn(folder.file("storage.db"), true, "storage");
        conn.Exec("CREATE TABLE t (v)");
        auto insert = conn.Prepare("INSERT INTO t (v) VALUES (?)");
        insert->Bind(1, value, FieldType(type));
        insert->Step();
        auto read = conn.Prepare("SELECT typeof(v), IFNULL(v, '') FROM t");
        QVERIFY(read->Step());
        QCOMPARE(read->ColumnText(0), storedType);
        QCOMPARE(read->ColumnText(1), stored);
    }
};

VTX_REGISTER_TEST(TestStorage)
#include "tst_Storage.moc"
