#pragma once
// Painting laid-out reports (vtxReport.h): on a printer, in the print preview and into a
// PDF file. Every text is drawn at the place the layout gave it, in inches from the paper's
// top-left corner, at the resolution of the device.

#include "vtxReport.h"

class QPainter;
class QPrinter;
class QWidget;

// Paints one page; (0, 0) of the painter is the paper's top-left corner and dotsPerInch the
// device's resolution.
void PaintReportPage(QPainter& painter, const ReportPage& page, double dotsPerInch);

// Gives the printer the document's paper and orientation, whole-page coordinates.
void SetUpReportPrinter(const ReportDocument& document, QPrinter& printer);

// Paints the document on a printer already set up (the pages of the printer's page range,
// or all); false when the printer could not be started.
bool PrintReport(const ReportDocument& document, QPrinter& printer);

// Writes the document to a PDF file (the file is replaced); false when it cannot be written.
bool WriteReportPdf(const ReportDocument& document, const QString& fileName);

// Shows the print preview of the document modally, through Dialogs::ShowModal; the user
// prints from it (or prints to a PDF file). The window's caption is the document's caption.
// Returns the window's result.
int ShowReportPreview(const ReportDocument& document, QWidget* parent = nullptr);
