// The worship printout: one landscape page; the title lines; every element on its own
// fixed line of its column, empty ones leaving their line blank; a long element broken
// into a second line that stays inside its column.

#include "WorshipFixture.h"
#include "app/vtxOptionsU.h"
#include "worship/vtxWorshipP.h"

namespace {

using Elements = QMap<int, QString>;

const QDateTime PrintedAt(QDate(2024, 3, 8), QTime(9, 15));

// The top of element k's line, in inches from the paper's top.
double LineTop(int k) {
    return TWorshipPrintout::FirstLineTop + ((k - 1) % 15) * TWorshipPrintout::LineSpacing;
}

QVariantMap ServiceRow(const QTime& time, const Elements& elements) {
    QVariantMap row{{"WorshipDate", QDate(2024, 3, 10)},
                    {"WorshipTime", time},
                    {"OfficiantInCharge", "Pastor Ruth Lindqvist"},
                    {"Remark", "Lent 5"}};
    for (auto it = elements.begin(); it != elements.end(); ++it)
        row[WorshipFixture::ElementName(it.key())] = it.value();
    return row;
}

// The names of the texts placed for elements, in page order.
QStringList ElementTextNames(const ReportDocument& document) {
    QStringList names;
    for (const ReportText& text : document.pages.front().texts)
        if (text.name.startsWith("Element"))
            names << text.name;
    return names;
}

} // namespace

