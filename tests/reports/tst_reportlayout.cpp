// Laying out band reports: places, page and column breaks, bands on the right pages,
// the running count and the per-row hooks.

#include "ListReportFixture.h"
#include "TestSupport.h"

#include <QTest>

namespace {

// The detail rows of a page, in order.
QList<int> RowsOn(const ReportDocument& doc, int page) {
    QList<int> rows;
    for (const ReportText& t : doc.pages.at(page - 1).texts)
        if (t.band == ReportBandKind::Detail && t.name == "Name")
            rows << t.row;
    return rows;
}

const ReportText* NamedOn(const ReportDocument& doc, const QString& name, int page) {
    for (const ReportText* t : doc.Named(name))
        if (t->page == page)
            return t;
    return nullptr;
}

} // namespace

class ReportLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void placesItemsInInchesFromThePaperCorner() {
        ListReport list(2);
        const ReportDocument doc = list.Layout();
        QCOMPARE(doc.pages.size(), size_t(1));

        const ReportText* title = doc.Find("Parish:  Names");
        QVERIFY(title);
        VERIFY_NEAR(title->left, Margin);
        VERIFY_NEAR(title->top, Margin + 0.1);
        VERIFY_NEAR(title->width, 7.5); // the whole width between the margins
        QCOMPARE(title->align, ReportAlign::Center);
        QCOMPARE(title->font, (ReportFont{"Arial", 12, true, false, false}));

        const std::vector<const ReportText*> names = doc.Named("Name");
        QCOMPARE(names.size(), size_t(2));
        for (int row = 0; row < 2; ++row) {
            const ReportText* name = names[row];
            QCOMPARE(name->row, row);
            QCOMPARE(name->text, list.people[row].name);
            VERIFY_NEAR(name->left, Margin + 0.08);
            VERIFY_NEAR(name->top, Margin + TitleHeight + row * DetailHeight + 0.08);
            VERIFY_NEAR(name->width, 6.09);
            QCOMPARE(name->font, (ReportFont{"Arial", 10})); // the report's default font
        }
        // Without a width an item reaches to the band's right edge.
        const ReportText* member = doc.Named("IsMember").front();
        VERIFY_NEAR(member->left, Margin + 6.33);
        VERIFY_NEAR(member->width, 7.5 - 6.33);

