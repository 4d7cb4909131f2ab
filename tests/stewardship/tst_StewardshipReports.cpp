// The stewardship reports: the envelope assignments with and without pledges, the quarterly
// pledge summary over every year, their texts and places, and the shared tables left as
// they were; the menu commands of the stewardship windows and reports.

#include "StewardshipFixture.h"
#include "app/vtxMenuTable.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "stewardship/vtxEnvelopeAssignmentsR.h"
#include "stewardship/vtxOfferingDataEntryF.h"
#include "stewardship/vtxQuarterlyR.h"
#include "stewardship/vtxStewardDataEntryF.h"

#include <cmath>

using namespace stewardship_test;

namespace {

const QDateTime PrintedAt(QDate(2024, 3, 10), QTime(19, 30, 5));

QStringList Texts(const ReportDocument& doc, const QString& name) {
    QStringList list;
    for (const ReportText* t : doc.Named(name))
        list << t->text;
    return list;
}

// The first text of a page equal to the text, placed at that left edge (inches from the
// paper's edge); null when there is none.
const ReportText* At(const ReportDocument& doc, const QString& text, double left, int page = 1) {
    for (const ReportText& t : doc.pages[size_t(page - 1)].texts)
        if (t.text == text && std::abs(t.left - left) < 1e-6)
            return &t;
    return nullptr;
}

ReportDocument EnvelopeReport(int kind) {
    ReportKind = kind;
    TEnvelopeAssignmentsReport report;
    return report.Layout(PrintedAt);
}

ReportDocument QuarterlyReport(const QString& quarter, Currency* total = nullptr) {
    ReportQuarter = quarter;
    TQuarterlyReport report;
    ReportDocument doc = report.Layout(PrintedAt);
    if (total)
        *total = report.Total();
    return doc;
}

} // namespace

class TestStewardshipReports : public QObject {
    Q_OBJECT

    RosterWindowsFixture fx;

private slots:
    void init() {
        fx.Open(People, Envelopes() + Gifts());
        OptionsRecord.OrganizationName.SetText("St. Olaf Lutheran Church");
        PasswordsInForce = FreshAccessRecord();
        AccessFileRead = true; // as after start-up: the passwords are known
    }
    void cleanup() {
        fx.Close();
        AccessFileRead = false;
        PasswordsInForce = TAccessRecord();
        OptionsRecord.OrganizationName.SetText(QString());
    }