class TestWorshipPrintout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { m_f.Close(); }

    void titleLines_data() {
        QTest::addColumn<QString>("organisation");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("timeText");
        QTest::newRow("evening service")
            << "St. Olaf Lutheran Church" << QTime(19, 30) << "7:30 PM";
        QTest::newRow("empty organisation name") << "" << QTime(10, 0) << "10:00 AM";
    }

    void titleLines() {
        QFETCH(QString, organisation);
        QFETCH(QTime, time);
        QFETCH(QString, timeText);
        Open(time, {{1, "Prelude"}});
        OptionsRecord.OrganizationName.SetText(organisation);
        const ReportDocument document = TWorshipPrintout().Layout(PrintedAt);

        QCOMPARE(document.caption, QString("Worship Printout"));
        QCOMPARE(int(document.pages.size()), 1);
        QCOMPARE(document.page.orientation, QPageLayout::Landscape);
        QCOMPARE(document.page.paper, QPageSize::Letter);

        const auto org = document.Named("OrganizationName");
        QCOMPARE(int(org.size()), organisation.isEmpty() ? 0 : 1);
        if (!organisation.isEmpty()) {
            QCOMPARE(org.front()->text, organisation);
            QCOMPARE(org.front()->align, ReportAlign::Center);
            QCOMPARE(org.front()->font.pointSize, 14.0);
            QVERIFY(org.front()->font.bold);
            QVERIFY(qAbs(org.front()->top - 0.58) < 0.01);
        }
        const ReportText* date = document.Named("WorshipDate").front();
        const ReportText* shownTime = document.Named("WorshipTime").front();
        const ReportText* officiant = document.Named("OfficiantInCharge").front();
        QCOMPARE(date->text, QString("March 10, 2024"));
        QCOMPARE(date->align, ReportAlign::Left);
        QCOMPARE(shownTime->text, timeText);
        QCOMPARE(shownTime->align, ReportAlign::Center);
        QCOMPARE(officiant->text, QString("Pastor Ruth Lindqvist"));
        QCOMPARE(officiant->align, ReportAlign::Right);
        for (const ReportText* t : {date, shownTime, officiant}) {
            QCOMPARE(t->font.pointSize, 12.0);
            QVERIFY(t->font.bold);
            QVERIFY(qAbs(t->top - 0.92) < 0.01);
            QCOMPARE(t->font.family, QString("Arial"));
        }
        // The remark is not printed.
        QVERIFY(!document.Find("Lent 5"));
    }

    void elementsOnFixedLines_data() {
        QTest::addColumn<Elements>("elements");
        Elements nine;
        for (int k = 1; k <= 9; ++k)
            nine[k] = QString("Line %1").arg(k);
        QTest::newRow("elements 10 to 30 empty") << nine;
        QTest::newRow("only element 16") << Elements{{16, "Postlude"}};
        QTest::newRow("gaps stay blank") << Elements{{1, "Prelude"},
                                                     {3, "Hymn"},
                                                     {15, "Blessing"},
                                                     {17, "Announcements"},
                                                     {30, "Dismissal"}};
    }

    void elementsOnFixedLines() {
        QFETCH(Elements, elements);
        Open(QTime(10, 30), elements);
        const ReportDocument document = TWorshipPrintout().Layout(PrintedAt);
        QStringList expectedNames;
        for (int k : elements.keys())
            expectedNames << WorshipFixture::ElementName(k);
        QCOMPARE(ElementTextNames(document), expectedNames);
        for (auto it = elements.begin(); it != elements.end(); ++it) {
            const ReportText* t = document.Named(WorshipFixture::ElementName(it.key())).front();
            QCOMPARE(t->text, it.value());
            QVERIFY2(qAbs(t->top - LineTop(it.key())) < 0.001, qPrintable(t->name));
            const double left = it.key() <= 15 ? 0.5 + 1.0 / 3 : 5.5 + 1.0 / 3;
            QVERIFY2(qAbs(t->left - left) < 0.001, qPrintable(t->name));
            QCOMPARE(t->font.pointSize, 10.0);
            QVERIFY(!t->font.bold);
        }
    }

    // Element 16 stands beside element 1, element 30 beside element 15, 0.42 inch apart.
    void linePlaces() {
        QVERIFY(qAbs(LineTop(1) - 1.585) < 0.01);
        QVERIFY(qAbs(LineTop(16) - LineTop(1)) < 1e-9);
        QVERIFY(qAbs(LineTop(30) - LineTop(15)) < 1e-9);
        QVERIFY(qAbs(LineTop(2) - LineTop(1) - 0.4167) < 0.001);
        QVERIFY(LineTop(15) < 7.5);
    }

    // A line longer than its column goes on in a second line under it, inside the column
    // and above the next element's line.
    void longElementStaysInItsColumn_data() {
        QTest::addColumn<int>("k");
        QTest::newRow("left column") << 7;
        QTest::newRow("right column") << 22;
    }

    void longElementStaysInItsColumn() {
        QFETCH(int, k);
        const QString text =
            "Hymn of the Day: \"Beautiful Savior, King of Creation\" (LBW 518, verses 1 to 4)";
        QVERIFY(text.size() <= 100);
        Open(QTime(10, 30), {{k, text}, {k + 1, "Sermon"}});
        const ReportDocument document = TWorshipPrintout().Layout(PrintedAt);
        const QString name = WorshipFixture::ElementName(k);
        const auto first = document.Named(name);
        const auto second = document.Named(name + "More");
        QCOMPARE(int(first.size()), 1);
        QCOMPARE(int(second.size()), 1);
        QCOMPARE(first.front()->text + " " + second.front()->text, text);
        QVERIFY(text.startsWith(first.front()->text + " ")); // broken between words
        const double columnRight = k <= 15 ? 5.5 : 10.5;
        for (const ReportText* t : {first.front(), second.front()}) {
            QVERIFY(t->left + t->width <= columnRight + 1e-9);
            QVERIFY(t->top + t->height <= LineTop(k + 1));
        }
        QCOMPARE(TWorshipPrintout::ElementLines(first.front()->text).size(), 1);
        QCOMPARE(document.Named(WorshipFixture::ElementName(k + 1)).front()->text,
                 QString("Sermon"));
    }

    void shortElementIsOneLine() {
        QCOMPARE(TWorshipPrintout::ElementLines("Gospel: John 12:20-33"),
                 QStringList{"Gospel: John 12:20-33"});
        // No blank to break at: cut where the width ends.
        const QStringList lines = TWorshipPrintout::ElementLines(QString(100, 'W'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.join(QString()), QString(100, 'W'));
    }

private:
    void Open(const QTime& time, const Elements& elements) {
        m_f.Create();
        m_f.Write("WorshipT", {ServiceRow(time, elements)});
        m_f.Start();
        DataMod->WorshipT->First();
    }

    WorshipFixture m_f;
};

VTX_REGISTER_TEST(TestWorshipPrintout)
#include "tst_WorshipPrintout.moc"
