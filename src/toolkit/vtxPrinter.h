#pragma once
// The program's current printer: the system's default printer, one object for the whole
// run, so that what one print sets is what the next one finds unless it is put back.
// Windows that print without a print dialog (the attendance chart) print on it.
//
// Example:
//   PrintOnCurrentPrinter(QPageLayout::Landscape, "Attendance",
//                         [&](QPainter& painter, const QRect& page) { ... });

#include <QPageLayout>
#include <QString>
#include <functional>

class QPainter;
class QPrinter;
class QRect;

QPrinter& CurrentPrinter();

// True when printing has somewhere to go: an installed printer, or an output file set on
// the current printer (as tests do).
bool CurrentPrinterAvailable();

// Prints one page on the current printer in the orientation asked for, painting it with
// paint(painter, page) where page is the printable rectangle in device pixels, then gives
// the printer back its previous orientation, also when painting fails or raises. False when
// there is no printer or the page could not be printed.
bool PrintOnCurrentPrinter(QPageLayout::Orientation orientation, const QString& documentName,
                           const std::function<void(QPainter&, const QRect&)>& paint);
