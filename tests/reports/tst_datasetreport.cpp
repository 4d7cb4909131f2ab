// A report over a data set of the program (vtxDataSetReport.h): its rows are the data set as
// it stands (order and filter; a pending change posted first), its field items print the
// current row's fields by name, and the menu reports' page footer counts all rows or the rows
// printed so far.

#include "TestSupport.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "toolkit/vtxDataSetReport.h"

#include <QtTest>
#include <cmath>
#include <memory>

namespace {

bool Near(double a, double b) {
    return std::abs(a - b) < 1e-6;
}

TableDef PeopleDef() {
    TableDef d;
    d.tableName = "rpPeopleT.db";
    d.fields = {IntegerField("RecordNumber", true), TextField("LName", 20, true),
                TextField("Phone", 12), LogicalField("IsMember")};
    d.indexes = {PrimaryIndexDef("PeopleKey", {"RecordNumber"}),
                 SecondaryIndexDef("PLN", {"LName"})};
    return d;
}

// People 1 to count, named so that last-name order is the reverse of record order; every
// third is not a member; the even ones have a phone.
std::unique_ptr<Table> People(const TempFolder& folder, int count) {
    Aliases::SetPath("ReportTest", folder.path());
    auto people = std::make_unique<Table>(PeopleDef(), "PeopleT");
    people->DatabaseName = "ReportTest";
    people->CreateTable();
    people->Open();
    for (int i = 1; i <= count; ++i) {
        people->Append();
        people->FieldByName("RecordNumber")->SetAsInteger(i);
        people->FieldByName("LName")->SetAsString(QString("Name%1").arg(1000 - i));
        people->FieldByName("Phone")->SetAsString(i % 2 ? QString() : QString("555-%1").arg(i));
        people->FieldByName("IsMember")->SetAsBoolean(i % 3 != 0);
        people->Post();
    }
    people->First();
    return people;
}

// A list of names and phones with the menu reports' footer, counting as asked.
class PeopleReport : public TDataSetReport {
public:
    PeopleReport(DataSet* people, ReportFooterCount count)
        : TDataSetReport(people, "Parish:  People", "People") {
        AddTitleBand(0.4, 12);
        ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, 0.5);
        detail.AddField(0.25, 0.05, m_rows, "LName").Width(3);
        detail.AddField(4.0, 0.05, m_rows, "Phone");
        m_report.AddRecordsFooter({0.17, 0.83, 3.08, 3.58, 5.42, 6.00}, count);
    }
};

// The same list read in one pass of the table (TTableScanRows), without the cursor.
class ScannedPeopleReport : public TDataSetReport {
public:
    explicit ScannedPeopleReport(Table* people)
        : TDataSetReport(people, "Parish:  People", "People"), m_people(people) {
        ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, 0.5);
        const Field* name = people->FieldByName("LName");
        const Field* phone = people->FieldByName("Phone");
        detail
            .AddValue(0.25, 0.05,
                      [this, name](const ReportState&) { return m_scan->Value(name).toString(); })
            .Named("LName");
        detail
            .AddValue(4.0, 0.05,
                      [this, phone](const ReportState&) { return m_scan->Value(phone).toString(); })
            .Named("Phone");
        m_report.AddRecordsFooter({0.17, 0.83, 3.08, 3.58, 5.42, 6.00}, ReportFooterCount::AllRows);
    }

protected:
    std::unique_ptr<ReportRows> MakeRows() override {
        auto rows = std::make_unique<TTableScanRows>(m_people);
        m_scan = rows.get();
        return rows;
    }

private:
    Table* m_people;
    TTableScanRows* m_scan = nullptr;
};

QStringList Texts(const std::vector<const ReportText*>& texts) {
    QStringList list;
    for (const ReportText* t : texts)
        list << t->text;
    return list;
}

const QDateTime PrintedAt(QDate(2024, 3, 10), QTime(19, 30, 5));

} // namespace

class TestDataSetReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void walksTheDataSetAsItStands() {
        TempFolder folder;
        auto people = People(folder, 6);
        people->SetIndexName("PLN");
        people->SetFilter("IsMember = true");
        people->SetFiltered(true);
        PeopleReport report(people.get(), ReportFooterCount::AllRows);
        QCOMPARE(report.TitleText(), QString("Parish:  People"));
        const ReportDocument doc = report.Layout(PrintedAt);
        QCOMPARE(doc.caption, QString("People"));
        // Members only (not 3 and 6), in last-name order; an empty phone prints nothing.
        QCOMPARE(Texts(doc.Named("LName")),
                 QStringList({"Name995", "Name996", "Name998", "Name999"}));
        QCOMPARE(Texts(doc.Named("Phone")), QStringList({"555-4", "555-2"}));
        QCOMPARE(doc.Named("Title").size(), size_t(1));
        // The walk leaves the cursor on the last row, and the controls hear of it again.
        QCOMPARE(people->FieldByName("RecordNumber")->AsInteger(), 1);
        QVERIFY(!people->ControlsDisabled());
        QVERIFY(people->Filtered());
    }

    void aPendingChangeIsPostedFirst() {
        TempFolder folder;
        auto people = People(folder, 3);
        people->Edit();
        people->FieldByName("Phone")->SetAsString("555-0000");
        PeopleReport report(people.get(), ReportFooterCount::AllRows);
        const ReportDocument doc = report.Layout(PrintedAt);
        QCOMPARE(people->State(), DataSetState::Browse);
        QCOMPARE(Texts(doc.Named("Phone")), QStringList({"555-0000", "555-2"}));
    }

    // Read in one pass: the same rows as the walk (order, filter, a pending change posted
    // first), while the cursor stays where it was and its controls hear nothing.
    void oneTablePassPrintsWhatTheWalkPrints() {
        TempFolder folder;
        auto people = People(folder, 9);
        people->SetIndexName("PLN");
        people->SetFilter("IsMember = true");
        people->SetFiltered(true);
        people->SetRecNo(2);
        people->Edit();
        people->FieldByName("Phone")->SetAsString("555-0000");
        const Bookmark before = people->GetBookmark();
        DataSource source(people.get());
        QSignalSpy moves(&source, &DataSource::dataChanged);
        ScannedPeopleReport scanned(people.get());
        const ReportDocument doc = scanned.Layout(PrintedAt);
        QCOMPARE(people->State(), DataSetState::Browse);
        QCOMPARE(people->GetBookmark(), before);
        const int movesAfterPost = int(moves.size());
        QCOMPARE(Texts(doc.Named("LName")),
                 QStringList({"Name992", "Name993", "Name995", "Name996", "Name998", "Name999"}));
        QCOMPARE(Texts(doc.Named("Phone")), QStringList({"555-8", "555-0000", "555-4", "555-2"}));
        QCOMPARE(doc.Named("Records").front()->text, QString("6"));
        const ReportDocument walked =
            PeopleReport(people.get(), ReportFooterCount::AllRows).Layout(PrintedAt);
        QCOMPARE(Texts(doc.Named("LName")), Texts(walked.Named("LName")));
        QCOMPARE(Texts(doc.Named("Phone")), Texts(walked.Named("Phone")));
        QVERIFY(moves.size() > movesAfterPost); // the walk moved the cursor; the pass did not
    }

    // The footer on every page: the count asked for, the page, the print time, each value
    // beside its caption 0.08 inch below the band's top.
    void recordsFooter_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("all rows") << int(ReportFooterCount::AllRows);
        QTest::newRow("rows printed so far") << int(ReportFooterCount::PrintedRows);
    }
    void recordsFooter() {
        QFETCH(int, count);
        TempFolder folder;
        const int persons = 40;
        auto people = People(folder, persons);
        PeopleReport report(people.get(), ReportFooterCount(count));
        const ReportDocument doc = report.Layout(PrintedAt);
        QVERIFY(doc.pages.size() >= 2);
        int listed = 0;
        for (const ReportPage& page : doc.pages) {
            for (const ReportText& t : page.texts)
                listed += t.name == "LName" ? 1 : 0;
            auto footer = [&](const QString& nameOrText) -> const ReportText* {
                for (const ReportText& t : page.texts)
                    if (t.band == ReportBandKind::PageFooter &&
                        (t.name == nameOrText || (t.name.isEmpty() && t.text == nameOrText)))
                        return &t;
                return nullptr;
            };
            const ReportText* records = footer("Records:");
            QVERIFY(records);
            const double top = records->top;
            QVERIFY(Near(top, 11.0 - 0.5 - 0.3 + 0.08));
            const QList<std::tuple<QString, double, QString>> expected = {
                {"Records:", 0.17, "Records:"},
                {"Records", 0.83,
                 QString::number(count == int(ReportFooterCount::AllRows) ? persons : listed)},
                {"Page:", 3.08, "Page:"},
                {"Page", 3.58, QString::number(page.number)},
                {"Printed:", 5.42, "Printed:"},
                {"Printed", 6.00, "3/10/2024 7:30:05 PM"}};
            for (const auto& [item, left, text] : expected) {
                const ReportText* t = footer(item);
                QVERIFY2(t, qPrintable(item));
                QCOMPARE(t->text, text);
                QVERIFY2(Near(t->left, 0.5 + left) && Near(t->top, top), qPrintable(item));
            }
        }
        QCOMPARE(listed, persons);
    }
};

VTX_REGISTER_TEST(TestDataSetReport)
#include "tst_datasetreport.moc"
