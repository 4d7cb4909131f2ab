// Painting laid-out reports: on an image, into a PDF file, on a printer with a page range,
// and in the print preview.

#include "ListReportFixture.h"
#include "TestSupport.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxReportPreview.h"

#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

struct PdfWord {
    int page;
    double xMin, yMin, xMax, yMax; // points from the page's top-left corner
    QString text;
};

struct PdfText {
    QList<QSizeF> pages; // page sizes in points
    QList<PdfWord> words;

    QList<PdfWord> Find(const QString& text) const {
        QList<PdfWord> found;
        for (const PdfWord& w : words)
            if (w.text == text)
                found << w;
        return found;
    }
};

// Reads the words of a PDF file with their boxes (pdftotext -bbox).
bool ReadPdf(const QString& fileName, PdfText& result, QString& error) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), fileName, "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        error = QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression pageOrWord(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|"
                       "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (const QRegularExpressionMatch& m : pageOrWord.globalMatch(html)) {
        if (!m.captured(1).isEmpty()) {
            result.pages << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            continue;
        }
        result.words << PdfWord{int(result.pages.size()), m.captured(3).toDouble(),
                                m.captured(4).toDouble(), m.captured(5).toDouble(),
                                m.captured(6).toDouble(), m.captured(7)};
    }
    return true;
}

bool HavePdfToText() {
    return !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

// A report with texts of each alignment and one too long for its box.
BandReport AlignmentReport() {
    BandReport report;
    ReportBand& band = report.AddBand(ReportBandKind::Title, 2);
    band.AddText(1.0, 0.2, "Left").Width(2).Named("Left");
    band.AddText(1.0, 0.6, "Center").Width(2).Align(ReportAlign::Center).Named("Center");
    band.AddText(1.0, 1.0, "Right").Width(2).Align(ReportAlign::Right).Named("Right");
    band.AddText(4.0, 1.4, "WWWWWWWWWWWWWWWWWWWWWWWW").Width(0.5).Size(14).Bold().Named("Cut");
    return report;
}

} // namespace

class ReportOutputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Dialogs::SetScripted(true);
    }
    void init() { Dialogs::ClearScript(); }

    // Every dark pixel lies in the box of a text, every text leaves ink in its box, and a
    // text longer than its box is cut at the box's right edge.
    void paintsTextsInsideTheirBoxes() {
        const ReportDocument doc = AlignmentReport().Layout();
        const double dpi = 100;
        const QSizeF paper = doc.page.PaperInches();
        QImage image(int(paper.width() * dpi), int(paper.height() * dpi / 3), QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PaintReportPage(painter, doc.pages.front(), dpi);
        }
        const std::vector<ReportText>& texts = doc.pages.front().texts;
        QCOMPARE(texts.size(), size_t(4));
        QList<int> inkPerText(4, 0);
        QList<int> inkColumns[4];
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) > 128)
                    continue;
                bool inside = false;
                for (int i = 0; i < 4; ++i) {
                    const ReportText& t = texts[i];
                    const QRectF box(t.left * dpi, t.top * dpi, t.width * dpi,
                                     t.height * 1.5 * dpi);
                    if (box.adjusted(-1, -1, 1, 1).contains(x + 0.5, y + 0.5)) {
                        inside = true;
                        ++inkPerText[i];
                        inkColumns[i] << x;
                    }
                }
                QVERIFY2(
                    inside,
                    qPrintable(QStringLiteral("ink outside every box at %1,%2").arg(x).arg(y)));
            }
        }
        for (int i = 0; i < 4; ++i)
            QVERIFY2(inkPerText[i] > 20, qPrintable(texts[i].text));
        // Alignment within the boxes: the left text starts at its box, the right text ends
        // at it, the centred text's ink is centred in it, and the cut text fills its box.
        auto inkSpan = [&](int i) {
            auto [low, high] = std::minmax_element(inkColumns[i].begin(), inkColumns[i].end());
            return std::pair<double, double>(*low / dpi, (*high + 1) / dpi);
        };
        const double pixel = 1 / dpi;
        QVERIFY(inkSpan(0).first < texts[0].left + 3 * pixel);
        QVERIFY(inkSpan(1).first > texts[1].left + 10 * pixel);
        QVERIFY(std::abs((inkSpan(1).first + inkSpan(1).second) / 2 -
                         (texts[1].left + texts[1].width / 2)) < 3 * pixel);
        QVERIFY(inkSpan(2).second > texts[2].left + texts[2].width - 3 * pixel);
        QVERIFY(inkSpan(2).first > texts[2].left + 10 * pixel);
        QVERIFY(inkSpan(3).second > texts[3].left + texts[3].width - 3 * pixel);
    }

    void writesPdfWithTextsWhereLaidOut() {
        if (!HavePdfToText())
            QSKIP("pdftotext is not installed");
        TempFolder folder;
        ListReport list(25);
        list.report.bands[0].items[0].Size(12).Bold();
        const ReportDocument doc = list.Layout();
        QCOMPARE(int(doc.pages.size()), 2);
        const QString file = folder.file("list.pdf");
        QVERIFY(WriteReportPdf(doc, file));

        PdfText pdf;
        QString error;
        QVERIFY2(ReadPdf(file, pdf, error), qPrintable(error));
        QCOMPARE(pdf.pages.size(), 2);
        for (const QSizeF& size : pdf.pages) {
            QVERIFY(std::abs(size.width() - 612) < 0.5); // US Letter in points
            QVERIFY(std::abs(size.height() - 792) < 0.5);
        }
        // Every left-aligned text is in the PDF, on its page, where the layout put it.
        int checked = 0;
        for (const ReportPage& page : doc.pages) {
            for (const ReportText& t : page.texts) {
                if (t.align != ReportAlign::Left)
                    continue;
                bool found = false; // the text's first word at its place
                for (const PdfWord& w : pdf.Find(t.text.section(' ', 0, 0))) {
                    if (w.page == page.number && std::abs(w.xMin - t.left * 72) < 1.5 &&
                        std::abs(w.yMin - t.top * 72) < 2.5) {
                        found = true;
                        break;
                    }
                }
                QVERIFY2(found, qPrintable(QStringLiteral("%1 on page %2 at %3,%4 in")
                                               .arg(t.text)
                                               .arg(page.number)
                                               .arg(t.left)
                                               .arg(t.top)));
                ++checked;
            }
        }
        QVERIFY(checked >= 60); // names, memberships, summary and footers
        // The centred title is centred on the page.
        const QList<PdfWord> parish = pdf.Find("Parish:");
        const QList<PdfWord> names = pdf.Find("Names");
        QCOMPARE(parish.size(), 1);
        QCOMPARE(names.size(), 1);
        QVERIFY(std::abs((parish[0].xMin + names[0].xMax) / 2 - 306) < 2);
        QCOMPARE(pdf.Find("Printed:").size(), 2);
    }

    void writePdfFailsWhenTheFileCannotBeMade() {
        TempFolder folder;
        const ReportDocument doc = AlignmentReport().Layout();
        QVERIFY(!WriteReportPdf(doc, folder.file("missing/folder/report.pdf")));
    }

    void printsThePrintersPageRange() {
        if (!HavePdfToText())
            QSKIP("pdftotext is not installed");
        TempFolder folder;
        ListReport list(60); // pages of 18, 19, 19 and 4 rows
        const ReportDocument doc = list.Layout();
        QCOMPARE(int(doc.pages.size()), 4);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.file("range.pdf"));
        SetUpReportPrinter(doc, printer);
        printer.setFromTo(2, 3);
        QVERIFY(PrintReport(doc, printer));

        PdfText pdf;
        QString error;
        QVERIFY2(ReadPdf(folder.file("range.pdf"), pdf, error), qPrintable(error));
        QCOMPARE(pdf.pages.size(), 2);
        QStringList numbers; // the words after "Page:"
        for (int i = 0; i + 1 < pdf.words.size(); ++i)
            if (pdf.words[i].text == "Page:")
                numbers << pdf.words[i + 1].text;
        QCOMPARE(numbers, (QStringList{"2", "3"}));
        // The first person of page 2 stands where the layout put it, on the first sheet.
        const ReportText* first = doc.Find("Person 18");
        QVERIFY(first);
        QCOMPARE(first->page, 2);
        bool found = false;
        for (const PdfWord& w : pdf.Find("18"))
            found = found || (w.page == 1 && std::abs(w.yMin - first->top * 72) < 2.5);
        QVERIFY(found);
        QVERIFY(pdf.Find("Parish:").isEmpty()); // the title is on page 1, not printed
    }

    void previewShowsEveryPageThroughTheDialogsFacade() {
        ListReport list(40);
        const ReportDocument doc = list.Layout();
        int previewPages = -1;
        QString caption;
        Dialogs::QueueModal([&](QDialog* dialog) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(dialog);
            if (!preview)
                return int(QDialog::Rejected);
            caption = preview->windowTitle();
            auto* widget = preview->findChild<QPrintPreviewWidget*>();
            if (widget) {
                widget->updatePreview();
                previewPages = widget->pageCount();
            }
            return int(QDialog::Accepted);
        });
        QCOMPARE(ShowReportPreview(doc), int(QDialog::Accepted));
        QCOMPARE(caption, QStringLiteral("List"));
        QCOMPARE(previewPages, int(doc.pages.size()));
        QCOMPARE(Dialogs::ShownLog().size(), 1);
        QCOMPARE(Dialogs::ShownLog().front().kind, QStringLiteral("modal"));
    }
};

VTX_REGISTER_TEST(ReportOutputTest)
#include "tst_reportoutput.moc"
