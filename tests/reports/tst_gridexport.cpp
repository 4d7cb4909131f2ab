// Grid export: the table built from titles and rows, and the OpenDocument text file.

#include "TestSupport.h"
#include "toolkit/vtxGridExport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

QTextTable* FirstTable(QTextDocument* document) {
    for (QTextFrame* frame : document->rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            return table;
    return nullptr;
}

QString CellText(QTextTable* table, int row, int column) {
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

// Counts how often the source was read, to see that it is walked once.
class CountingSource : public GridExportSource {
public:
    QStringList Titles() override { return {"Last", "First"}; }
    int RowCount() override {
        ++countCalls;
        return 3;
    }
    QStringList Row(int row) override {
        rowsRead << row;
        return {QStringLiteral("L%1").arg(row), QStringLiteral("F%1").arg(row)};
    }
    int countCalls = 0;
    QList<int> rowsRead;
};

} // namespace

class GridExportTest : public QObject {
    Q_OBJECT

private slots:
    void buildsATableWithTitlesThenRows_data() {
        QTest::addColumn<QString>("heading");
        QTest::newRow("with heading") << "Date 3/10/2024 7:30:05 PM";
        QTest::newRow("without heading") << QString();
    }
    void buildsATableWithTitlesThenRows() {
        QFETCH(QString, heading);
        GridExportTable source({"Name", "City", "Phone"},
                               {{"Adams, Ann", "Springfield", "555-0100"},
                                {"Baker, Bob", "", "555-0101"},
                                {"Cole, Cy", "Shelbyville"}, // short row
                                {"Dunn, Di", "Ogdenville", "555-0103", "extra"}});
        GridExportOptions options;
        options.heading = heading;
        options.font = QFont("Liberation Sans", 9);
        std::unique_ptr<QTextDocument> document = GridExportDocument(source, options);

        QCOMPARE(document->defaultFont().family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(document->begin().text(), heading);
        QTextTable* table = FirstTable(document.get());
        QVERIFY(table);
        QCOMPARE(table->rows(), 5);
        QCOMPARE(table->columns(), 3);
        const QStringList expected[] = {{"Name", "City", "Phone"},
                                        {"Adams, Ann", "Springfield", "555-0100"},
                                        {"Baker, Bob", "", "555-0101"},
                                        {"Cole, Cy", "Shelbyville", ""},
                                        {"Dunn, Di", "Ogdenville", "555-0103"}};
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 3; ++column)
                QCOMPARE(CellText(table, row, column), expected[row][column]);
    }

    void readsTheSourceOnceInOrder() {
        CountingSource source;
        std::unique_ptr<QTextDocument> document = GridExportDocument(source);
        QCOMPARE(source.countCalls, 1);
        QCOMPARE(source.rowsRead, (QList<int>{0, 1, 2}));
        QCOMPARE(FirstTable(document.get())->rows(), 4);
    }

    void emptyGridGivesTheTitleRowOnly() {
        GridExportTable source({"Name"}, {});
        std::unique_ptr<QTextDocument> document = GridExportDocument(source);
        QTextTable* table = FirstTable(document.get());
        QVERIFY(table);
        QCOMPARE(table->rows(), 1);
        QCOMPARE(CellText(table, 0, 0), QStringLiteral("Name"));
    }

    void writesAnOpenDocumentTextFile() {
        TempFolder folder;
        const QString file = folder.file("VTX2-MSW.odt");
        {
            QFile old(file); // an older export of the same name is replaced
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(100000, 'x'));
        }
        GridExportTable source({"Name", "City"},
                               {{"Adams, Ann", "Springfield"}, {"Baker & Sons", "<Ogdenville>"}});
        GridExportOptions options;
        options.heading = "Date 3/10/2024";
        QVERIFY(ExportGridToOdf(source, file, options));

        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.startsWith("PK")); // a zip package
        QVERIFY(bytes.contains("application/vnd.oasis.opendocument.text"));
        QVERIFY(bytes.size() < 100000);

        if (QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("unzip is not installed: the package's content is not checked");
        QProcess unzip;
        unzip.start("unzip", {"-p", file, "content.xml"});
        QVERIFY(unzip.waitForFinished(30000));
        QCOMPARE(unzip.exitCode(), 0);
        const QString content = QString::fromUtf8(unzip.readAllStandardOutput());
        QVERIFY(content.contains("<table:table"));
        QCOMPARE(content.count("<table:table-row"), 3);
        for (const char* text : {"Date 3/10/2024", "Name", "City", "Adams, Ann", "Springfield",
                                 "Baker &amp; Sons", "&lt;Ogdenville&gt;"})
            QVERIFY2(content.contains(QString::fromUtf8(text)), text);
        QVERIFY(content.indexOf("Date 3/10/2024") < content.indexOf("<table:table"));
        QVERIFY(content.indexOf("Name") < content.indexOf("Adams, Ann"));
        // The package is sound for another reader, its type entry first and stored.
        QCOMPARE(QProcess::execute("unzip", {"-tqq", file}), 0);
        QCOMPARE(bytes.mid(30, 8), QByteArray("mimetype"));
        QCOMPARE(bytes.mid(38, 39), QByteArray("application/vnd.oasis.opendocument.text"));
    }

    void pagesAreLetterPortraitOrLandscape_data() {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("page");
        QTest::newRow("portrait") << false
                                  << R"(fo:page-width="8.5in" fo:page-height="11in" )"
                                     R"(style:print-orientation="portrait")";
        QTest::newRow("landscape") << true
                                   << R"(fo:page-width="11in" fo:page-height="8.5in" )"
                                      R"(style:print-orientation="landscape")";
    }
    void pagesAreLetterPortraitOrLandscape() {
        QFETCH(bool, landscape);
        QFETCH(QString, page);
        if (QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("unzip is not installed: the package's content is not checked");
        TempFolder folder;
        const QString file = folder.file("wide.odt");
        GridExportTable source({"Name"}, {{"Adams"}});
        GridExportOptions options;
        options.landscape = landscape;
        QVERIFY(ExportGridToOdf(source, file, options));
        auto entry = [&](const QString& name) {
            QProcess unzip;
            unzip.start("unzip", {"-p", file, name});
            unzip.waitForFinished(30000);
            return QString::fromUtf8(unzip.readAllStandardOutput());
        };
        const QString styles = entry("styles.xml");
        QVERIFY2(styles.contains(page), qPrintable(styles));
        QVERIFY(styles.contains(R"(fo:margin-left="0.5in")"));
        QVERIFY(styles.contains(R"(<style:master-page style:name="Standard")"));
        QVERIFY(entry("META-INF/manifest.xml").contains(R"(manifest:full-path="styles.xml")"));
        QVERIFY(entry("content.xml").contains("Adams"));
    }

    void reportsAFileThatCannotBeWritten() {
        TempFolder folder;
        GridExportTable source({"Name"}, {{"Adams"}});
        QVERIFY(!ExportGridToOdf(source, folder.file("no/such/folder/VTX2-MSW.odt")));
    }
};

VTX_REGISTER_TEST(GridExportTest)
#include "tst_gridexport.moc"
