#pragma once
// The Lay Ministry Roster report: who serves in one lay ministry. It prints the shared
// enrolment table as it stands (the Lay Ministries Rosters window lists the ministry's
// enrolments there), from the first row to the last, in record-number order.
//
// - Title, first page only: the organisation name, ":  " and the ministry's name, centred
//   in 12 point bold; the ministry's description centred under it, over as many lines as it
//   needs.
// - Two lines per enrolment: the member's name in bold, then "Serving:" with the start and
//   end dates (an empty date prints nothing); below, the remark.
// - Page footer: "Records:" with the number of enrolments printed so far, "Page:" and
//   "Printed:".
//
// It changes nothing on the table beyond the walk (which leaves it on its last row).

#include "toolkit/vtxDataSetReport.h"

class TLayMinistriesRostersReport : public TDataSetReport {
public:
    // The roster of the ministry with that number (its name and description are read from
    // the ministries; a number no ministry has gives an empty name).
    explicit TLayMinistriesRostersReport(int ministryNumber);

    QString MinistryName() const { return m_name; }
    QStringList DescriptionLines() const { return m_description; }

    // The lines a text takes in the report's font when it may be at most that wide (inches);
    // explicit line breaks are kept, words are not split unless one is wider than a line.
    static QStringList WrapText(const QString& text, double width, const ReportFont& font);

private:
    QString m_name;
    QStringList m_description;
};
