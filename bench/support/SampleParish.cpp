#include "SampleParish.h"

#include "SampleNames.h"
#include "TableFileWriter.h"
#include "data/vtxDataM.h"
#include "data/vtxTableDefs.h"
#include "engine/Collation.h"
#include "engine/Types.h"

#include <QDate>
#include <QSet>
#include <QTime>
#include <algorithm>
#include <random>

using namespace SampleNames;

namespace {

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

Currency Dollars(int dollars) {
    return Currency::FromUnits(qint64(dollars) * 10000);
}
Currency Cents(int cents) {
    return Currency::FromUnits(qint64(cents) * 100);
}

QDate EasterSunday(int year) {
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

    SampleParishCounts Write() {
        TDataMod::CreateDataFolder(m_folder);
        m_counts["WorshipOrdersT"] = 30;
        if (m_options.members <= 0 && m_options.years <= 0)
            return m_counts;
        MakePeople();
        WriteRoster();
        WriteRosterDates();
        WriteMemos();
        WritePastoralRecords();
        WriteMinistries();
        WriteTemplates();
        MakeServices();
        WriteServices();
        WriteMusic();
        WriteEnvelopes();
        WriteGifts();
        WriteLooseOfferings();
        WriteUsherReports();
        return m_counts;
    }

private:
    // ---- people -------------------------------------------------------------------

    QString FirstName(bool male) {
        return m_random.Pick(male ? MaleFirstNames() : FemaleFirstNames());
    }
    QString FullName() {
        return FirstName(m_random.Chance(0.5)) + " " + m_random.Pick(LastNames());
    }
    QString Phone(int city) {
        return QString("%1-555-%2")
            .arg(Cities()[city].areaCode)
            .arg(m_random.Range(100, 9999), 4, 10, QChar('0'));
    }
    QString LongPhone(int city) {
        return QString("(%1) 555-%2")
            .arg(Cities()[city].areaCode)
            .arg(m_random.Range(100, 9999), 4, 10, QChar('0'));
    }
    QString Pastor(const QDate& date) {
        const QStringList& p = Pastors();
        return p[(date.year() + (date.month() > 6 ? 1 : 0)) % p.size()];
    }

    int AddPerson(int household, bool male, bool adult, const QDate& birth) {
        Person p;
        p.recordNumber = int(m_people.size()) + 1;
        p.household = household;
        p.male = male;
        p.adult = adult;
        p.birth = birth;
        p.fname = FirstName(male);
        if (m_random.Chance(0.6))
            p.mname = FirstName(male);
        p.lname = m_households[household].lname;
        p.isMember = m_random.Chance(0.8);
        if (adult) {
            if (m_random.Chance(0.4))
                p.title = male ? "Mr." : (m_random.Chance(0.6) ? "Mrs." : "Ms.");
            else if (m_random.Chance(0.04))
                p.title = "Dr.";
            if (male && m_random.Chance(0.04))
                p.suffix = m_random.Chance(0.5) ? "Jr." : "Sr.";
            if (m_random.Chance(0.7))
                p.cell = Phone(m_households[household].city);
            const int age = m_lastYear - birth.year();
            if (age > 65 && m_random.Chance(0.06))
                p.passing = m_random.DateIn(m_from, m_to);
        }
        m_people.append(p);
        return int(m_people.size()) - 1;
    }

    void MakePeople() {
        const int n = std::max(m_options.members, 0);
        while (m_people.size() < n) {
            Household h;
            h.lname = m_random.Pick(LastNames());
            h.city = m_random.Chance(0.6) ? 0 : m_random.Below(int(Cities().size()));
            h.address1 =
                QString("%1 %2").arg(m_random.Range(100, 2999)).arg(m_random.Pick(Streets()));
            if (m_random.Chance(0.1))
                h.address2 = QString("Apt %1%2")
                                 .arg(m_random.Range(1, 4))
                                 .arg(QChar('A' + m_random.Below(6)));
            if (m_random.Chance(0.85))
                h.phone = Phone(h.city);
            m_households.append(h);
            const int index = int(m_households.size()) - 1;
            const double kind = m_random.Real();
            const int size = kind < 0.25 ? 1 : kind < 0.6 ? 2 : m_random.Range(3, 5);
            const bool headMale = m_random.Chance(0.55);
            const QDate headBirth(m_lastYear - m_random.Range(25, 90), m_random.Range(1, 12),
                                  m_random.Range(1, 28));
            Household& hh = m_households[index];
            hh.head = AddPerson(index, headMale, true, headBirth);
            if (size >= 2 && m_people.size() < n)
                m_households[index].spouse = AddPerson(
                    index, !headMale, true, headBirth.addDays(m_random.Range(-1800, 1800)));
            for (int c = 2; c < size && m_people.size() < n; ++c) {
                QDate birth =
                    headBirth.addYears(m_random.Range(22, 42)).addDays(m_random.Range(0, 300));
                if (birth > m_to)
                    birth = m_random.DateIn(m_to.addYears(-12), m_to);
                const bool adult = birth.addYears(18) <= m_to;
                m_households[index].children
                    << AddPerson(index, m_random.Chance(0.5), adult, birth);
            }
        }
    }

    void WriteRoster() {
        TableFileWriter w(m_folder, TableDefOf("RosterT"));
        const int rn = w.Column("RecordNumber"), title = w.Column("Title"), fn = w.Column("FName"),
                  mn = w.Column("MName"), ln = w.Column("LName"), sfx = w.Column("Suffix"),
                  a1 = w.Column("Address1"), a2 = w.Column("Address2"), city = w.Column("City"),
                  st = w.Column("State"), pc = w.Column("Postal"), ph = w.Column("Phone"),
                  cell = w.Column("CellPhone"), work = w.Column("WorkPhone"),
                  member = w.Column("IsMember");
        for (const Person& p : m_people) {
            const Household& h = m_households[p.household];
            const City& c = Cities()[h.city];
            QVector<QVariant> row = w.NewRow();
            row[rn] = p.recordNumber;
            row[title] = p.title;
            row[fn] = p.fname;
            row[mn] = p.mname;
            row[ln] = p.lname;
            row[sfx] = p.suffix;
            row[a1] = h.address1;
            row[a2] = h.address2;
            row[city] = QString(c.name);
            row[st] = QString(c.state);
            row[pc] = QString(c.postal);
            row[ph] = h.phone;
            row[cell] = p.cell;
            if (p.adult && m_random.Chance(0.3))
                row[work] = Phone(h.city);
            row[member] = p.isMember;
            w.Add(row);
        }
        Finish("RosterT", w);
    }

    void WriteRosterDates() {
        TableFileWriter w(m_folder, TableDefOf("RosterDatesT"));
        for (const Person& p : m_people) {
            if (!p.passing.isValid() && !m_random.Chance(0.75))
                continue;
            QVector<QVariant> row = w.NewRow();
            row[w.Column("RecordNumber")] = p.recordNumber;
            row[w.Column("BirthDate")] = p.birth;
            const QDate confirmed = p.birth.addYears(14).addDays(m_random.Range(100, 160));
            if (confirmed <= m_to && m_random.Chance(0.6))
                row[w.Column("ConfirmationDate")] = confirmed;
            if (p.isMember && p.adult)
                row[w.Column("JoinedChurchDate")] = m_random.DateIn(p.birth.addYears(18), m_to);
            if (!p.isMember && p.adult && m_random.Chance(0.3))
                row[w.Column("LeftChurchDate")] = m_random.DateIn(m_to.addYears(-10), m_to);
            row[w.Column("PassingDate")] = p.passing;
            w.Add(row);
        }
        Finish("RosterDatesT", w);
    }

    void WriteMemos() {
        TableFileWriter w(m_folder, TableDefOf("MemoT"));
        for (const Person& p : m_people) {
            if (!m_random.Chance(0.12))
                continue;
            QStringList lines;
            for (int i = m_random.Range(1, 3); i > 0; --i)
                lines << m_random.Pick(MemoLines());
            QVector<QVariant> row = w.NewRow();
            row[w.Column("RecordNumber")] = p.recordNumber;
            row[w.Column("Memo")] = lines.join('\n');
            w.Add(row);
        }
        Finish("MemoT", w);
    }

    // ---- births, baptisms, marriages, counselling, passings, confirmations ----------

    void WritePastoralRecords() {
        TableFileWriter baptisms(m_folder, TableDefOf("BaptismT"));
        TableFileWriter births(m_folder, TableDefOf("BirthT"));
        TableFileWriter confirmations(m_folder, TableDefOf("ConfirmationT"));
        for (const Household& h : m_households) {
            const Person& head = m_people[h.head];
            const Person* father = &head;
            const Person* mother = h.spouse >= 0 ? &m_people[h.spouse] : nullptr;
            if (!head.male && mother) {
                father = mother;
                mother = &head;
            }
            for (int c : h.children) {
                const Person& child = m_people[c];
                if (m_random.Chance(0.6)) {
                    QVector<QVariant> row = births.NewRow();
                    row[births.Column("RecordNumber")] = head.recordNumber;
                    row[births.Column("FName")] = child.fname;
                    row[births.Column("MName")] = child.mname;
                    row[births.Column("LName")] = child.lname;
                    row[births.Column("FatherLName")] = father->lname;
                    row[births.Column("FatherFName")] = father->fname;
                    if (mother) {
                        row[births.Column("MotherLName")] = mother->lname;
                        row[births.Column("MotherFName")] = mother->fname;
                    }
                    row[births.Column("BirthDate")] = child.birth;
                    for (int g = 1; g <= 4; ++g)
                        if (m_random.Chance(0.7))
                            row[births.Column(QString("Grandparent%1").arg(g))] = FullName();
                    row[births.Column("PlaceOfBirth")] = m_random.Pick(Hospitals());
                    births.Add(row);
                }
            }
            for (int who : QList<int>{h.head, h.spouse} + h.children) {
                if (who < 0 || !m_random.Chance(0.35))
                    continue;
                const Person& p = m_people[who];
                QVector<QVariant> row = baptisms.NewRow();
                row[baptisms.Column("RecordNumber")] = p.recordNumber;
                row[baptisms.Column("FName")] = p.fname;
                row[baptisms.Column("MName")] = p.mname;
                row[baptisms.Column("LName")] = p.lname;
                if (who != h.head && who != h.spouse) {
                    row[baptisms.Column("FatherLName")] = father->lname;
                    row[baptisms.Column("FatherFName")] = father->fname;
                    if (mother) {
                        row[baptisms.Column("MotherLName")] = m_random.Pick(LastNames());
                        row[baptisms.Column("MotherFName")] = mother->fname;
                    }
                }
                QDate date = p.birth.addDays(m_random.Range(30, 200));
                if (m_random.Chance(0.1))
                    date = m_random.DateIn(p.birth.addYears(16), m_to);
                row[baptisms.Column("BaptismDate")] = std::min(date, m_to);
                for (int g = 1, count = m_random.Range(1, 4); g <= count; ++g)
                    row[baptisms.Column(QString("GodParent%1").arg(g))] = FullName();
                row[baptisms.Column("Officiant")] = Pastor(date);
                if (m_random.Chance(0.1))
                    row[baptisms.Column("Remark")] = "Private baptism at home";
                baptisms.Add(row);
            }
            for (int c : h.children) {
                const Person& p = m_people[c];
                const QDate confirmed = p.birth.addYears(14).addDays(m_random.Range(100, 160));
                if (confirmed < m_from || confirmed > m_to || m_options.years <= 0)
                    continue;
                QVector<QVariant> row = confirmations.NewRow();
                row[confirmations.Column("FName")] = p.fname;
                row[confirmations.Column("MName")] = p.mname;
                row[confirmations.Column("LName")] = p.lname;
                row[confirmations.Column("DateConfirmed")] = confirmed;
                row[confirmations.Column("Officiant")] = Pastor(confirmed);
                confirmations.Add(row);
            }
        }
        Finish("BaptismT", baptisms);
        Finish("BirthT", births);
        Finish("ConfirmationT", confirmations);
        WriteMarriages();
        WritePassings();
    }

    void WriteMarriages() {
        TableFileWriter marriages(m_folder, TableDefOf("MarriageT"));
        TableFileWriter family(m_folder, TableDefOf("WedFamilyT"));
        TableFileWriter party(m_folder, TableDefOf("WedPartyT"));
        TableFileWriter logistics(m_folder, TableDefOf("WedLogisticsT"));
        TableFileWriter counseling(m_folder, TableDefOf("CounselingT"));
        for (const Household& h : m_households) {
            if (h.spouse < 0 || !m_random.Chance(0.45))
                continue;
            const Person& head = m_people[h.head];
            const Person& groom = head.male ? head : m_people[h.spouse];
            const Person& bride = head.male ? m_people[h.spouse] : head;
            const bool planned = m_options.years > 0 && m_random.Chance(0.12);
            QDate wedding;
            if (planned) {
                wedding = m_random.DateIn(m_from, m_to);
            } else {
                const QDate young = std::max(groom.birth, bride.birth).addYears(21);
                wedding = m_random.DateIn(young, std::min(young.addYears(15), m_to));
            }
            QVector<QVariant> row = marriages.NewRow();
            row[marriages.Column("RecordNumber")] = head.recordNumber;
            row[marriages.Column("GroomFName")] = groom.fname;
            row[marriages.Column("GroomMName")] = groom.mname;
            row[marriages.Column("GroomLName")] = groom.lname;
            row[marriages.Column("BrideFName")] = bride.fname;
            row[marriages.Column("BrideMName")] = bride.mname;
            row[marriages.Column("BrideLName")] = m_random.Pick(LastNames());
            row[marriages.Column("BrideMarriedLastName")] = bride.lname;
            row[marriages.Column("EngagementDate")] = wedding.addDays(-m_random.Range(120, 500));
            row[marriages.Column("RehearsalDate")] = wedding.addDays(-1);
            row[marriages.Column("WeddingDate")] = wedding;
            row[marriages.Column("Officiant")] = Pastor(wedding);
            marriages.Add(row);
            if (!planned)
                continue;
            const int rn = head.recordNumber;
            for (int i = 1, n = m_random.Range(4, 10); i <= n; ++i) {
                QVector<QVariant> f = family.NewRow();
                f[family.Column("RecordNumber")] = rn;
                f[family.Column("Number")] = i;
                f[family.Column("Name")] = FullName();
                f[family.Column("Relationship")] = m_random.Pick(FamilyRelationships());
                f[family.Column("Phone 1")] = LongPhone(h.city);
                if (m_random.Chance(0.4))
                    f[family.Column("Phone 2")] = LongPhone(h.city);
                f[family.Column("GroomFamily")] = i % 2 == 0;
                family.Add(f);
            }
            for (int i = 1, n = m_random.Range(4, 8); i <= n; ++i) {
                QVector<QVariant> p = party.NewRow();
                p[party.Column("RecordNumber")] = rn;
                p[party.Column("Number")] = i;
                p[party.Column("Role")] = m_random.Pick(PartyRoles());
                p[party.Column("Name")] = FullName();
                p[party.Column("Phone 1")] = LongPhone(h.city);
                p[party.Column("GroomSide")] = m_random.Chance(0.5);
                party.Add(p);
            }
            const QStringList& items = LogisticsItems();
            for (int i = 1, n = m_random.Range(6, int(items.size())); i <= n; ++i) {
                QVector<QVariant> l = logistics.NewRow();
                l[logistics.Column("RecordNumber")] = rn;
                l[logistics.Column("ItemNumber")] = i;
                l[logistics.Column("Description")] = items[i - 1];
                l[logistics.Column("Completed")] = m_random.Chance(0.7);
                logistics.Add(l);
            }
            for (int i = m_random.Range(2, 4); i > 0; --i)
                AddAppointment(counseling, rn, "Premarital counseling",
                               wedding.addDays(-m_random.Range(10, 120)));
        }
        for (const Person& p : m_people)
            if (p.adult && m_options.years > 0 && m_random.Chance(0.03))
                for (int i = m_random.Range(1, 3); i > 0; --i)
                    AddAppointment(counseling, p.recordNumber, m_random.Pick(CounselingSubjects()),
                                   m_random.DateIn(m_from, m_to));
        Finish("MarriageT", marriages);
        Finish("WedFamilyT", family);
        Finish("WedPartyT", party);
        Finish("WedLogisticsT", logistics);
        Finish("CounselingT", counseling);
    }

    void AddAppointment(TableFileWriter& w, int recordNumber, const QString& subject,
                        const QDate& date) {
        QVector<QVariant> row = w.NewRow();
        row[w.Column("RecordNumber")] = recordNumber;
        row[w.Column("AppointmentSubject")] = subject;
        row[w.Column("AppointmentDate")] = date;
        row[w.Column("AppointmentTime")] =
            QTime(m_random.Range(9, 16), m_random.Chance(0.5) ? 0 : 30);
        w.Add(row);
    }

    void WritePassings() {
        TableFileWriter w(m_folder, TableDefOf("PassingT"));
        for (const Person& p : m_people) {
            if (!p.passing.isValid())
                continue;
            QVector<QVariant> row = w.NewRow();
            row[w.Column("RecordNumber")] = p.recordNumber;
            row[w.Column("PassingDate")] = p.passing;
            row[w.Column("PlaceOfDeath")] = m_random.Pick(Hospitals());
            row[w.Column("FuneralDate")] = p.passing.addDays(m_random.Range(3, 9));
            row[w.Column("BurialSite")] = m_random.Pick(Cemeteries());
            row[w.Column("Officiant")] = Pastor(p.passing);
            w.Add(row);
        }
        Finish("PassingT", w);
    }

    // ---- ministries ------------------------------------------------------------------

    void WriteMinistries() {
        if (m_people.isEmpty())
            return;
        TableFileWriter ministries(m_folder, TableDefOf("LayMinistriesT"));
        TableFileWriter roster(m_folder, TableDefOf("LayMinistryRosterT"));
        QList<int> eligible;
        for (int i = 0; i < m_people.size(); ++i)
            if (m_people[i].adult && m_people[i].isMember && !m_people[i].passing.isValid())
                eligible << i;
        const double scale = std::max(1.0, m_people.size() / 500.0);
        int number = 0;
        for (const Ministry& m : SampleNames::Ministries()) {
            ++number;
            const int wanted = std::min(500, int(m.wanted * scale));
            QVector<QVariant> row = ministries.NewRow();
            row[ministries.Column("MinistryNumber")] = number;
            row[ministries.Column("MinistryName")] = QString(m.name);
            row[ministries.Column("Description")] = QString(m.description);
            row[ministries.Column("Governing")] = m.governing;
            row[ministries.Column("NoOfMembers")] = wanted;
            ministries.Add(row);
            // A partial shuffle picks distinct people.
            const int take =
                std::min(int(eligible.size()), wanted - m_random.Below(wanted / 4 + 1));
            for (int k = 0; k < take; ++k) {
                std::swap(eligible[k], eligible[k + m_random.Below(int(eligible.size()) - k)]);
                const Person& p = m_people[eligible[k]];
                QVector<QVariant> e = roster.NewRow();
                e[roster.Column("MinistryNumber")] = number;
                e[roster.Column("RosterRecordNumber")] = p.recordNumber;
                e[roster.Column("MinistryName")] = QString(m.name);
                const QDate start = m_random.DateIn(m_to.addYears(-8), m_to);
                e[roster.Column("StartDate")] = start;
                if (m_random.Chance(0.2))
                    e[roster.Column("EndDate")] = start.addYears(m_random.Range(1, 3));
                if (m_random.Chance(0.1))
                    e[roster.Column("Remark")] = m_random.Chance(0.5) ? "Chair" : "Secretary";
                roster.Add(e);
            }
        }
        Finish("LayMinistriesT", ministries);
        Finish("LayMinistryRosterT", roster);
    }

    // ---- worship and music -----------------------------------------------------------

    void WriteTemplates() {
        TableFileWriter w(m_folder, TableDefOf("WorshipOrdersT"));
        w.Clear();
        for (int n = 1; n <= 30; ++n) {
            QVector<QVariant> row = w.NewRow();
            row[w.Column("OrderNumber")] = n;
            row[w.Column("OrderName")] = TemplateNames()[n - 1];
            const QStringList elements = TemplateElements(n);
            for (int e = 0; e < elements.size() && e < 30; ++e)
                row[w.Column(QString("Element%1").arg(e + 1, 2, 10, QChar('0')))] = elements[e];
            w.Add(row);
        }
        Finish("WorshipOrdersT", w);
    }

    void AddService(const QDate& date, const QTime& time, int templateNumber, bool special) {
        m_services.append({date, time, templateNumber, special});
    }

    void MakeServices() {
        if (m_options.years <= 0)
            return;
        for (int year = m_firstYear; year <= m_lastYear; ++year) {
            const QDate easter = EasterSunday(year);
            QDate sunday(year, 1, 1);
            sunday = sunday.addDays((7 - sunday.dayOfWeek()) % 7);
            for (; sunday.year() == year; sunday = sunday.addDays(7)) {
                m_sundays << sunday;
                int main = sunday.weekNumber() % 2 ? 1 : 2;
                bool special = true;
                if (sunday == easter)
                    main = 6;
                else if (sunday == easter.addDays(-7))
                    main = 17;
                else if (sunday == easter.addDays(49))
                    main = 11;
                else if (sunday.month() == 10 && sunday.addDays(7).month() == 11)
                    main = 12;
                else if (sunday.month() == 11 && sunday.day() <= 7)
                    main = 13;
                else
                    special = false;
                AddService(sunday, QTime(8, 0), special ? main : 3, special);
                AddService(sunday, QTime(10, 30), main, special);
            }
            AddService(easter.addDays(-46), QTime(19, 0), 7, true);
            AddService(easter.addDays(-3), QTime(19, 0), 8, true);
            AddService(easter.addDays(-2), QTime(19, 0), 9, true);
            QDate thanksgiving(year, 11, 1);
            thanksgiving = thanksgiving.addDays((4 - thanksgiving.dayOfWeek() + 7) % 7 + 21);
            AddService(thanksgiving.addDays(-1), QTime(19, 0), 14, true);
            AddService(QDate(year, 12, 24), QTime(19, 0), 4, true);
            AddService(QDate(year, 12, 24), QTime(23, 0), 4, true);
        }
        std::sort(m_services.begin(), m_services.end(), [](const Service& a, const Service& b) {
            return a.date != b.date ? a.date < b.date : a.time < b.time;
        });
    }

    QString ElementText(const QString& heading, const Service& s) {
        if (heading.contains("Hymn"))
            return heading + ": " + m_random.Pick(Hymns());
        if (heading.contains("Reading") || heading == "Gospel" || heading == "Psalm") {
            const QString book =
                heading == "Psalm" ? QString("Psalm") : m_random.Pick(ReadingBooks());
            const int verse = m_random.Range(1, 20);
            return QString("%1: %2 %3:%4-%5")
                .arg(heading, book)
                .arg(m_random.Range(1, 28))
                .arg(verse)
                .arg(verse + m_random.Range(3, 12));
        }
        if (heading == "Sermon" || heading == "Homily")
            return QString("%1: \"%2\" - %3")
                .arg(heading, m_random.Pick(SermonTitles()), Pastor(s.date));
        return heading;
    }

    void WriteServices() {
        TableFileWriter worship(m_folder, TableDefOf("WorshipT"));
        TableFileWriter memos(m_folder, TableDefOf("WorshipMemoT"));
        for (const Service& s : m_services) {
            QVector<QVariant> row = worship.NewRow();
            row[worship.Column("WorshipDate")] = s.date;
            row[worship.Column("WorshipTime")] = s.time;
            row[worship.Column("WorshipTemplateNumber")] = s.templateNumber;
            row[worship.Column("OfficiantInCharge")] = Pastor(s.date);
            const QStringList headings = TemplateElements(s.templateNumber);
            for (int e = 0; e < headings.size() && e < 30; ++e)
                row[worship.Column(QString("Element%1").arg(e + 1, 2, 10, QChar('0')))] =
                    ElementText(headings[e], s);
            if (s.special)
                row[worship.Column("Remark")] = TemplateNames()[s.templateNumber - 1];
            worship.Add(row);
            if (m_random.Chance(0.35)) {
                QStringList lines;
                for (int i = m_random.Range(1, 3); i > 0; --i)
                    lines << m_random.Pick(WorshipInstructions());
                QVector<QVariant> memo = memos.NewRow();
                memo[memos.Column("WorshipDate")] = s.date;
                memo[memos.Column("WorshipTime")] = s.time;
                memo[memos.Column("Special Instructions")] = lines.join('\n');
                memos.Add(memo);
            }
        }
        Finish("WorshipT", worship);
        Finish("WorshipMemoT", memos);
    }

    void WriteMusic() {
        // The library: every title once, then further editions numbered 2, 3...
        const int size = 150 + std::min(450, int(m_people.size()) / 100);
        QStringList names;
        const QStringList& titles = MusicTitles();
        for (int i = 0; names.size() < size; ++i) {
            const int edition = i / int(titles.size()) + 1;
            const QString& title = titles[i % titles.size()];
            names << (edition == 1 ? title : QString("%1 %2").arg(title).arg(edition));
        }
        // Uses: one anthem at the late Sunday service and at the Christmas Eve services.
        QMap<QString, QList<QDate>> uses;
        QSet<qint64> taken; // piece and day
        for (const Service& s : m_services) {
            const bool anthem = (s.date.dayOfWeek() == 7 && s.time == QTime(10, 30)) ||
                                (s.date.month() == 12 && s.date.day() == 24);
            if (!anthem)
                continue;
            int piece = m_random.Below(int(names.size()));
            auto key = [&](int p) { return qint64(p) * 10000000 + s.date.toJulianDay(); };
            while (taken.contains(key(piece)))
                piece = (piece + 1) % int(names.size());
            taken.insert(key(piece));
            uses[names[piece]] << s.date;
        }
        TableFileWriter library(m_folder, TableDefOf("MusicLibraryT"));
        TableFileWriter use(m_folder, TableDefOf("MusicUseT"));
        static const QStringList parts = {"SATB", "SAB", "Unison", "2-part", "SSA", "TTBB"};
        static const QStringList accompaniment = {"Organ", "Piano", "A cappella", "Handbells",
                                                  "Guitar"};
        for (const QString& name : names) {
            QList<QDate> dates = uses.value(name);
            std::sort(dates.begin(), dates.end());
            QVector<QVariant> row = library.NewRow();
            row[library.Column("MusicName")] = name;
            row[library.Column("Publisher")] = m_random.Pick(Publishers());
            row[library.Column("DateAcquired")] =
                m_random.DateIn(QDate(m_firstYear - 25, 1, 1), m_from);
            row[library.Column("Parts")] = m_random.Pick(parts);
            row[library.Column("NumberOfCopies")] = m_random.Range(10, 60);
            row[library.Column("Accompaniment")] = m_random.Pick(accompaniment);
            if (!dates.isEmpty())
                row[library.Column("LastUsed")] = dates.last();
            library.Add(row);
            for (const QDate& d : dates) {
                QVector<QVariant> u = use.NewRow();
                u[use.Column("MusicName")] = name;
                u[use.Column("UsedDate")] = d;
                if (d.month() == 12 && d.day() == 24)
                    u[use.Column("Remark")] = "Christmas Eve";
                use.Add(u);
            }
        }
        Finish("MusicLibraryT", library);
        Finish("MusicUseT", use);
    }

    // ---- stewardship -------------------------------------------------------------------

    struct Envelope {
        QString number;
        int weekly = 0;        // dollars
        double faithful = 0.5; // chance of a gift on a Sunday
    };

    void WriteEnvelopes() {
        TableFileWriter w(m_folder, TableDefOf("EnvelopeT"));
        for (const Household& h : m_households) {
            const Person& head = m_people[h.head];
            if (!head.isMember || head.passing.isValid())
                continue;
            Envelope e;
            e.number = QString::number(m_envelopes.size() + 1);
            e.weekly = m_random.Range(5, 120);
            e.faithful = 0.3 + 0.65 * m_random.Real();
            QVector<QVariant> row = w.NewRow();
            row[w.Column("RecordNumber")] = double(head.recordNumber);
            row[w.Column("EnvelopeNumber")] = e.number;
            row[w.Column("PledgeYear")] = m_lastYear;
            if (m_random.Chance(0.6))
                row[w.Column("PledgeAmount")] = QVariant::fromValue(Dollars(e.weekly * 52));
            w.Add(row);
            m_envelopes << e;
        }
        Finish("EnvelopeT", w);
    }

    void WriteGifts() {
        TableFileWriter w(m_folder, TableDefOf("EnvelopeOfferingT"));
        const int number = w.Column("EnvelopeNumber"), offered = w.Column("OfferingDate"),
                  posted = w.Column("PostedDate"), amount = w.Column("Amount");
        // Written in the order of the envelope numbers as text, then by date.
        QList<const Envelope*> order;
        for (const Envelope& e : m_envelopes)
            order << &e;
        std::sort(order.begin(), order.end(),
                  [](const Envelope* a, const Envelope* b) { return a->number < b->number; });
        const qint64 pairs = qint64(order.size()) * m_sundays.size();
        qint64 wanted = std::min(m_options.envelopeGifts, pairs);
        qint64 seen = 0;
        QVector<QVariant> row = w.NewRow();
        for (const Envelope* e : order) {
            for (const QDate& sunday : m_sundays) {
                bool give;
                if (m_options.envelopeGifts >= 0) {
                    // Selection sampling: exactly the wanted number, spread evenly.
                    give = m_random.Real() * double(pairs - seen) < double(wanted);
                    if (give)
                        --wanted;
                } else {
                    give = m_random.Chance(e->faithful);
                }
                ++seen;
                if (!give)
                    continue;
                int dollars =
                    std::max(1, e->weekly + m_random.Range(-e->weekly / 3, e->weekly / 3));
                if ((sunday.month() == 12 && sunday.day() >= 18) ||
                    sunday == EasterSunday(sunday.year()))
                    dollars *= 2;
                row[number] = e->number;
                row[offered] = sunday;
                row[posted] = sunday.addDays(m_random.Range(1, 3));
                row[amount] = QVariant::fromValue(Dollars(dollars));
                w.Add(row);
            }
        }
        Finish("EnvelopeOfferingT", w);
    }

    void WriteLooseOfferings() {
        TableFileWriter w(m_folder, TableDefOf("OfferingT"));
        for (const QDate& sunday : m_sundays) {
            const Currency cash = Cents(m_random.Range(4000, 45000));
            const Currency checks = Cents(m_random.Range(10000, 260000));
            QVector<QVariant> row = w.NewRow();
            row[w.Column("OfferingDate")] = sunday;
            row[w.Column("PostingDate")] = sunday.addDays(m_random.Range(1, 2));
            row[w.Column("Cash")] = QVariant::fromValue(cash);
            row[w.Column("Checks")] = QVariant::fromValue(checks);
            row[w.Column("Total")] = QVariant::fromValue(cash + checks);
            w.Add(row);
        }
        Finish("OfferingT", w);
    }

    // ---- attendance ----------------------------------------------------------------------

    void WriteUsherReports() {
        TableFileWriter w(m_folder, TableDefOf("UsherReportT"));
        const double people = std::max(60.0, double(m_people.size()));
        QStringList ushers;
        for (const Person& p : m_people)
            if (p.adult && ushers.size() < 12)
                ushers << p.fname + " " + p.lname;
        if (ushers.isEmpty())
            ushers << "Head Usher";
        for (const Service& s : m_services) {
            const bool late = s.time == QTime(10, 30);
            double base = people * (late ? 0.16 : 0.07);
            if (s.special)
                base *= 1.6;
            if (s.date.month() >= 6 && s.date.month() <= 8)
                base *= 0.8;
            const int season = s.date.month();
            QVector<QVariant> row = w.NewRow();
            row[w.Column("WorshipDate")] = s.date;
            row[w.Column("WorshipTime")] = s.time;
            row[w.Column("NumberInService")] = int(base * (0.85 + 0.3 * m_random.Real()));
            row[w.Column("NumberInSundaySchool")] =
                late && (season >= 9 || season <= 5)
                    ? int(people * 0.04 * (0.8 + 0.4 * m_random.Real()))
                    : 0;
            row[w.Column("NumberInChoir")] = late ? m_random.Range(12, 28) : 0;
            row[w.Column("NumberOther")] = m_random.Range(0, 10);
            row[w.Column("Weather")] =
                season == 12 || season <= 2
                    ? QString(m_random.Chance(0.4) ? "Snow" : "Cold and clear")
                    : m_random.Pick(Weather());
            if (s.special)
                row[w.Column("Remark")] = TemplateNames()[s.templateNumber - 1];
            row[w.Column("ReportBy")] = m_random.Pick(ushers);
            w.Add(row);
        }
        Finish("UsherReportT", w);
    }

    void Finish(const QString& table, TableFileWriter& writer) {
        writer.Commit();
        m_counts[table] = writer.Count();
    }

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

} // namespace

SampleParishCounts WriteSampleParish(const QString& folder, const SampleParishOptions& options) {
    ParishWriter writer(folder, options);
    SampleParishCounts counts = writer.Write();
    for (const DataTableDef& def : DataTableDefs())
        if (!counts.contains(def.name))
            counts[def.name] = 0;
    return counts;
}

QString SampleParishKey(const SampleParishOptions& options) {
    // The order of text the table files were written under: a folder kept from another
    // version is written again rather than upgraded inside a measurement.
    return QString("members=%1 years=%2 seed=%3 lastYear=%4 envelopeGifts=%5 order=%6")
        .arg(options.members)
        .arg(options.years)
        .arg(options.seed)
        .arg(options.lastYear)
        .arg(options.envelopeGifts)
        .arg(CollationVersion());
}
