#include "vtxReportPreview.h"

#include "Dialogs.h"

#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

QFont MakeFont(const ReportFont& font) {
    QFont f(font.family);
    f.setPointSizeF(font.pointSize > 0 ? font.pointSize : 10);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

int AlignmentFlag(ReportAlign align) {
    switch (align) {
    case ReportAlign::Center:
        return Qt::AlignHCenter;
    case ReportAlign::Right:
        return Qt::AlignRight;
    case ReportAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

QPageLayout PaperLayout(const ReportDocument& document) {
    return QPageLayout(QPageSize(document.page.paper), document.page.orientation,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

} // namespace

void PaintReportPage(QPainter& painter, const ReportPage& page, double dotsPerInch) {
    painter.save();
    painter.setPen(Qt::black);
    ReportFont current;
    bool fontSet = false;
    for (const ReportText& text : page.texts) {
        if (!fontSet || !(text.font == current)) {
            painter.setFont(MakeFont(text.font));
            current = text.font;
            fontSet = true;
        }
        // The box is cut at its width; its height leaves room for the font's descent at any
        // resolution. The text stands at the box's top.
        const QRectF box(text.left * dotsPerInch, text.top * dotsPerInch, text.width * dotsPerInch,
                         text.height * 1.5 * dotsPerInch);
        painter.drawText(box, Qt::AlignTop | Qt::TextSingleLine | AlignmentFlag(text.align),
                         text.text);
    }
    painter.restore();
}

void SetUpReportPrinter(const ReportDocument& document, QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageLayout(PaperLayout(document));
    if (!document.caption.isEmpty())
        printer.setDocName(document.caption);
}

bool PrintReport(const ReportDocument& document, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double dpi = printer.resolution();
    const int last = int(document.pages.size());
    int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    int to = printer.toPage() > 0 ? std::min(printer.toPage(), last) : last;
    bool first = true;
    for (int number = from; number <= to; ++number) {
        if (!first)
            printer.newPage();
        first = false;
        PaintReportPage(painter, document.pages[number - 1], dpi);
    }
    return painter.end();
}

bool WriteReportPdf(const ReportDocument& document, const QString& fileName) {
    QPdfWriter writer(fileName);
    writer.setPageLayout(PaperLayout(document));
    writer.setTitle(document.caption);
    writer.setCreator(QStringLiteral("Vestrix"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const double dpi = writer.resolution();
    bool first = true;
    for (const ReportPage& page : document.pages) {
        if (!first)
            writer.newPage();
        first = false;
        PaintReportPage(painter, page, dpi);
    }
    return painter.end();
}

int ShowReportPreview(const ReportDocument& document, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpReportPrinter(document, printer);
    QPrintPreviewDialog dialog(&printer, parent);
    if (!document.caption.isEmpty())
        dialog.setWindowTitle(document.caption);
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* target) { PrintReport(document, *target); });
    return Dialogs::ShowModal(&dialog);
}
