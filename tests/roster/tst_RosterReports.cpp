// The roster reports: names and addresses (kinds 1 and 2) and the phone list (kind 3), laid
// out over a roster in a temporary data folder, and the Reports menu commands that show them.

#include "TestSupport.h"
#include "app/vtxMenuTable.h"
#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "roster/vtxRosterAddressR.h"
#include "roster/vtxRosterListsR.h"
#include "toolkit/Dialogs.h"

#include <QDialog>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

const QString Church = QStringLiteral("St. Olaf Lutheran Church");
const QDateTime PrintedAt(QDate(2024, 3, 10), QTime(19, 30, 5));
constexpr double Margin = 0.5;

struct Person {
    int number;
    QString last;
    QString first;
    QString middle;
    QString suffix;
    bool member;
    QString phone;
    QString workPhone;
    QString cellPhone;
};

// A data folder with a roster, and the data module over it.
class RosterFolder {
public:
    explicit RosterFolder(const QList<Person>& people) {
        Aliases::SetPath(VTX2AliasName, m_temp.path());
        TDataMod::EnsureDataFolder(m_temp.path());
        {
            Table roster(TableDefOf(QStringLiteral("RosterT")), QStringLiteral("RosterT"));
            roster.DatabaseName = VTX2AliasName;
            roster.Open();
            for (const Person& p : people) {
                roster.Append();
                roster.FieldByName("RecordNumber")->SetAsInteger(p.number);
                roster.FieldByName("LName")->SetAsString(p.last);
                roster.FieldByName("FName")->SetAsString(p.first);
                roster.FieldByName("MName")->SetAsString(p.middle);
                roster.FieldByName("Suffix")->SetAsString(p.suffix);
                roster.FieldByName("Address1")->SetAsString(QString("%1 Main St").arg(p.number));
                roster.FieldByName("Address2")->SetAsString(p.number % 2 ? "Apt 4" : "");
                roster.FieldByName("City")->SetAsString("Northfield");
                roster.FieldByName("State")->SetAsString("MN");
                roster.FieldByName("Postal")->SetAsString("55057");
                roster.FieldByName("Phone")->SetAsString(p.phone);
                roster.FieldByName("WorkPhone")->SetAsString(p.workPhone);
                roster.FieldByName("CellPhone")->SetAsString(p.cellPhone);
                roster.FieldByName("IsMember")->SetAsBoolean(p.member);
                roster.Post();
            }
        }
        m_data = std::make_unique<TDataMod>();
        m_data->OpenDataSets();
    }
    ~RosterFolder() {
        m_data->CloseDataSets();
        m_data.reset();
        Aliases::Remove(VTX2AliasName);
    }
    TDataMod* data() const { return m_data.get(); }

private:
    TempFolder m_temp;
    std::unique_ptr<TDataMod> m_data;
};

Person Member(int number, const QString& last, const QString& first, bool member = true) {
    return {number, last, first, {}, {}, member, {}, {}, {}};
}

QList<Person> People(int count) {
    QList<Person> people;
    for (int i = 1; i <= count; ++i)
        people << Member(i, QString("Person%1").arg(i, 3, 10, QChar('0')), "Pat", i % 4 != 0);
    return people;
}

ReportDocument LayOut(int kind) {
    ReportKind = kind;
    if (kind == 3) {
        TRosterListsReport report;
        return report.Layout(PrintedAt);
    }
    TRosterAddressReport report;
    return report.Layout(PrintedAt);
}

// The text of a detail item (by name, or by its fixed text when unnamed) of a row.
const ReportText* RowText(const ReportDocument& doc, int row, const QString& nameOrText) {
    for (const ReportPage& page : doc.pages)
        for (const ReportText& t : page.texts)
            if (t.row == row &&
                (t.name == nameOrText || (t.name.isEmpty() && t.text == nameOrText)))
                return &t;
    return nullptr;
}

QStringList Texts(const std::vector<const ReportText*>& texts) {
    QStringList list;
    for (const ReportText* t : texts)
        list << t->text;
    return list;
}

// The footer's text that stands right of a caption ("Records:") on a page.
QString FooterValue(const ReportDocument& doc, int page, const QString& caption) {
    const ReportText* label = doc.Find(caption, page);
    if (!label)
        return QStringLiteral("<no %1>").arg(caption);
    const ReportText* best = nullptr;
    for (const ReportText& t : doc.pages[page - 1].texts)
        if (t.band == ReportBandKind::PageFooter && std::abs(t.top - label->top) < 1e-6 &&
            t.left > label->left && (!best || t.left < best->left))
            best = &t;
    return best ? best->text : QString();
}

