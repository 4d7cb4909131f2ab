#include "toolkit/vtxPrinter.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

QPrinter& CurrentPrinter() {
    static std::unique_ptr<QPrinter> printer = [] {
        auto made = std::make_unique<QPrinter>(QPrinter::HighResolution);
        const QPrinterInfo system = QPrinterInfo::defaultPrinter();
        if (!system.isNull())
            made->setPrinterName(system.printerName());
        return made;
    }();
    return *printer;
}

bool CurrentPrinterAvailable() {
    QPrinter& printer = CurrentPrinter();
    if (printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty())
        return true;
    return !printer.printerName().isEmpty() && printer.isValid();
}

bool PrintOnCurrentPrinter(QPageLayout::Orientation orientation, const QString& documentName,
                           const std::function<void(QPainter&, const QRect&)>& paint) {
    if (!CurrentPrinterAvailable())
        return false;
    QPrinter& printer = CurrentPrinter();
    const QPageLayout::Orientation previous = printer.pageLayout().orientation();
    // Puts the orientation back however the printing ends.
    struct Restore {
        QPrinter& printer;
        QPageLayout::Orientation orientation;
        ~Restore() { printer.setPageOrientation(orientation); }
    } restore{printer, previous};

    printer.setPageOrientation(orientation);
    printer.setDocName(documentName);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter starts at the top left of the printable area.
    const QRect page(QPoint(0, 0),
                     printer.pageLayout().paintRectPixels(printer.resolution()).size());
    paint(painter, page);
    return painter.end();
}
