#pragma once
// The band report engine.
//
// A report (BandReport) declares its page (paper, orientation, margins in inches, columns),
// a default font and bands:
//   PageHeader   top of every page, full width
//   Title        first page only, under the page header, full width
//   ColumnHeader top of every column (every page), column width
//   Detail       once per data row, column width; rows flow down column 1, then column 2, ...
//   Summary      once after the last row, full width
//   PageFooter   bottom of every page, full width
// Several bands of one kind print one after another in the order they were added; the
// detail bands of one row are kept together in one column.
//
// Bands hold text items placed in inches (left from the band's left edge, top from the band's
// top), with a fixed text or a text computed each time the band prints, and a font in points.
// Before a band prints, its hook may change the texts, fonts and places of its items, add
// items, change the band's height or skip the band (for the first detail band: the whole row).
//
// Layout() walks the rows of a ReportRows source and gives a ReportDocument: pages of
// positioned texts as plain data. vtxReportPreview.h paints those pages on a printer, in the
// print preview or into a PDF file. A report over a data set of the program is written on
// TDataSetReport (vtxDataSetReport.h): its rows are the data set's rows, its items print
// fields by name (AddField), and its page footer is the one of the menu reports
// (AddRecordsFooter).
//
// Example: a detail line with the name in bold for members.
//   BandReport report;
//   report.AddBand(ReportBandKind::Title, 0.4)
//       .AddText(0, 0.05, org + ":  Phone List").Align(ReportAlign::Center).Size(14).Bold();
//   ReportBand& detail = report.AddBand(ReportBandKind::Detail, 0.34);
//   detail.AddValue(0.25, 0, [&](const ReportState&) { return table.Name(); }).Named("Name");
//   detail.beforePrint = [&](ReportBandPrint& print) {
//       print.Item("Name").font.bold = table.IsMember();
//   };
//   ReportBand& footer = report.AddBand(ReportBandKind::PageFooter, 0.25);
//   footer.AddText(0.5, 0.05, "Records:");
//   footer.AddRunningCount(1.17, 0.05);
//   ReportRowList rows(table.Count(), [&](int row) { table.Go(row); });
//   ReportDocument document = report.Layout(rows);
//   ShowReportPreview(document, this);  // vtxReportPreview.h

#include <QDateTime>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class DataSet;

enum class ReportAlign { Left, Center, Right };

enum class ReportBandKind { PageHeader, Title, ColumnHeader, Detail, Summary, PageFooter };

// A font. In an item, an empty family or a size of 0 means the report's family or size;
// bold, italic and underline are the item's own.
struct ReportFont {
    QString family;
    double pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const ReportFont&) const = default;
};

// What a computed text or a hook knows when its band prints.
struct ReportState {
    int row = -1;        // the data row being printed, from 0; -1 outside the detail
    int rowCount = 0;    // the number of rows of the data source
    int printedRows = 0; // detail rows printed so far (the running count; skipped rows do
                         // not count); in a detail band, the row being printed included
    int page = 1;        // the page number, from 1
    int column = 0;      // the column, from 0
    QDateTime printedAt; // the print time of the whole report
};
// In detail bands, page and column are those where the row would go if it fits; a row that
// does not fit moves on after its texts were computed.

using ReportValue = std::function<QString(const ReportState&)>;

// A text item of a band.
struct ReportItem {
    QString name;     // lets hooks find the item (ReportBandPrint::Item); may stay empty
    double left = 0;  // inches from the band's left edge
    double top = 0;   // inches from the band's top
    double width = 0; // inches; 0 reaches to the band's right edge; longer texts are cut
    ReportAlign align = ReportAlign::Left; // within the width
    ReportFont font;
    QString text;      // a fixed text, used when value is empty
    ReportValue value; // a text computed each time the band prints

    // Chainable setters: band.AddText(0, 0, "Total").Width(1).Align(ReportAlign::Right).Bold();
    ReportItem& Named(const QString& itemName);
    ReportItem& Width(double inches);
    ReportItem& Align(ReportAlign alignment);
    ReportItem& Family(const QString& family);
    ReportItem& Size(double points);
    ReportItem& Bold(bool on = true);
    ReportItem& Italic(bool on = true);
    ReportItem& Underline(bool on = true);
};

// An item about to print: its text computed and its font complete. Hooks change these.
struct ReportPrintItem {
    QString name;
    double left = 0;
    double top = 0;
    double width = 0; // inches, > 0
    ReportAlign align = ReportAlign::Left;
    ReportFont font;
    QString text;
    bool visible = true;
};

// One printing of a band, handed to the band's hook.
struct ReportBandPrint {
    const ReportState& state;
    ReportBandKind kind;
    double height;                      // inches; may be changed
    std::vector<ReportPrintItem> items; // may be changed, added to or removed from
    bool skip = false;      // leave the band out; in the first detail band: the whole row,
                            // which then does not count as printed
    bool newColumn = false; // detail: start this row at the top of the next column or page

    // The item of that name; throws std::out_of_range when the band has none.
    ReportPrintItem& Item(const QString& name);
    // Shortcuts for the common hooks.
    void SetText(const QString& name, const QString& text) { Item(name).text = text; }
    void SetBold(const QString& name, bool on) { Item(name).font.bold = on; }
};