bool Near(double a, double b) {
    return std::abs(a - b) < 1e-6;
}

// Empty when the text stands at (left, top) in inches from the paper's corner; else why not.
QString Misplaced(const ReportText* t, double left, double top) {
    if (!t)
        return QStringLiteral("missing");
    if (Near(t->left, left) && Near(t->top, top))
        return {};
    return QString("%1 at (%2, %3), expected (%4, %5)")
        .arg(t->text)
        .arg(t->left)
        .arg(t->top)
        .arg(left)
        .arg(top);
}

#define VERIFY_AT(item, left, top)                                                                 \
    do {                                                                                           \
        const QString why_ = Misplaced((item), (left), (top));                                     \
        QVERIFY2(why_.isEmpty(), qPrintable(QStringLiteral(#item ": ") + why_));                   \
    } while (false)

} // namespace

class RosterReportsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        ResetProgramValues();
        OptionsRecord = DefaultOptionsRecord();
        OptionsRecord.OrganizationName.SetText(Church);
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
    }
    void cleanup() {
        Dialogs::ClearScript();
        OptionsRecord = DefaultOptionsRecord();
        ResetProgramValues();
    }

    void titleOnFirstPageOnly_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<double>("points");
        QTest::newRow("names and addresses") << 1 << Church + ":  Names and Addresses" << 12.0;
        QTest::newRow("with phones") << 2 << Church + ":  Name, Address, Phone" << 12.0;
        QTest::newRow("phone list") << 3 << Church + ":  Phone List" << 14.0;
    }
    void titleOnFirstPageOnly() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(double, points);
        RosterFolder folder(People(30));
        const ReportDocument doc = LayOut(kind);
        QVERIFY(doc.pages.size() >= 2);
        const ReportText* heading = doc.Find(title);
        QVERIFY(heading);
        QCOMPARE(heading->page, 1);
        QCOMPARE(heading->font.pointSize, points);
        QVERIFY(heading->font.bold);
        QCOMPARE(heading->align, ReportAlign::Center);
        QVERIFY(Near(heading->left, Margin) && Near(heading->width, 7.5));
        QCOMPARE(doc.Named("Title").size(), size_t(1));
        // The page of all three: US Letter, portrait, half-inch margins, Arial 10.
        QCOMPARE(doc.page.paper, QPageSize::Letter);
        QCOMPARE(doc.page.orientation, QPageLayout::Portrait);
        QVERIFY(Near(doc.page.leftMargin, 0.5) && Near(doc.page.topMargin, 0.5) &&
                Near(doc.page.rightMargin, 0.5) && Near(doc.page.bottomMargin, 0.5));
        const ReportText* name = RowText(doc, 0, "LFMName");
        QVERIFY(name);
        QCOMPARE(name->font.family, QStringLiteral("Arial"));
        QCOMPARE(name->font.pointSize, 10.0);
        // Every page's texts stay inside the paper.
        for (const ReportPage& page : doc.pages)
            for (const ReportText& t : page.texts)
                QVERIFY2(t.top + t.height <= 11.0 - Margin + 1e-6, qPrintable(t.text));
    }

    void nameAndAddressPlaces() {
        RosterFolder folder({{7, "Hanson", "Ruth", "Ann", {}, true, "507-555-0101", {}, {}},
                             {8, "Iverson", "Carl", {}, {}, false, {}, {}, {}}});
        const ReportDocument doc = LayOut(1);
        // Row 0 is Hanson (record 7, odd: has Address2); row 1 is Iverson.
        const ReportText* name = RowText(doc, 0, "LFMName");
        QVERIFY(name);
        QCOMPARE(name->text, QStringLiteral("Hanson, Ruth Ann"));
        const double band = name->top - 0.08;
        VERIFY_AT(name, Margin + 0.08, band + 0.08);
        QVERIFY(Near(name->width, 6.09));
        VERIFY_AT(RowText(doc, 0, "IsMember"), Margin + 6.33, band + 0.08);
        VERIFY_AT(RowText(doc, 0, "Address1"), Margin + 0.42, band + 0.25);
        VERIFY_AT(RowText(doc, 0, "Address2"), Margin + 4.17, band + 0.25);
        VERIFY_AT(RowText(doc, 0, "City"), Margin + 0.42, band + 0.42);
        VERIFY_AT(RowText(doc, 0, "State"), Margin + 4.42, band + 0.42);
        VERIFY_AT(RowText(doc, 0, "Postal"), Margin + 6.42, band + 0.42);
        QCOMPARE(RowText(doc, 0, "Address1")->text, QStringLiteral("7 Main St"));
        QCOMPARE(RowText(doc, 0, "Address2")->text, QStringLiteral("Apt 4"));
        QCOMPARE(RowText(doc, 0, "City")->text, QStringLiteral("Northfield"));
        QCOMPARE(RowText(doc, 0, "State")->text, QStringLiteral("MN"));
        QCOMPARE(RowText(doc, 0, "Postal")->text, QStringLiteral("55057"));
        // A person without a middle name keeps the blank after the first name; an empty
        // field prints nothing.
        QCOMPARE(RowText(doc, 1, "LFMName")->text, QStringLiteral("Iverson, Carl "));
        QVERIFY(!RowText(doc, 1, "Address2"));
        // Kind 1 has no phone line, even for a person with a phone number.
        QVERIFY(!doc.Find("Home:") && !doc.Find("507-555-0101"));
        // The next person starts below the last line of the one before.
        QVERIFY(RowText(doc, 1, "LFMName")->top > RowText(doc, 0, "City")->top + 0.1);
    }

    void phoneLineUnderEachPerson() {
        RosterFolder folder(
            {{1, "Berg", "Anna", {}, {}, true, "507-555-0101", "507-555-0199", "612-555-0142"},
             {2, "Dahl", "Olaf", {}, {}, true, {}, {}, {}}});
        const ReportDocument doc = LayOut(2);
        for (int row = 0; row < 2; ++row) {
            const ReportText* city = RowText(doc, row, "City");
            const ReportText* home = RowText(doc, row, "Home:");
            QVERIFY(city && home);
            const double line = home->top;
            QVERIFY(line > city->top + 0.1);
            VERIFY_AT(home, Margin + 0.42, line);
            VERIFY_AT(RowText(doc, row, "Work:"), Margin + 3.00, line);
            VERIFY_AT(RowText(doc, row, "Cell:"), Margin + 6.17, line);
        }
        const double line = RowText(doc, 0, "Home:")->top;
        VERIFY_AT(RowText(doc, 0, "Phone"), Margin + 0.92, line);
        VERIFY_AT(RowText(doc, 0, "WorkPhone"), Margin + 3.50, line);
        VERIFY_AT(RowText(doc, 0, "CellPhone"), Margin + 6.58, line);
        QCOMPARE(RowText(doc, 0, "Phone")->text, QStringLiteral("507-555-0101"));
        QCOMPARE(RowText(doc, 0, "WorkPhone")->text, QStringLiteral("507-555-0199"));
        QCOMPARE(RowText(doc, 0, "CellPhone")->text, QStringLiteral("612-555-0142"));
        // The second person has the captions and blanks for the numbers.
        QVERIFY(!RowText(doc, 1, "Phone") && !RowText(doc, 1, "WorkPhone") &&
                !RowText(doc, 1, "CellPhone"));
        QVERIFY(RowText(doc, 1, "LFMName")->top > line);
    }

    void phoneListPlaces() {
        RosterFolder folder({{1,
                              "Berg",
                              "Anna",
                              "Marie",
                              {},
                              false,
                              "507-555-0101",
                              "507-555-0199",
                              "612-555-0142"}});
        const ReportDocument doc = LayOut(3);
        const ReportText* name = RowText(doc, 0, "LFMName");
        QVERIFY(name);
        QCOMPARE(name->text, QStringLiteral("Berg, Anna Marie"));
        const double band = name->top;
        VERIFY_AT(name, Margin + 0.25, band);
        VERIFY_AT(RowText(doc, 0, "Home:"), Margin + 0.58, band + 0.17);
        VERIFY_AT(RowText(doc, 0, "Phone"), Margin + 1.08, band + 0.17);
        VERIFY_AT(RowText(doc, 0, "Work:"), Margin + 2.67, band + 0.17);
        VERIFY_AT(RowText(doc, 0, "WorkPhone"), Margin + 3.17, band + 0.17);
        VERIFY_AT(RowText(doc, 0, "Cell:"), Margin + 5.42, band + 0.17);
        VERIFY_AT(RowText(doc, 0, "CellPhone"), Margin + 5.83, band + 0.17);
        // The phone list has no addresses and no membership column.
        QVERIFY(!RowText(doc, 0, "Address1") && !doc.Find("Non Member") && !doc.Find("Member"));
    }

    void memberNameWeight_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("names and addresses") << 1;
        QTest::newRow("with phones") << 2;
        QTest::newRow("phone list") << 3;
    }
    void memberNameWeight() {
        QFETCH(int, kind);
        RosterFolder folder({Member(1, "Aas", "Erik", true), Member(2, "Bakke", "Liv", false),
                             Member(3, "Carlson", "Nils", true)});
        const ReportDocument doc = LayOut(kind);
        const auto names = doc.Named("LFMName");
        QCOMPARE(names.size(), size_t(3));
        QVERIFY(names[0]->font.bold);
        QVERIFY(!names[1]->font.bold);
        QVERIFY(names[2]->font.bold);
        if (kind == 3)
            return;
        QCOMPARE(Texts(doc.Named("IsMember")), QStringList({"Member", "Non Member", "Member"}));
        // Only the name changes weight.
        QVERIFY(!RowText(doc, 0, "IsMember")->font.bold && !RowText(doc, 0, "City")->font.bold);
    }

    void lastNameAndSuffixOrder_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("names and addresses") << 1;
        QTest::newRow("phone list") << 3;
    }
    void lastNameAndSuffixOrder() {
        QFETCH(int, kind);
        QList<Person> people = {
            {1, "Smith", "Albert", {}, "Sr.", true, {}, {}, {}},
            {2, "Vance", "Ida", {}, {}, true, {}, {}, {}},
            {3, "smith", "Carol", {}, {}, false, {}, {}, {}},
            {4, "Smith", "Zack", {}, "Jr.", true, {}, {}, {}},
            {5, "Adams", "Ed", {}, {}, true, {}, {}, {}},
            {6, "McDonald", "Flo", {}, {}, true, {}, {}, {}},
            {7, "van Buren", "Hal", {}, {}, false, {}, {}, {}},
            {8, "Mcdonald", "Gus", {}, "II", true, {}, {}, {}},
            {9, "Smithson", "Bo", {}, {}, true, {}, {}, {}},
        };
        RosterFolder folder(people);
        // The roster starts in record-number order; the report orders by last name, then
        // suffix, ignoring letter case.
        QCOMPARE(folder.data()->RosterT->FieldByName("RecordNumber")->AsInteger(), 1);
        const ReportDocument doc = LayOut(kind);
        QCOMPARE(Texts(doc.Named("LFMName")),
                 QStringList({"Adams, Ed ", "McDonald, Flo ", "Mcdonald, Gus ", "smith, Carol ",
                              "Smith, Zack ", "Smith, Albert ", "Smithson, Bo ", "van Buren, Hal ",
                              "Vance, Ida "}));
        QCOMPARE(folder.data()->RosterT->IndexFieldNames(), QStringLiteral("LName;Suffix"));
    }

    void emptyRoster_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("names and addresses") << 1;
        QTest::newRow("with phones") << 2;
        QTest::newRow("phone list") << 3;
    }
    void emptyRoster() {
        QFETCH(int, kind);
        RosterFolder folder({});
        const ReportDocument doc = LayOut(kind);
        QCOMPARE(doc.pages.size(), size_t(1));
        QVERIFY(doc.Named("Title").size() == 1);
        QCOMPARE(FooterValue(doc, 1, "Records:"), QStringLiteral("0"));
        QCOMPARE(FooterValue(doc, 1, "Page:"), QStringLiteral("1"));
        QVERIFY(doc.Named("LFMName").empty());
    }

    void footerOnEveryPage_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("names and addresses") << 1;
        QTest::newRow("with phones") << 2;
        QTest::newRow("phone list") << 3;
    }
    void footerOnEveryPage() {
        QFETCH(int, kind);
        const int persons = 40;
        RosterFolder folder(People(persons));
        const ReportDocument doc = LayOut(kind);
        QVERIFY(doc.pages.size() >= 2);
        const double captions[3][3] = {{0.17, 3.08, 5.42}, {0.17, 3.08, 5.42}, {0.50, 3.17, 5.67}};
        const double values[3][3] = {{0.83, 3.58, 6.00}, {0.83, 3.58, 6.00}, {1.17, 3.67, 6.25}};
        int listed = 0;
        for (const ReportPage& page : doc.pages) {
            const int n = page.number;
            int rowsOnPage = 0;
            double lowestDetail = 0;
            for (const ReportText& t : page.texts)
                if (t.band == ReportBandKind::Detail) {
                    lowestDetail = std::max(lowestDetail, t.top + t.height);
                    rowsOnPage += t.name == QStringLiteral("LFMName") ? 1 : 0;
                }
            listed += rowsOnPage;
            // Kinds 1 and 2 show the roster's row count on every page; the phone list the
            // persons listed up to the end of that page.
            const int expected = kind == 3 ? listed : persons;
            QCOMPARE(FooterValue(doc, n, "Records:"), QString::number(expected));
            QCOMPARE(FooterValue(doc, n, "Page:"), QString::number(n));
            QCOMPARE(FooterValue(doc, n, "Printed:"), ReportDateTimeText(PrintedAt));
            const ReportText* records = doc.Find("Records:", n);
            const ReportText* pageCaption = doc.Find("Page:", n);
            const ReportText* printed = doc.Find("Printed:", n);
            QVERIFY(Near(records->left, Margin + captions[kind - 1][0]));
            QVERIFY(Near(pageCaption->left, Margin + captions[kind - 1][1]));
            QVERIFY(Near(printed->left, Margin + captions[kind - 1][2]));
            for (const ReportText& t : page.texts)
                if (t.band == ReportBandKind::PageFooter && t.left > printed->left)
                    QVERIFY(Near(t.left, Margin + values[kind - 1][2]));
            QVERIFY(records->top >= lowestDetail);
        }
        QCOMPARE(listed, persons);
        QCOMPARE(ReportDateTimeText(PrintedAt), QStringLiteral("3/10/2024 7:30:05 PM"));
        if (kind == 3)
            QVERIFY(FooterValue(doc, 1, "Records:").toInt() < persons);
    }

    void filteredRosterListsOnlyThoseRows() {
        RosterFolder folder(People(12)); // every fourth person is not a member
        Table* roster = folder.data()->RosterT;
        roster->SetFilter(QStringLiteral("IsMember = false"));
        roster->SetFiltered(true);
        for (int kind : {1, 3}) {
            const ReportDocument doc = LayOut(kind);
            QCOMPARE(Texts(doc.Named("LFMName")),
                     QStringList({"Person004, Pat ", "Person008, Pat ", "Person012, Pat "}));
            QCOMPARE(FooterValue(doc, 1, "Records:"), QStringLiteral("3"));
        }
        QVERIFY(roster->Filtered());
    }

    void menuCommandRestoresRecordNumberOrder_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::newRow("names and addresses")
            << "RosterNameandAddress1" << 1 << "Roster - Name, Address";
        QTest::newRow("with phones")
            << "RosterNameAddressPhone1" << 2 << "Roster - Name, Address, Phone";
        QTest::newRow("phone list") << "RosterPhoneList1" << 3 << "Roster - Phone List";
    }
    void menuCommandRestoresRecordNumberOrder() {
        QFETCH(QString, item);
        QFETCH(int, kind);
        QFETCH(QString, caption);
        RosterFolder folder({Member(1, "Olson", "Ann"), Member(2, "Berg", "Per"),
                             Member(3, "Thompson", "Kari", false), Member(4, "Anders", "Jon")});
        Table* roster = folder.data()->RosterT;
        // The View Roster window left the roster in first-name order.
        roster->SetIndexName(QStringLiteral("RFN"));
        const TMenuRow* row = FindMenuRow(item);
        QVERIFY(row);
        QString previewCaption;
        QString activeWhilePreviewed;
        Dialogs::QueueModal([&](QDialog* dialog) {
            previewCaption = dialog->windowTitle();
            activeWhilePreviewed = ActiveLName;
            return int(QDialog::Rejected);
        });
        QCOMPARE(RunMenuRow(*row, nullptr), TMenuOutcome::ReportShown);
        QCOMPARE(ReportKind, kind);
        QCOMPARE(previewCaption, caption);
        // The walk left the roster on the last person of the list, Thompson: the active
        // record while the preview was open, and afterwards.
        QCOMPARE(activeWhilePreviewed, QStringLiteral("Thompson"));
        QCOMPARE(ActiveRecordNumber, 3);
        QCOMPARE(roster->FieldByName("RecordNumber")->AsInteger(), 3);
        // Record-number order again, for every window.
        QCOMPARE(roster->IndexFieldNames(), QStringLiteral("RecordNumber"));
        QList<int> order;
        for (int i = 0; i < roster->DisplayRowCount(); ++i)
            order << roster->DisplayValue(i, roster->FieldByName("RecordNumber")->Index()).toInt();
        QCOMPARE(order, QList<int>({1, 2, 3, 4}));
        QCOMPARE(ActiveRecordNumber, 3);
    }
};

VTX_REGISTER_TEST(RosterReportsTest)
#include "tst_RosterReports.moc"
