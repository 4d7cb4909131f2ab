#pragma once
// The Worship Printout: the order of worship of the service on which WorshipT stands, on
// one US Letter page, landscape, half-inch margins, Arial, in two columns.
//
// - Line 1: the organisation name from the options, centred, 14 point bold.
// - Line 2, 12 point bold: the date as "March 10, 2024" at the left, the time in the
//   short time format in the middle, the officiant at the right.
// - The thirty elements, 10 point: 1 to 15 down the left column, 16 to 30 at the same
//   heights down the right one, each on a fixed line of its own (40 pixels at 96 per inch
//   apart), so that an empty element leaves its line blank. An element wider than its
//   column goes on in a second line inside its own line's room, broken between words;
//   what still does not fit is cut at the column's edge.
//
// The report reads the current row only and moves no cursor. The remark, the template
// number and the special instructions are not printed.

#include "toolkit/vtxReport.h"

#include <QDateTime>
#include <QStringList>

class QWidget;

class TWorshipPrintout {
public:
    // Inches from the paper's top-left corner.
    static constexpr double FirstLineTop = 1.585;
    static constexpr double LineSpacing = 40.0 / 96.0;
    static constexpr double LeftColumnText = 0.5 + 1.0 / 3.0;
    static constexpr double RightColumnText = 5.5 + 1.0 / 3.0;
    static constexpr double ElementWidth = 5.0 - 1.0 / 3.0;

    TWorshipPrintout();

    // The page of the current service; an invalid printedAt means now.
    ReportDocument Layout(const QDateTime& printedAt = {}) const;
    // Lays the page out and shows its print preview modally.
    int Preview(QWidget* parent = nullptr) const;

    // The lines an element prints on: one, or two when it is wider than width inches in
    // 10 point Arial (broken at the last blank that lets the first line fit).
    static QStringList ElementLines(const QString& text, double width = ElementWidth);

private:
    BandReport m_report;
};