using ReportHook = std::function<void(ReportBandPrint&)>;

struct ReportBand {
    ReportBandKind kind = ReportBandKind::Detail;
    double height = 0;   // inches
    bool enabled = true; // a disabled band never prints (for example an optional line)
    std::deque<ReportItem> items;
    ReportHook beforePrint; // runs each time the band prints, after the texts are computed

    ReportItem& AddText(double left, double top, const QString& text);
    ReportItem& AddValue(double left, double top, ReportValue value);
    // Items whose text the engine fills in.
    ReportItem& AddPageNumber(double left, double top);
    ReportItem& AddRunningCount(double left, double top); // ReportState::printedRows
    ReportItem& AddRowCount(double left, double top);     // ReportState::rowCount
    ReportItem& AddPrintTime(double left, double top);    // ReportDateTimeText(printedAt)
    // The text of one field of the data set's current row as stored (empty for an empty
    // field), in an item named after the field. The data set must have that field.
    ReportItem& AddField(double left, double top, const DataSet* dataSet, const QString& field);
};

// The page footer of the menu reports: "Records:" with a count, "Page:" with the page
// number and "Printed:" with the print time, each value beside its caption. The values are
// items named "Records", "Page" and "Printed"; the print time may run into the right margin.
struct ReportFooterPlaces {
    double records, recordsValue; // inches from the band's left edge
    double page, pageValue;
    double printed, printedValue;
};
enum class ReportFooterCount {
    AllRows,    // the rows of the source (ReportState::rowCount)
    PrintedRows // the rows printed so far (the running count)
};

struct ReportPageSetup {
    QPageSize::PageSizeId paper = QPageSize::Letter;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double leftMargin = 0.5; // inches
    double topMargin = 0.5;
    double rightMargin = 0.5;
    double bottomMargin = 0.5;
    int columns = 1;        // detail columns of a page
    double columnSpace = 0; // inches between two columns

    QSizeF PaperInches() const; // width and height, orientation applied
    double ContentWidth() const;
    double ColumnWidth() const;
    double ColumnLeft(int column) const; // inches from the paper's left edge
};

// The source of the detail rows. A report over a table implements it by moving the table's
// cursor; the items' computed texts then read the current row.
class ReportRows {
public:
    virtual ~ReportRows() = default;
    virtual int Count() = 0;        // asked once, before the first row
    virtual void Goto(int row) = 0; // makes row current; called for 0, 1, ... Count()-1
};

// Rows from a count and a positioning callback (which may be empty).
class ReportRowList : public ReportRows {
public:
    explicit ReportRowList(int count, std::function<void(int)> goTo = {})
        : m_count(count), m_goTo(std::move(goTo)) {}
    int Count() override { return m_count; }
    void Goto(int row) override {
        if (m_goTo)
            m_goTo(row);
    }

private:
    int m_count;
    std::function<void(int)> m_goTo;
};

// ----- The laid-out report -----------------------------------------------------------------

// One text as placed on a page. Places are inches from the paper's top-left corner; the text
// stands at the top of its box, aligned within its width, and is cut at the box.
struct ReportText {
    int page = 1;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0; // one line of the font
    QString text;
    ReportFont font; // complete
    ReportAlign align = ReportAlign::Left;
    ReportBandKind band = ReportBandKind::Detail;
    int row = -1; // the data row of a detail text, else -1
    QString name; // the item's name
};

struct ReportPage {
    int number = 1;
    std::vector<ReportText> texts; // in the order they were placed
};

struct ReportDocument {
    QString caption;
    ReportPageSetup page;
    QDateTime printedAt;
    int rowCount = 0;    // rows of the source
    int printedRows = 0; // rows printed (not skipped)
    std::vector<ReportPage> pages;

    // The first text equal to text, on the given page (0: any page); nullptr when none.
    const ReportText* Find(const QString& text, int pageNumber = 0) const;
    // Every text of the item of that name, in page order.
    std::vector<const ReportText*> Named(const QString& name) const;
    // The texts of a page (from 1), in the order they were placed.
    QStringList PageTexts(int pageNumber) const;
};

class BandReport {
public:
    QString caption;              // the preview window's caption and the PDF title
    ReportPageSetup page;         // US Letter, portrait, half-inch margins, one column
    ReportFont font{"Arial", 10}; // the default font of the items

    std::deque<ReportBand> bands;
    ReportBand& AddBand(ReportBandKind kind, double height);
    // The menu reports' page footer, 0.3 inch high, its texts 0.08 inch below its top.
    ReportBand& AddRecordsFooter(const ReportFooterPlaces& at, ReportFooterCount count);

    // Lays the report out over rows; an invalid printedAt means now. Runs the hooks and
    // computed texts: each band's once per printing, the detail bands' once per row.
    ReportDocument Layout(ReportRows& rows, const QDateTime& printedAt = {}) const;
    // A report without detail rows.
    ReportDocument Layout(const QDateTime& printedAt = {}) const;
};

// The print time as the footers show it: the short date (four-digit year) and the long time
// of the system locale, without time zone ("3/10/2024 7:30:05 PM").
QString ReportDateTimeText(const QDateTime& when);