    // Kind 5 prints the pledge amount; kind 4 prints neither the word "Amount" nor any
    // amount. Envelopes in text order (10 before 9); an envelope whose member is not in the
    // roster prints without a name.
    void envelopeAssignments_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("without pledge (4)") << 4;
        QTest::newRow("with pledge (5)") << 5;
    }
    void envelopeAssignments() {
        QFETCH(int, kind);
        const ReportDocument doc = EnvelopeReport(kind);
        QCOMPARE(doc.caption, kind == 5 ? QString("Envelope Assignments with Pledge")
                                        : QString("Envelope Assignments"));
        const ReportText* title = doc.Find("St. Olaf Lutheran Church:  Envelope Assignments");
        QVERIFY(title);
        QVERIFY(title->font.bold && title->font.pointSize == 12 &&
                title->align == ReportAlign::Center);
        for (const auto& [text, left] : {std::pair{"Envelope", 0.5}, std::pair{"Name", 1.67},
                                         std::pair{"Pledge Year", 5.67}}) {
            const ReportText* heading = At(doc, text, left);
            QVERIFY2(heading, text);
            QVERIFY(heading->font.bold && heading->font.underline);
            QVERIFY(heading->top > title->top);
        }
        QCOMPARE(bool(At(doc, "Amount", 6.75)), kind == 5);
        QCOMPARE(Texts(doc, "EnvelopeNumber"), QStringList({"1", "10", "2", "77", "9"}));
        QCOMPARE(Texts(doc, "LFMName"),
                 QStringList({"Olson, Cora ", "Berg, Bob ", "Quist, Ann ", "Adams, Dale "}));
        QCOMPARE(doc.Named("LFMName")[3]->row, 4); // 77 has no name: Adams is on the fifth line
        QCOMPARE(Texts(doc, "PledgeYear"), QStringList({"2023", "2024", "2024", "2024", "2024"}));
        QCOMPARE(Texts(doc, "PledgeAmount"),
                 kind == 5 ? QStringList({"$260.00", "$520.00", "$1,040.50", "$52.00"})
                           : QStringList());
        const ReportText* name = doc.Named("LFMName").front();
        QVERIFY(std::abs(name->left - 1.67) < 1e-6 && std::abs(name->width - 4.01) < 1e-6);
        QVERIFY(std::abs(doc.Named("PledgeYear").front()->left - 5.92) < 1e-6);
        QCOMPARE(Texts(doc, "Records"), QStringList({"5"}));
        QVERIFY(At(doc, "Records:", 0.75) && At(doc, "Page:", 3.58) && At(doc, "Printed:", 5.92));
        QCOMPARE(Texts(doc, "Printed"), QStringList({"3/10/2024 7:30:05 PM"}));
    }

    void noEnvelopes() {
        fx.Open(People, Gifts());
        const ReportDocument doc = EnvelopeReport(5);
        QCOMPARE(doc.pages.size(), size_t(1));
        QVERIFY(doc.Find("St. Olaf Lutheran Church:  Envelope Assignments"));
        QVERIFY(At(doc, "Envelope", 0.5) && At(doc, "Amount", 6.75));
        QCOMPARE(Texts(doc, "Records"), QStringList({"0"}));
        QVERIFY(doc.Named("EnvelopeNumber").empty());
    }

    // From the menu: afterwards the envelope table stands where it stood (and its values with
    // it), the roster has no link and the active record is the one before.
    void envelopeReportLeavesTheTablesAsTheyWere() {
        QVERIFY(DataMod->EnvelopeT->Locate("EnvelopeNumber", {"2"}));
        QVERIFY(fx.GoTo(2));
        QCOMPARE(RunMenuRow(*FindMenuRow("EnvelopeAssignmentswithPledge1"), nullptr),
                 TMenuOutcome::ReportShown);
        QCOMPARE(Dialogs::ShownLog().last().kind, QString("modal"));
        QCOMPARE(DataMod->EnvelopeT->FieldByName("EnvelopeNumber")->AsString(), QString("2"));
        QCOMPARE(CurrentEnvelopeNumber, QString("2"));
        QCOMPARE(CurrentPledgeAmount.ToString(), QString("1040.5"));
        QCOMPARE(DataMod->RosterT->MasterSource(), nullptr);
        QCOMPARE(ActiveRecordNumber, 2);
        QCOMPARE(fx.RosterNumbers(), QList<int>({1, 2, 3, 4}));
    }

    // Quarter 2 of every year: the April to June gifts of 2023 and 2024, in envelope order,
    // their total; "Records: " counts every gift of the table.
    void quarterTwoOfEveryYear() {
        Currency total;
        const ReportDocument doc = QuarterlyReport("2", &total);
        QCOMPARE(doc.caption, QString("Stewardship - Quarterly Pledge Summary"));
        const ReportText* title = doc.Find("St. Olaf Lutheran Church:  Quarterly Pledge Summary");
        QVERIFY(title && title->font.bold && title->font.pointSize == 12);
        for (const auto& [text, left] :
             {std::pair{"Envelope", 0.92}, std::pair{"Offering Date", 2.92},
              std::pair{"Posted Date", 4.92}, std::pair{"Amount", 6.83}}) {
            const ReportText* heading = At(doc, text, left);
            QVERIFY2(heading, text);
            QVERIFY(heading->font.bold && heading->font.underline);
            QVERIFY(std::abs(heading->top - title->top - 0.53) < 1e-6); // 0.58 below the band top
        }
        QCOMPARE(Texts(doc, "EnvelopeNumber"), QStringList({"1", "10", "2"}));
        QCOMPARE(Texts(doc, "OfferingDate"), QStringList({"4/2/2023", "4/7/2024", "6/30/2024"}));
        QCOMPARE(Texts(doc, "PostedDate"), QStringList({"4/3/2023", "4/8/2024", "7/1/2024"}));
        QCOMPARE(Texts(doc, "Amount"), QStringList({"$12.00", "$25.00", "$40.50"}));
        QCOMPARE(Texts(doc, "Total"), QStringList({"$77.50"}));
        QCOMPARE(total.ToString(), QString("77.5"));
        QVERIFY(At(doc, "Total", 6.42));
        QCOMPARE(doc.printedRows, 3);
        QCOMPARE(Texts(doc, "Records"), QStringList({"8"}));
        QVERIFY(At(doc, "Records: ", 0.75) && At(doc, "Page: ", 3.58) &&
                At(doc, "Printed: ", 6.17));
        QVERIFY(std::abs(doc.Named("Records").front()->left - 1.42) < 1e-6);
        QVERIFY(std::abs(doc.Named("Printed").front()->left - 6.75) < 1e-6);
    }

    // A gift without an offering date counts in quarter 4 (and prints without dates).
    void aGiftWithoutDateIsInQuarterFour() {
        const ReportDocument doc = QuarterlyReport("4");
        QCOMPARE(Texts(doc, "EnvelopeNumber"), QStringList({"2", "77", "9"}));
        QCOMPARE(Texts(doc, "OfferingDate"), QStringList({"12/31/2023", "10/6/2024"}));
        QCOMPARE(Texts(doc, "Total"), QStringList({"$28.00"}));
    }

    // A quarter without gifts: the title, the summary with a total of zero, the footer.
    void aQuarterWithoutGifts() {
        fx.Open(People, {Gift("10", QDate(2024, 4, 7), 25)});
        const ReportDocument doc = QuarterlyReport("1");
        QCOMPARE(doc.pages.size(), size_t(1));
        QVERIFY(doc.Find("Quarterly Pledge Summary", 1) == nullptr); // the title carries the name
        QVERIFY(At(doc, "Envelope", 0.92));
        QVERIFY(doc.Named("EnvelopeNumber").empty());
        QVERIFY(At(doc, "Total", 6.42));
        QCOMPARE(Texts(doc, "Total"), QStringList({"$0.00"}));
        QCOMPARE(Texts(doc, "Records"), QStringList({"1"}));
    }

    // Over several pages: the headings on the first page only, the total after the last line,
    // every page with its footer. The gift table is left as it was; a pending gift is posted
    // first and counts.
    void severalPagesAndTheTableLeftAsItWas() {
        QList<DetailRow> gifts;
        for (int i = 0; i < 150; ++i)
            gifts << Gift(QString::number(100 + i), QDate(2024, 5, 5), 10);
        fx.Open(People, gifts);
        Table* table = DataMod->EnvelopeOfferingT;
        table->SetRecNo(40);
        const Bookmark before = table->GetBookmark();
        table->Append();
        table->FieldByName("EnvelopeNumber")->SetAsString("99");
        table->FieldByName("OfferingDate")->SetAsDate(QDate(2024, 6, 2));
        table->FieldByName("Amount")->SetAsString("5");
        const ReportDocument doc = QuarterlyReport("2");
        QCOMPARE(table->State(), DataSetState::Browse);
        QVERIFY(doc.pages.size() >= 3);
        QCOMPARE(doc.Named("EnvelopeNumber").size(), size_t(151));
        QCOMPARE(int(doc.Named("Records").size()), int(doc.pages.size()));
        QCOMPARE(Texts(doc, "Records").last(), QString("151"));
        int headings = 0;
        for (const ReportPage& page : doc.pages)
            for (const ReportText& t : page.texts)
                headings += t.text == "Offering Date" ? 1 : 0;
        QCOMPARE(headings, 1);
        const ReportText* total = doc.Named("Total").front();
        QCOMPARE(total->page, int(doc.pages.size()));
        QCOMPARE(total->text, QString("$1,505.00"));
        QVERIFY(total->top > doc.Named("EnvelopeNumber").back()->top);
        // The posted gift became current; the cursor did not move during the report.
        QCOMPARE(table->FieldByName("EnvelopeNumber")->AsString(), QString("99"));
        QVERIFY(table->GetBookmark() != before);
        const Bookmark posted = table->GetBookmark();
        QuarterlyReport("3");
        QCOMPARE(table->GetBookmark(), posted);
    }

    // The menu's stewardship commands open their windows and reports, behind the financial
    // password when it is installed.
    void menuCommands_data() {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("windowName");
        QTest::newRow("envelopes") << "Stewardship1"
                                   << "StewardshipDataEntryForm";
        QTest::newRow("loose offering") << "StewardshipLoose1"
                                        << "OfferingDataEntryForm";
        QTest::newRow("envelope assignments") << "EnvelopeAssignments1"
                                              << "";
        QTest::newRow("with pledge") << "EnvelopeAssignmentswithPledge1"
                                     << "";
        QTest::newRow("quarterly") << "StewardshipQuarterlyStatement1"
                                   << "";
    }
    void menuCommands() {
        QFETCH(QString, object);
        QFETCH(QString, windowName);
        const TMenuRow& row = *FindMenuRow(object);
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, 1, "Gift1");
        PasswordsInForce = record;
        if (row.accessLevel == 1)
            Dialogs::QueueInput(true, "Gift1");
        if (row.asksQuarter)
            Dialogs::QueueInput(true, "2");
        const TMenuOutcome outcome = RunMenuRow(row, nullptr);
        QCOMPARE(outcome,
                 windowName.isEmpty() ? TMenuOutcome::ReportShown : TMenuOutcome::WindowShown);
        QStringList asked;
        for (const Dialogs::Shown& shown : Dialogs::ShownLog())
            if (shown.kind == "query")
                asked << shown.text;
        QStringList expected;
        if (row.accessLevel == 1)
            expected << "Enter Password";
        if (row.asksQuarter)
            expected << "Which quarter (1-4)?";
        QCOMPARE(asked, expected);
        if (!windowName.isEmpty()) {
            QWidget* window = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == windowName && w->isVisible())
                    window = w;
            QVERIFY(window);
            QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
            QVERIFY(!window->isModal());
        }
    }
};

VTX_REGISTER_TEST(TestStewardshipReports)
#include "tst_StewardshipReports.moc"
