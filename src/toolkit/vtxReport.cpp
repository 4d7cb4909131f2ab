#include "vtxReport.h"

#include "engine/DataSet.h"
#include "engine/Field.h"
#include "engine/Types.h"

#include <QLocale>
#include <algorithm>
#include <stdexcept>

namespace {

// The height of one line of text: the font's size with room for ascent and descent.
constexpr double LineHeightFactor = 1.2;
// Rounding slack when comparing places in inches.
constexpr double Slack = 1e-9;

bool FullWidth(ReportBandKind kind) {
    return kind != ReportBandKind::Detail && kind != ReportBandKind::ColumnHeader;
}

// Lays out one report: the state of the walk over pages, columns and rows.
class Layouter {
public:
    Layouter(const BandReport& report, ReportDocument& document)
        : m_report(report), m_doc(document), m_setup(report.page) {
        m_setup.columns = std::max(1, m_setup.columns);
        const QSizeF paper = m_setup.PaperInches();
        m_contentBottom = paper.height() - m_setup.bottomMargin;
        for (const ReportBand& band : m_report.bands)
            if (band.enabled && band.kind == ReportBandKind::PageFooter)
                m_footerHeight += band.height;
        m_detailBottom = m_contentBottom - m_footerHeight;
    }

    void Run(ReportRows& rows) {
        m_state.rowCount = std::max(0, rows.Count());
        m_state.printedAt = m_doc.printedAt;
        m_doc.rowCount = m_state.rowCount;
        StartPage();
        for (int row = 0; row < m_state.rowCount; ++row) {
            rows.Goto(row);
            PrintRow(row);
        }
        PrintSummary();
        FinishPage();
        m_doc.printedRows = m_placedRows;
    }

private:
    // Computes a band's texts and runs its hook.
    ReportBandPrint Evaluate(const ReportBand& band) {
        ReportBandPrint print{m_state, band.kind, band.height, {}};
        const double bandWidth =
            FullWidth(band.kind) ? m_setup.ContentWidth() : m_setup.ColumnWidth();
        print.items.reserve(band.items.size());
        for (const ReportItem& item : band.items) {
            ReportPrintItem p;
            p.name = item.name;
            p.left = item.left;
            p.top = item.top;
            p.width = item.width > 0 ? item.width : bandWidth - item.left;
            p.align = item.align;
            p.font = item.font;
            if (p.font.family.isEmpty())
                p.font.family = m_report.font.family;
            if (p.font.pointSize <= 0)
                p.font.pointSize = m_report.font.pointSize;
            p.text = item.value ? item.value(m_state) : item.text;
            print.items.push_back(std::move(p));
        }
        if (band.beforePrint)
            band.beforePrint(print);
        return print;
    }

    // Places a printed band with its top-left corner at (x, y) in inches on the current page.
    void Place(const ReportBandPrint& print, double x, double y, int row) {
        ReportPage& page = m_doc.pages.back();
        for (const ReportPrintItem& item : print.items) {
            if (!item.visible || item.text.isEmpty())
                continue;
            ReportText text;
            text.page = page.number;
            text.left = x + item.left;
            text.top = y + item.top;
            text.width = std::max(0.0, item.width);
            text.height = item.font.pointSize * LineHeightFactor / 72.0;
            text.text = item.text;
            text.font = item.font;
            text.align = item.align;
            text.band = print.kind;
            text.row = row;
            text.name = item.name;
            page.texts.push_back(std::move(text));
        }
    }

    // Prints every enabled band of a kind at the current place, full width; moves down.
    void PrintFullWidth(ReportBandKind kind) {
        for (const ReportBand& band : m_report.bands) {
            if (!band.enabled || band.kind != kind)
                continue;
            ReportBandPrint print = Evaluate(band);
            if (print.skip)
                continue;
            Place(print, m_setup.leftMargin, m_y, -1);
            m_y += print.height;
        }
    }

    void StartColumn(int column) {
        m_column = column;
        m_state.column = column;
        m_y = m_columnTop;
        m_columnHasRows = false;
        m_state.row = -1;
        m_state.printedRows = m_placedRows;
        for (const ReportBand& band : m_report.bands) {
            if (!band.enabled || band.kind != ReportBandKind::ColumnHeader)
                continue;
            ReportBandPrint print = Evaluate(band);
            if (print.skip)
                continue;
            Place(print, m_setup.ColumnLeft(column), m_y, -1);
            m_y += print.height;
        }
        m_lowest = std::max(m_lowest, m_y);
    }

    void StartPage() {
        ReportPage page;
        page.number = int(m_doc.pages.size()) + 1;
        m_doc.pages.push_back(std::move(page));
        m_state.page = m_doc.pages.back().number;
        m_state.row = -1;
        m_state.column = 0;
        m_state.printedRows = m_placedRows;
        m_y = m_setup.topMargin;
        PrintFullWidth(ReportBandKind::PageHeader);
        if (m_state.page == 1)
            PrintFullWidth(ReportBandKind::Title);
        m_columnTop = m_y;
        m_lowest = m_y;
        StartColumn(0);
    }