        const ReportText* records = doc.Find("Records:");
        QVERIFY(records);
        VERIFY_NEAR(records->left, Margin + 0.17);
        VERIFY_NEAR(records->top, FooterTop + 0.05);
        QCOMPARE(records->band, ReportBandKind::PageFooter);
    }

    void paperFollowsSizeAndOrientation_data() {
        QTest::addColumn<int>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("letter portrait") << int(QPageSize::Letter) << false << 8.5 << 11.0;
        QTest::newRow("letter landscape") << int(QPageSize::Letter) << true << 11.0 << 8.5;
        QTest::newRow("legal portrait") << int(QPageSize::Legal) << false << 8.5 << 14.0;
    }
    void paperFollowsSizeAndOrientation() {
        QFETCH(int, paper);
        QFETCH(bool, landscape);
        QFETCH(double, width);
        QFETCH(double, height);
        BandReport report;
        report.page.paper = QPageSize::PageSizeId(paper);
        report.page.orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        report.AddBand(ReportBandKind::Title, 0.5).AddText(0, 0, "T").Align(ReportAlign::Right);
        report.AddBand(ReportBandKind::PageFooter, 0.3).AddText(0, 0.1, "F");
        const ReportDocument doc = report.Layout();
        const QSizeF size = doc.page.PaperInches();
        VERIFY_NEAR(size.width(), width);
        VERIFY_NEAR(size.height(), height);
        VERIFY_NEAR(doc.Find("T")->width, width - 1.0);
        VERIFY_NEAR(doc.Find("F")->top, height - 0.5 - 0.3 + 0.1);
    }

    // Page 1 holds (10.25 - 1.0) / 0.5 = 18 rows under the title, later pages
    // (10.25 - 0.5) / 0.5 = 19 rows.
    void breaksPagesWithAFooterOnEvery_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("rowsPerPage");
        QTest::newRow("empty") << 0 << QList<int>{0};
        QTest::newRow("one") << 1 << QList<int>{1};
        QTest::newRow("full first page") << 18 << QList<int>{18};
        QTest::newRow("one over") << 19 << QList<int>{18, 1};
        QTest::newRow("two full pages") << 37 << QList<int>{18, 19};
        QTest::newRow("three pages") << 40 << QList<int>{18, 19, 3};
    }
    void breaksPagesWithAFooterOnEvery() {
        QFETCH(int, rows);
        QFETCH(QList<int>, rowsPerPage);
        ListReport list(rows);
        list.report.bands[2].enabled = false; // no summary here
        const ReportDocument doc = list.Layout();
        QCOMPARE(int(doc.pages.size()), int(rowsPerPage.size()));
        QCOMPARE(doc.rowCount, rows);
        QCOMPARE(doc.printedRows, rows);

        int next = 0;
        for (int page = 1; page <= int(doc.pages.size()); ++page) {
            QCOMPARE(doc.pages[page - 1].number, page);
            const QList<int> onPage = RowsOn(doc, page);
            QCOMPARE(onPage.size(), rowsPerPage[page - 1]);
            for (int row : onPage)
                QCOMPARE(row, next++);
            // Rows follow each other from the top of the page (below the title on page 1)
            // and never reach into the footer.
            const double top = page == 1 ? Margin + TitleHeight : Margin;
            for (const ReportText& t : doc.pages[page - 1].texts) {
                if (t.band != ReportBandKind::Detail || t.name != "Name")
                    continue;
                VERIFY_NEAR(t.top, top + onPage.indexOf(t.row) * DetailHeight + 0.08);
                QVERIFY(t.top - 0.08 + DetailHeight <= FooterTop + 1e-9);
            }
            // The title only on the first page, the footer on every page with the count of
            // rows printed up to the end of that page.
            QCOMPARE(doc.Find("Parish:  Names", page) != nullptr, page == 1);
            QCOMPARE(NamedOn(doc, "Page", page)->text, QString::number(page));
            QCOMPARE(NamedOn(doc, "Count", page)->text, QString::number(next));
            QCOMPARE(NamedOn(doc, "Rows", page)->text, QString::number(rows));
            QCOMPARE(NamedOn(doc, "Printed", page)->text, QStringLiteral("3/10/2024 7:30:05 PM"));
        }
        QCOMPARE(next, rows);
    }

    // The summary follows the last row; when it does not fit there it starts a new page.
    void placesTheSummaryAfterTheLastRow_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::addColumn<double>("summaryTop");
        QTest::newRow("empty report") << 0 << 1 << Margin + TitleHeight;
        QTest::newRow("fits on the page") << 17 << 1 << Margin + TitleHeight + 17 * DetailHeight;
        QTest::newRow("page full") << 18 << 2 << Margin;
        QTest::newRow("second page") << 20 << 2 << Margin + 2 * DetailHeight;
    }
    void placesTheSummaryAfterTheLastRow() {
        QFETCH(int, rows);
        QFETCH(int, pages);
        QFETCH(double, summaryTop);
        ListReport list(rows);
        const ReportDocument doc = list.Layout();
        QCOMPARE(int(doc.pages.size()), pages);
        const std::vector<const ReportText*> total = doc.Named("Total");
        QCOMPARE(total.size(), size_t(1));
        QCOMPARE(total[0]->page, pages);
        QCOMPARE(total[0]->band, ReportBandKind::Summary);
        VERIFY_NEAR(total[0]->top, summaryTop);
        QCOMPARE(total[0]->text, QString::number(rows));
        QVERIFY(NamedOn(doc, "Page", pages)); // the summary's page has its footer too
    }

    void hooksSetFontsReplaceTextsAndSkipRows() {
        ListReport list(12);
        int hookCalls = 0;
        int printedSum = 0; // a total over the printed rows only, as a summary would show
        list.report.bands[1].beforePrint = [&](ReportBandPrint& print) {
            ++hookCalls;
            const ListReport::Person& person = list.Current();
            QCOMPARE(print.state.row, list.current);
            if (print.state.row % 4 == 1) {
                print.skip = true;
                return;
            }
            print.SetBold("Name", person.member);
            print.SetText("IsMember", person.member ? "Member" : "Non Member");
            printedSum += print.state.row;
        };
        list.report.bands[2].items[1].value = [&](const ReportState&) {
            return QString::number(printedSum);
        };
        const ReportDocument doc = list.Layout();

        QCOMPARE(hookCalls, 12); // once per row, skipped or not
        QCOMPARE(doc.rowCount, 12);
        QCOMPARE(doc.printedRows, 9);
        const QList<int> printed = RowsOn(doc, 1);
        QCOMPARE(printed, (QList<int>{0, 2, 3, 4, 6, 7, 8, 10, 11}));
        const std::vector<const ReportText*> names = doc.Named("Name");
        const std::vector<const ReportText*> members = doc.Named("IsMember");
        QCOMPARE(names.size(), size_t(9));
        for (size_t i = 0; i < names.size(); ++i) {
            const bool member = list.people[names[i]->row].member;
            QCOMPARE(names[i]->font.bold, member);
            QCOMPARE(members[i]->text, member ? QStringLiteral("Member") : "Non Member");
            // A skipped row leaves no gap.
            VERIFY_NEAR(names[i]->top, Margin + TitleHeight + int(i) * DetailHeight + 0.08);
        }
        QCOMPARE(doc.Named("Total").front()->text,
                 QString::number(0 + 2 + 3 + 4 + 6 + 7 + 8 + 10 + 11));
        QCOMPARE(NamedOn(doc, "Count", 1)->text, QStringLiteral("9"));
        QCOMPARE(NamedOn(doc, "Rows", 1)->text, QStringLiteral("12"));
    }

    void hookMissingItemThrows() {
        ListReport list(1);
        list.report.bands[1].beforePrint = [](ReportBandPrint& print) { print.Item("Nope"); };
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.Layout());
    }

    // A second detail band prints under each row when enabled (an optional line), and the
    // bands of one row stay together on one page.
    void optionalDetailBandKeepsRowsTogether_data() {
        QTest::addColumn<bool>("phoneLine");
        QTest::addColumn<int>("rowsOnFirstPage");
        QTest::newRow("off") << false << 18;
        QTest::newRow("on") << true << 12; // 9.25 / 0.75
    }
    void optionalDetailBandKeepsRowsTogether() {
        QFETCH(bool, phoneLine);
        QFETCH(int, rowsOnFirstPage);
        ListReport list(30);
        list.report.bands[2].enabled = false;
        ReportBand& phones = list.report.bands.emplace_back();
        phones.kind = ReportBandKind::Detail;
        phones.height = 0.25;
        phones.enabled = phoneLine;
        phones.AddText(0.42, 0, "Home:").Named("Home");
        const ReportDocument doc = list.Layout();

        QCOMPARE(RowsOn(doc, 1).size(), rowsOnFirstPage);
        const std::vector<const ReportText*> homes = doc.Named("Home");
        QCOMPARE(int(homes.size()), phoneLine ? 30 : 0);
        for (const ReportText* home : homes) {
            // Under its own row's name, on the same page.
            const ReportText* name = doc.Named("Name").at(home->row);
            QCOMPARE(home->page, name->page);
            VERIFY_NEAR(home->top, name->top - 0.08 + DetailHeight);
        }
    }

    // A hook may grow a band and add lines to it: the rows below move down.
    void variableHeightRows() {
        ListReport list(6);
        list.report.bands[1].beforePrint = [&](ReportBandPrint& print) {
            if (print.state.row % 2 == 0)
                return;
            ReportPrintItem extra = print.Item("Name");
            extra.name = "Extra";
            extra.top += 0.4;
            extra.text = "more";
            print.items.push_back(extra);
            print.height += 0.4;
        };
        const ReportDocument doc = list.Layout();
        const std::vector<const ReportText*> names = doc.Named("Name");
        double expected = Margin + TitleHeight;
        for (const ReportText* name : names) {
            VERIFY_NEAR(name->top, expected + 0.08);
            expected += DetailHeight + (name->row % 2 ? 0.4 : 0);
        }
        const std::vector<const ReportText*> extras = doc.Named("Extra");
        QCOMPARE(extras.size(), size_t(3));
        VERIFY_NEAR(extras[0]->top, names[1]->top + 0.4);
        VERIFY_NEAR(doc.Named("Total").front()->top, expected);
    }

    // Two columns of 3.75 in: rows flow down the first column, then the second, then the
    // next page. Column headings stand at the top of each column.
    void twoColumnsFlowDownThenAcross() {
        ListReport list(80);
        list.report.bands[2].enabled = false;
        list.report.page.columns = 2;
        list.report.AddBand(ReportBandKind::ColumnHeader, 0.25)
            .AddText(0.08, 0, "Name")
            .Named("Heading");
        list.report.bands[1].items[0].width = 0; // to the column's edge
        const ReportDocument doc = list.Layout();

        const double columnWidth = 3.75;
        const double rightColumn = Margin + columnWidth;
        // Page 1: (10.25 - 1.0 - 0.25) / 0.5 = 18 rows per column; later pages 19.
        QCOMPARE(int(doc.pages.size()), 3);
        const std::vector<const ReportText*> names = doc.Named("Name");
        QCOMPARE(int(names.size()), 80);
        for (const ReportText* name : names) {
            int page = 1, column = 0, index = name->row;
            if (index >= 36) {
                index -= 36;
                page = 2 + index / 38;
                index %= 38;
                column = index / 19;
                index %= 19;
            } else {
                column = index / 18;
                index %= 18;
            }
            const double top = (page == 1 ? Margin + TitleHeight : Margin) + 0.25;
            QCOMPARE(name->page, page);
            VERIFY_NEAR(name->left, (column ? rightColumn : Margin) + 0.08);
            VERIFY_NEAR(name->top, top + index * DetailHeight + 0.08);
            VERIFY_NEAR(name->width, columnWidth - 0.08);
        }
        // Headings at the top of each column started: two on pages 1 and 2, one on page 3.
        const std::vector<const ReportText*> headings = doc.Named("Heading");
        QCOMPARE(int(headings.size()), 5);
        VERIFY_NEAR(headings[0]->left, Margin + 0.08);
        VERIFY_NEAR(headings[1]->left, rightColumn + 0.08);
        VERIFY_NEAR(headings[0]->top, Margin + TitleHeight);
        VERIFY_NEAR(headings[1]->top, Margin + TitleHeight);
        VERIFY_NEAR(headings[2]->top, Margin);
        // Footers span the page, not a column, and count the rows so far.
        QCOMPARE(NamedOn(doc, "Count", 1)->text, QStringLiteral("36"));
        QCOMPARE(NamedOn(doc, "Count", 2)->text, QStringLiteral("74"));
        QCOMPARE(NamedOn(doc, "Count", 3)->text, QStringLiteral("80"));
        VERIFY_NEAR(NamedOn(doc, "Page", 1)->left, Margin + 3.58);
    }

    // A row may ask for the next column; on the last column that is the next page.
    void newColumnRequest() {
        ListReport list(5);
        list.report.page.columns = 2;
        list.report.page.columnSpace = 0.5;
        list.report.bands[1].beforePrint = [](ReportBandPrint& print) {
            print.newColumn = print.state.row == 2 || print.state.row == 4;
        };
        const ReportDocument doc = list.Layout();
        const std::vector<const ReportText*> names = doc.Named("Name");
        QCOMPARE(int(doc.pages.size()), 2);
        QCOMPARE(names[1]->page, 1);
        VERIFY_NEAR(names[2]->left, Margin + 3.5 + 0.5 + 0.08); // (7.5 - 0.5) / 2 = 3.5
        VERIFY_NEAR(names[2]->top, names[0]->top);
        QCOMPARE(names[3]->page, 1);
        QCOMPARE(names[4]->page, 2);
        VERIFY_NEAR(names[4]->left, Margin + 0.08);
        VERIFY_NEAR(names[4]->top, Margin + 0.08);
    }

    void pageHeaderOnEveryPageAboveTheTitle() {
        ListReport list(25);
        list.report.bands.emplace_front();
        list.report.bands.front().kind = ReportBandKind::PageHeader;
        list.report.bands.front().height = 0.3;
        list.report.bands.front().AddPageNumber(7, 0).Named("HeaderPage");
        const ReportDocument doc = list.Layout();
        const std::vector<const ReportText*> headers = doc.Named("HeaderPage");
        QCOMPARE(headers.size(), doc.pages.size());
        for (const ReportText* header : headers) {
            VERIFY_NEAR(header->top, Margin);
            QCOMPARE(header->text, QString::number(header->page));
        }
        VERIFY_NEAR(doc.Find("Parish:  Names")->top, Margin + 0.3 + 0.1);
        // Page 1 holds (10.25 - 1.3) / 0.5 = 17 rows; page 2 starts under its header.
        QCOMPARE(RowsOn(doc, 1).size(), 17);
        const ReportText* firstOnPage2 = doc.Named("Name").at(17);
        QCOMPARE(firstOnPage2->page, 2);
        VERIFY_NEAR(firstOnPage2->top, Margin + 0.3 + 0.08);
    }

    void emptyTextsAndHiddenItemsAreNotPlaced() {
        ListReport list(3);
        list.report.bands[1].beforePrint = [](ReportBandPrint& print) {
            if (print.state.row == 0)
                print.SetText("Name", QString());
            if (print.state.row == 1)
                print.Item("IsMember").visible = false;
        };
        const ReportDocument doc = list.Layout();
        QCOMPARE(doc.Named("Name").size(), size_t(2));
        QCOMPARE(doc.Named("IsMember").size(), size_t(2));
        QCOMPARE(doc.printedRows, 3); // the rows still print, only without those texts
    }

    void printTimeText_data() {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("expected");
        QTest::newRow("evening") << QDateTime(QDate(2024, 3, 10), QTime(19, 30, 5))
                                 << "3/10/2024 7:30:05 PM";
        QTest::newRow("morning") << QDateTime(QDate(1999, 12, 31), QTime(0, 0, 0))
                                 << "12/31/1999 12:00:00 AM";
    }
    void printTimeText() {
        QFETCH(QDateTime, when);
        QFETCH(QString, expected);
        QCOMPARE(ReportDateTimeText(when), expected);
    }
};

VTX_REGISTER_TEST(ReportLayoutTest)
#include "tst_reportlayout.moc"
