// The Lay Ministries Rosters window and its report: the link removed and the current
// ministry listed at opening, a click (not a key) listing a ministry, a refused pending
// enrolment keeping the list, the report's title, description, detail lines and footer
// (after a click, before any click, an empty ministry, several pages), and names changed
// while the window is open.

#include "MinistriesFixture.h"
#include "app/vtxOptionsU.h"
#include "ministries/vtxLayMinistriesRostersR.h"
#include "ministries/vtxLayMinistriesRostersView.h"
#include "ministries/vtxLayMinistriesViewF.h"
#include "toolkit/vtxDBGrid.h"

#include <QDialog>
#include <QPushButton>

namespace {

const QString Church = "St. Olaf Lutheran Church";
const QDateTime PrintedAt(QDate(2024, 3, 10), QTime(19, 30, 5));

QStringList VisibleTitles(TDBGrid* grid) {
    QStringList titles;
    for (int c : grid->VisibleColumns())
        titles << grid->GridModel()->ColumnTitle(c);
    return titles;
}

// Clicks the row of a ministry in the ministries grid.
bool ClickMinistry(TLayMinistriesRostersViewForm* view, int number) {
    TDBGrid* grid = view->MinistriesGrid;
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
        if (grid->model()->index(row, 0).data().toInt() != number)
            continue;
        const QModelIndex cell = grid->model()->index(row, 1);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        return true;
    }
    return false;
}

// The texts of the detail lines of a laid-out report, row by row, in placing order.
QList<QStringList> DetailRows(const ReportDocument& document) {
    QList<QStringList> rows;
    for (const ReportPage& page : document.pages)
        for (const ReportText& text : page.texts) {
            if (text.band != ReportBandKind::Detail)
                continue;
            while (rows.size() <= text.row)
                rows << QStringList();
            rows[text.row] << text.text;
        }
    return rows;
}

} // namespace

class TestMinistryRosters : public QObject {
    Q_OBJECT

    MinistriesFixture fx;

    TLayMinistriesRostersViewForm* OpenRosters() {
        auto* view = new TLayMinistriesRostersViewForm;
        ShowActive(view);
        return view;
    }

private slots:
    void init() {
        fx.OpenParish();
        OptionsRecord.OrganizationName.SetText(Church);
    }
    void cleanup() { fx.Close(); }

    void opensUnlinkedOnTheCurrentMinistry() {
        QVERIFY(fx.GoTo(2));
        (new TLayMinistriesViewForm)->close(); // links the enrolments to the roster
        FlushDeletes();
        QVERIFY(fx.GoToMinistry(3));
        TLayMinistriesRostersViewForm* view = OpenRosters();
        QCOMPARE(view->windowTitle(), QString("Lay Ministries Rosters"));
        QCOMPARE(VisibleTitles(view->MinistriesGrid),
                 QStringList({"Ministry No.", "Ministry Name", "Description", "Governing",
                              "No. of Members"}));
        QCOMPARE(VisibleTitles(view->ParticipantsGrid),
                 QStringList({"Lay Minister", "Ministry", "Start Date", "End Date", "Remark"}));
        QVERIFY(!fx.Enrolled()->MasterSource());
        QCOMPARE(view->ListedMinistry(), 3);
        QCOMPARE(fx.Numbers(fx.Enrolled(), "RosterRecordNumber"), QList<int>({1, 2, 5, 8, 9}));
        QCOMPARE(view->ParticipantsGrid->model()->index(0, 2).data().toString(),
                 QString("Anderson, Alice "));
        QCOMPARE(view->MinistriesGrid->CursorRow(), 2);
        // Closing leaves the table as it is.
        view->close();
        QVERIFY(fx.Enrolled()->Filtered());
        QVERIFY(!fx.Enrolled()->MasterSource());
    }

    void aClickListsThatMinistry_data() {
        QTest::addColumn<int>("ministry");
        QTest::addColumn<QList<int>>("members");
        QTest::newRow("ushers, a former one included") << 3 << QList<int>{1, 2, 5, 8, 9};
        QTest::newRow("altar guild") << 2 << QList<int>{1, 3, 5};
        QTest::newRow("nobody") << 7 << QList<int>{};
    }

    void aClickListsThatMinistry() {
        QFETCH(int, ministry);
        QFETCH(QList<int>, members);
        TLayMinistriesRostersViewForm* view = OpenRosters();
        QVERIFY(ClickMinistry(view, ministry));
        QCOMPARE(CurrentMinistryNumber, ministry);
        QCOMPARE(view->ListedMinistry(), ministry);
        QCOMPARE(fx.Enrolled()->Filter(), QString("MinistryNumber = %1").arg(ministry));
        QCOMPARE(fx.Numbers(fx.Enrolled(), "RosterRecordNumber"), members);
        QCOMPARE(view->ParticipantsGrid->model()->rowCount(), members.size());
    }

