#pragma once
// Word lists of the sample parishes: names, places, music, ministries, services.

#include <QStringList>

namespace SampleNames {

struct City {
    const char* name;
    const char* state;
    const char* postal;
    const char* areaCode;
};

struct Ministry {
    const char* name;
    const char* description;
    bool governing;
    int wanted; // the number of participants wanted in a parish of 500
};

const QStringList& MaleFirstNames();
const QStringList& FemaleFirstNames();
const QStringList& LastNames();
const QStringList& Streets();
const QList<City>& Cities();
const QStringList& Pastors();
const QStringList& MusicTitles();
const QStringList& Publishers();
const QStringList& Hymns();
const QStringList& ReadingBooks();
const QStringList& SermonTitles();
const QList<Ministry>& Ministries();
const QStringList& MemoLines();
const QStringList& CounselingSubjects();
const QStringList& FamilyRelationships();
const QStringList& PartyRoles();
const QStringList& LogisticsItems();
const QStringList& Hospitals();
const QStringList& Cemeteries();
const QStringList& WorshipInstructions();
const QStringList& Weather();

// The 30 worship templates: their names and their element headings.
const QStringList& TemplateNames();
QStringList TemplateElements(int orderNumber);

} // namespace SampleNames
