#pragma once
// The writer behind WriteSampleParish (SampleParish.h): the people and households it makes
// up, and one step per group of tables. SampleParish.cpp writes the people, the roster and
// its member records and the ministries; SampleParishServices.cpp the worship services,
// the music, the stewardship and the attendance. Only the sample-parish units include it.

#include "SampleParish.h"

#include "TableFileWriter.h"
#include "engine/Types.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <algorithm>
#include <random>

namespace SampleParishWriting {

// The same numbers for the same seed on every platform: the engine is the
// standard Mersenne twister, and every range is taken from its raw output.
class Random {
public:
    explicit Random(quint32 seed) : m_gen(seed) {}
    int Below(int n) { return n <= 1 ? 0 : int(m_gen() % quint32(n)); }
    int Range(int lo, int hi) { return lo + Below(hi - lo + 1); } // both ends included
    double Real() { return m_gen() / 4294967296.0; }
    bool Chance(double p) { return Real() < p; }
    const QString& Pick(const QStringList& list) { return list[Below(int(list.size()))]; }
    QDate DateIn(const QDate& from, const QDate& to) {
        const qint64 days = from.daysTo(to);
        return days <= 0 ? from : from.addDays(Range(0, int(days)));
    }

private:
    std::mt19937 m_gen;
};

inline Currency Dollars(int dollars) {
    return Currency::FromUnits(qint64(dollars) * 10000);
}
inline Currency Cents(int cents) {
    return Currency::FromUnits(qint64(cents) * 100);
}

inline QDate EasterSunday(int year) {
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31, day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

struct Person {
    int recordNumber = 0;
    QString title, fname, mname, lname, suffix, cell;
    bool male = false;
    bool adult = true;
    bool isMember = true;
    QDate birth;
    QDate passing; // invalid while living
    int household = 0;
};

struct Household {
    QString lname, address1, address2, phone;
    int city = 0;
    int head = -1;
    int spouse = -1;
    QList<int> children;
};

struct Service {
    QDate date;
    QTime time;
    int templateNumber = 1;
    bool special = false;
};

class ParishWriter {
public:
    ParishWriter(const QString& folder, const SampleParishOptions& options)
        : m_folder(folder), m_options(options), m_random(options.seed) {
        m_lastYear = options.lastYear;
        m_firstYear = options.lastYear - std::max(options.years, 1) + 1;
        m_from = QDate(m_firstYear, 1, 1);
        m_to = QDate(m_lastYear, 12, 31);
    }

    SampleParishCounts Write();

private:
    // ---- people -------------------------------------------------------------------

    QString FirstName(bool male);
    QString FullName();
    QString Phone(int city);
    QString LongPhone(int city);
    QString Pastor(const QDate& date);
    int AddPerson(int household, bool male, bool adult, const QDate& birth);
    void MakePeople();
    void WriteRoster();
    void WriteRosterDates();
    void WriteMemos();

    // ---- births, baptisms, marriages, counselling, passings, confirmations ----------

    void WritePastoralRecords();
    void WriteMarriages();
    void AddAppointment(TableFileWriter& w, int recordNumber, const QString& subject,
                        const QDate& date);
    void WritePassings();

    // ---- ministries ------------------------------------------------------------------

    void WriteMinistries();

    // ---- worship and music -----------------------------------------------------------

    void WriteTemplates();
    void AddService(const QDate& date, const QTime& time, int templateNumber, bool special);
    void MakeServices();
    QString ElementText(const QString& heading, const Service& s);
    void WriteServices();
    void WriteMusic();

    // ---- stewardship -------------------------------------------------------------------

    struct Envelope {
        QString number;
        int weekly = 0;        // dollars
        double faithful = 0.5; // chance of a gift on a Sunday
    };
    void WriteEnvelopes();
    void WriteGifts();
    void WriteLooseOfferings();

    // ---- attendance ----------------------------------------------------------------------

    void WriteUsherReports();
    void Finish(const QString& table, TableFileWriter& writer);
    QString m_folder;
    SampleParishOptions m_options;
    Random m_random;
    int m_firstYear = 0;
    int m_lastYear = 0;
    QDate m_from, m_to;
    QList<Person> m_people;
    QList<Household> m_households;
    QList<QDate> m_sundays;
    QList<Service> m_services;
    QList<Envelope> m_envelopes;
    SampleParishCounts m_counts;
};

} // namespace SampleParishWriting