    void keysMoveTheMinistryButNotTheList() {
        TLayMinistriesRostersViewForm* view = OpenRosters();
        QVERIFY(ClickMinistry(view, 3));
        QTest::keyClick(view->MinistriesGrid, Qt::Key_Down);
        QCOMPARE(CurrentMinistryNumber, 4);
        QCOMPARE(view->ListedMinistry(), 3);
        QCOMPARE(fx.Numbers(fx.Enrolled(), "RosterRecordNumber"), QList<int>({1, 2, 5, 8, 9}));
        // The roster printed is the one listed.
        TLayMinistriesRostersReport report(view->ListedMinistry());
        QCOMPARE(report.TitleText(), Church + ":  Ushers");
        QCOMPARE(report.Layout(PrintedAt).printedRows, 5);
    }

    void aRefusedPendingEnrolmentKeepsTheList() {
        TLayMinistriesRostersViewForm* view = OpenRosters();
        QVERIFY(ClickMinistry(view, 3));
        // Another window left a second enrolment of member 5 in ministry 3 pending.
        Table* enrolled = fx.Enrolled();
        enrolled->Insert();
        enrolled->FieldByName("MinistryNumber")->SetAsInteger(3);
        enrolled->FieldByName("RosterRecordNumber")->SetAsInteger(5);
        QVERIFY(ClickMinistry(view, 2));
        QCOMPARE(fx.Shown().size(), 1);
        QVERIFY(fx.Shown().first().contains("Lay Ministry Roster Table."));
        QCOMPARE(enrolled->State(), DataSetState::Insert);
        QCOMPARE(view->ListedMinistry(), 3);
        QCOMPARE(enrolled->Filter(), QString("MinistryNumber = 3"));
        enrolled->Cancel();
        QCOMPARE(fx.Numbers(enrolled, "RosterRecordNumber"), QList<int>({1, 2, 5, 8, 9}));
    }

    void theReportOfAMinistry() {
        TLayMinistriesRostersViewForm* view = OpenRosters();
        QVERIFY(ClickMinistry(view, 3));
        TLayMinistriesRostersReport report(view->ListedMinistry());
        const ReportDocument document = report.Layout(PrintedAt);
        QCOMPARE(document.caption, QString("Lay Ministries Rosters Report"));
        QCOMPARE(document.pages.size(), size_t(1));

        const ReportText* title = document.Find(Church + ":  Ushers");
        QVERIFY(title);
        QCOMPARE(title->band, ReportBandKind::Title);
        QCOMPARE(title->align, ReportAlign::Center);
        QCOMPARE(title->font.pointSize, 12.0);
        QVERIFY(title->font.bold);
        const ReportText* description = document.Find("Greets worshippers and counts attendance.");
        QVERIFY(description);
        QCOMPARE(description->align, ReportAlign::Center);
        QCOMPARE(description->font.pointSize, 10.0);
        QVERIFY(!description->font.bold);
        QVERIFY(description->top > title->top);

        // Two lines per enrolment, in record-number order; an empty date prints nothing.
        QCOMPARE(DetailRows(document),
                 QList<QStringList>(
                     {{"Anderson, Alice ", "Serving:", "1/4/2015", "1/3/2016", "Moved away"},
                      {"Berg, Bob ", "Serving:", "5/3/2020"},
                      {"Eklund, Eve ", "Serving:", "6/3/2018"},
                      {"Holm, Hans ", "Serving:", "2/6/2022"},
                      {"Lindqvist-Sandberg, ", "Serving:", "1/7/2024"}}));
        const auto names = document.Named("LayMinisterName");
        QCOMPARE(names.size(), size_t(5));
        QVERIFY(names.front()->font.bold);
        const ReportText* remark = document.Find("Moved away");
        const ReportText* serving = document.Find("Serving:");
        QVERIFY(remark->top > names.front()->top);
        QVERIFY(remark->left > names.front()->left + 1);
        QVERIFY(serving->left > 3.75 + 0.5); // towards the right half of the line
        QVERIFY(!serving->font.bold);

        // The footer: the running count, the page, the print time.
        QCOMPARE(document.Named("Records").front()->text, QString("5"));
        QCOMPARE(document.Named("Page").front()->text, QString("1"));
        QVERIFY(document.Find("Printed:"));
        QCOMPARE(document.Named("Printed").front()->text, ReportDateTimeText(PrintedAt));
    }

    void printingBeforeAnyClickPrintsTheMinistryShown() {
        QVERIFY(fx.GoToMinistry(1));
        TLayMinistriesRostersViewForm* view = OpenRosters();
        QString caption;
        Dialogs::QueueModal([&caption](QDialog* preview) {
            caption = preview->windowTitle();
            return int(QDialog::Rejected);
        });
        fx.Enrolled()->First();
        QTest::mouseClick(view->PrintButton, Qt::LeftButton);
        QCOMPARE(caption, QString("Lay Ministries Rosters Report"));
        // The list keeps its place after the report's walk.
        QCOMPARE(fx.Enrolled()->RecNo(), 1);
        TLayMinistriesRostersReport report(view->ListedMinistry());
        QCOMPARE(report.TitleText(), Church + ":  Church Council");
        QCOMPARE(DetailRows(report.Layout(PrintedAt)).size(), 2);
    }