    void FinishPage() {
        m_state.row = -1;
        m_state.column = 0;
        m_state.printedRows = m_placedRows;
        m_y = m_detailBottom;
        PrintFullWidth(ReportBandKind::PageFooter);
        // A finished page keeps no spare room: a report of thousands of pages would hold
        // about a quarter more than its texts.
        m_doc.pages.back().texts.shrink_to_fit();
    }

    void NextColumn() {
        if (m_column + 1 < m_setup.columns) {
            StartColumn(m_column + 1);
            return;
        }
        FinishPage();
        StartPage();
    }

    void PrintRow(int row) {
        m_state.row = row;
        m_state.printedRows = m_placedRows + 1;
        std::vector<ReportBandPrint> block;
        bool first = true;
        for (const ReportBand& band : m_report.bands) {
            if (!band.enabled || band.kind != ReportBandKind::Detail)
                continue;
            ReportBandPrint print = Evaluate(band);
            if (print.skip) {
                if (first)
                    return; // the row is left out
                continue;
            }
            first = false;
            block.push_back(std::move(print));
        }
        if (block.empty() && first)
            return; // the report has no detail band
        double height = 0;
        bool newColumn = false;
        for (const ReportBandPrint& print : block) {
            height += print.height;
            newColumn = newColumn || print.newColumn;
        }
        if (m_columnHasRows && (newColumn || m_y + height > m_detailBottom + Slack))
            NextColumn();
        const double x = m_setup.ColumnLeft(m_column);
        for (const ReportBandPrint& print : block) {
            Place(print, x, m_y, row);
            m_y += print.height;
        }
        m_columnHasRows = true;
        m_lowest = std::max(m_lowest, m_y);
        ++m_placedRows;
    }

    void PrintSummary() {
        m_state.row = -1;
        m_state.printedRows = m_placedRows;
        std::vector<ReportBandPrint> block;
        for (const ReportBand& band : m_report.bands) {
            if (!band.enabled || band.kind != ReportBandKind::Summary)
                continue;
            ReportBandPrint print = Evaluate(band);
            if (!print.skip)
                block.push_back(std::move(print));
        }
        if (block.empty())
            return;
        double height = 0;
        for (const ReportBandPrint& print : block)
            height += print.height;
        m_y = m_lowest;
        if (m_columnHasRows && m_y + height > m_detailBottom + Slack) {
            FinishPage();
            StartPage();
            m_y = m_lowest;
        }
        for (const ReportBandPrint& print : block) {
            Place(print, m_setup.leftMargin, m_y, -1);
            m_y += print.height;
        }
        m_lowest = m_y;
    }

    const BandReport& m_report;
    ReportDocument& m_doc;
    ReportPageSetup m_setup;
    ReportState m_state;
    double m_contentBottom = 0;
    double m_footerHeight = 0;
    double m_detailBottom = 0;
    double m_columnTop = 0; // top of the columns on this page (below header and title)
    double m_y = 0;         // where the next band goes
    double m_lowest = 0;    // the lowest point used by the columns of this page
    int m_column = 0;
    bool m_columnHasRows = false;
    int m_placedRows = 0;
};

} // namespace

ReportItem& ReportItem::Named(const QString& itemName) {
    name = itemName;
    return *this;
}

ReportItem& ReportItem::Width(double inches) {
    width = inches;
    return *this;
}

ReportItem& ReportItem::Align(ReportAlign alignment) {
    align = alignment;
    return *this;
}

ReportItem& ReportItem::Family(const QString& family) {
    font.family = family;
    return *this;
}

ReportItem& ReportItem::Size(double points) {
    font.pointSize = points;
    return *this;
}

ReportItem& ReportItem::Bold(bool on) {
    font.bold = on;
    return *this;
}

ReportItem& ReportItem::Italic(bool on) {
    font.italic = on;
    return *this;
}

ReportItem& ReportItem::Underline(bool on) {
    font.underline = on;
    return *this;
}

ReportPrintItem& ReportBandPrint::Item(const QString& name) {
    for (ReportPrintItem& item : items)
        if (item.name == name)
            return item;
    throw std::out_of_range("The report band has no item named " + name.toStdString() + ".");
}

ReportItem& ReportBand::AddText(double left, double top, const QString& text) {
    ReportItem& item = items.emplace_back();
    item.left = left;
    item.top = top;
    item.text = text;
    return item;
}

ReportItem& ReportBand::AddValue(double left, double top, ReportValue value) {
    ReportItem& item = AddText(left, top, QString());
    item.value = std::move(value);
    return item;
}