    void aMinistryWithoutParticipantsPrintsTitleAndFooter() {
        TLayMinistriesRostersViewForm* view = OpenRosters();
        QVERIFY(ClickMinistry(view, 7));
        TLayMinistriesRostersReport report(7);
        const ReportDocument document = report.Layout(PrintedAt);
        QCOMPARE(document.pages.size(), size_t(1));
        QVERIFY(document.Find(Church + ":  Property Committee"));
        QVERIFY(document.Find("Cares for the buildings."));
        QVERIFY(DetailRows(document).isEmpty());
        QCOMPARE(document.Named("Records").front()->text, QString("0"));
    }

    void aLongRosterRunsOverPagesAndALongDescriptionOverLines() {
        QList<EnrolmentRow> many;
        for (int member = 1; member <= 60; ++member)
            many << EnrolmentRow{1, member, QDate(2020, 1, 5)};
        QList<MinistryRow> ministries = Ministries;
        QString words;
        for (int i = 0; i < 40; ++i)
            words += QString("word%1 ").arg(i);
        ministries[0].description = words.trimmed();
        fx.OpenParish(ministries, many);
        OptionsRecord.OrganizationName.SetText(Church);
        TLayMinistriesRostersViewForm* view = OpenRosters();
        QCOMPARE(fx.Enrolled()->RecordCount(), 60);
        TLayMinistriesRostersReport report(view->ListedMinistry());
        const ReportDocument document = report.Layout(PrintedAt);
        QVERIFY(document.pages.size() >= 3);
        QCOMPARE(DetailRows(document).size(), 60);

        // Each footer counts the rows printed up to its page.
        int printed = 0;
        for (const ReportPage& page : document.pages) {
            for (const ReportText& text : page.texts)
                if (text.band == ReportBandKind::Detail && text.text == "Serving:")
                    ++printed;
            const auto counts = document.Named("Records");
            QCOMPARE(counts[size_t(page.number - 1)]->text, QString::number(printed));
        }
        QCOMPARE(printed, 60);

        // The description: every word once, over several centred lines within the page.
        const QStringList lines = report.DescriptionLines();
        QVERIFY(lines.size() >= 2);
        QCOMPARE(lines.join(' '), words.trimmed());
        const auto shown = document.Named("Description");
        QCOMPARE(shown.size(), size_t(lines.size()));
        for (const ReportText* line : shown) {
            QCOMPARE(line->page, 1);
            QCOMPARE(line->align, ReportAlign::Center);
        }
        QVERIFY(shown.back()->top > shown.front()->top);
        QVERIFY(document.Named("LayMinisterName").front()->top > shown.back()->top);
    }

    void wrappingKeepsLinesWithinTheWidth_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("fits") << "Reads the lessons." << 7.5 << QStringList{"Reads the lessons."};
        QTest::newRow("line breaks kept")
            << "First line\r\nSecond line" << 7.5 << QStringList{"First line", "Second line"};
        QTest::newRow("narrow") << "one two three" << 0.45 << QStringList{"one", "two", "three"};
        QTest::newRow("empty") << "" << 7.5 << QStringList{};
    }

    void wrappingKeepsLinesWithinTheWidth() {
        QFETCH(QString, text);
        QFETCH(double, width);
        QFETCH(QStringList, lines);
        QCOMPARE(TLayMinistriesRostersReport::WrapText(text, width, {"Arial", 10}), lines);
    }

    void namesChangedWhileTheWindowIsOpen() {
        TLayMinistriesRostersViewForm* view = OpenRosters();
        QVERIFY(ClickMinistry(view, 3));
        QVERIFY(fx.GoTo(5));
        Table* roster = fx.Roster();
        roster->Edit();
        roster->FieldByName("LName")->SetAsString("Ek");
        roster->Post();
        QCOMPARE(view->ParticipantsGrid->model()->index(2, 2).data().toString(),
                 QString("Ek, Eve "));

        Table* ministries = fx.MinistriesTable();
        QVERIFY(fx.GoToMinistry(3));
        ministries->Edit();
        ministries->FieldByName("MinistryName")->SetAsString("Greeters");
        ministries->Post();
        QCOMPARE(view->MinistriesGrid->model()->index(2, 1).data().toString(), QString("Greeters"));
        QCOMPARE(view->ParticipantsGrid->model()->index(0, 3).data().toString(), QString("Ushers"));
        TLayMinistriesRostersReport report(view->ListedMinistry());
        QCOMPARE(report.TitleText(), Church + ":  Greeters");
        QCOMPARE(DetailRows(report.Layout(PrintedAt))[2].first(), QString("Ek, Eve "));
    }
};

VTX_REGISTER_TEST(TestMinistryRosters)
#include "tst_MinistryRosters.moc"