ReportItem& ReportBand::AddPageNumber(double left, double top) {
    return AddValue(left, top, [](const ReportState& s) { return QString::number(s.page); });
}

ReportItem& ReportBand::AddRunningCount(double left, double top) {
    return AddValue(left, top, [](const ReportState& s) { return QString::number(s.printedRows); });
}

ReportItem& ReportBand::AddRowCount(double left, double top) {
    return AddValue(left, top, [](const ReportState& s) { return QString::number(s.rowCount); });
}

ReportItem& ReportBand::AddPrintTime(double left, double top) {
    return AddValue(left, top,
                    [](const ReportState& s) { return ReportDateTimeText(s.printedAt); });
}

ReportItem& ReportBand::AddField(double left, double top, const DataSet* dataSet,
                                 const QString& field) {
    const Field* f = dataSet->FieldByName(field);
    return AddValue(left, top, [f](const ReportState&) { return f->AsString(); }).Named(field);
}

QSizeF ReportPageSetup::PaperInches() const {
    QSizeF size = QPageSize::size(paper, QPageSize::Inch);
    const bool wide = size.width() > size.height();
    if ((orientation == QPageLayout::Landscape) != wide)
        size.transpose();
    return size;
}

double ReportPageSetup::ContentWidth() const {
    return PaperInches().width() - leftMargin - rightMargin;
}

double ReportPageSetup::ColumnWidth() const {
    const int n = std::max(1, columns);
    return (ContentWidth() - columnSpace * (n - 1)) / n;
}

double ReportPageSetup::ColumnLeft(int column) const {
    return leftMargin + column * (ColumnWidth() + columnSpace);
}

const ReportText* ReportDocument::Find(const QString& text, int pageNumber) const {
    for (const ReportPage& page : pages) {
        if (pageNumber != 0 && page.number != pageNumber)
            continue;
        for (const ReportText& t : page.texts)
            if (t.text == text)
                return &t;
    }
    return nullptr;
}

std::vector<const ReportText*> ReportDocument::Named(const QString& name) const {
    std::vector<const ReportText*> found;
    for (const ReportPage& page : pages)
        for (const ReportText& t : page.texts)
            if (t.name == name)
                found.push_back(&t);
    return found;
}

QStringList ReportDocument::PageTexts(int pageNumber) const {
    QStringList texts;
    if (pageNumber >= 1 && pageNumber <= int(pages.size()))
        for (const ReportText& t : pages[pageNumber - 1].texts)
            texts << t.text;
    return texts;
}

ReportBand& BandReport::AddBand(ReportBandKind kind, double height) {
    ReportBand& band = bands.emplace_back();
    band.kind = kind;
    band.height = height;
    return band;
}

ReportBand& BandReport::AddRecordsFooter(const ReportFooterPlaces& at, ReportFooterCount count) {
    constexpr double Top = 0.08;
    constexpr double PastRightMargin = 1.8;
    ReportBand& footer = AddBand(ReportBandKind::PageFooter, 0.3);
    footer.AddText(at.records, Top, QStringLiteral("Records:"));
    (count == ReportFooterCount::AllRows ? footer.AddRowCount(at.recordsValue, Top)
                                         : footer.AddRunningCount(at.recordsValue, Top))
        .Named(QStringLiteral("Records"));
    footer.AddText(at.page, Top, QStringLiteral("Page:"));
    footer.AddPageNumber(at.pageValue, Top).Named(QStringLiteral("Page"));
    footer.AddText(at.printed, Top, QStringLiteral("Printed:"));
    footer.AddPrintTime(at.printedValue, Top)
        .Named(QStringLiteral("Printed"))
        .Width(PastRightMargin);
    return footer;
}

ReportDocument BandReport::Layout(ReportRows& rows, const QDateTime& printedAt) const {
    ReportDocument document;
    document.caption = caption;
    document.page = page;
    document.page.columns = std::max(1, page.columns);
    document.printedAt = printedAt.isValid() ? printedAt : QDateTime::currentDateTime();
    Layouter(*this, document).Run(rows);
    return document;
}

ReportDocument BandReport::Layout(const QDateTime& printedAt) const {
    ReportRowList none(0);
    return Layout(none, printedAt);
}

QString ReportDateTimeText(const QDateTime& when) {
    if (!when.isValid())
        return QString();
    QLocale locale;
    // The long time format of the locale may hold the time zone ("t"); leave it out, but
    // keep quoted literal text as it is.
    const QString longFormat = locale.timeFormat(QLocale::LongFormat);
    QString timeFormat;
    bool quoted = false;
    for (QChar c : longFormat) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            timeFormat += c;
    }
    timeFormat = timeFormat.trimmed();
    return FormatShortDate(when.date()) + QLatin1Char(' ') +
           locale.toString(when.time(), timeFormat);
}
