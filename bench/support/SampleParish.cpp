#include "SampleParish.h"

#include "SampleNames.h"
#include "SampleParishWriter.h"
#include "TableFileWriter.h"
#include "data/vtxDataM.h"
#include "data/vtxTableDefs.h"
#include "engine/Collation.h"
#include "engine/Types.h"

#include <QDate>
#include <QSet>
#include <QTime>
#include <algorithm>

using namespace SampleNames;

namespace SampleParishWriting {

SampleParishCounts ParishWriter::Write() {
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

QString ParishWriter::FirstName(bool male) {
    return m_random.Pick(male ? MaleFirstNames() : FemaleFirstNames());
}

QString ParishWriter::FullName() {
    return FirstName(m_random.Chance(0.5)) + " " + m_random.Pick(LastNames());
}

QString ParishWriter::Phone(int city) {
    return QString("%1-555-%2")
        .arg(Cities()[city].areaCode)
        .arg(m_random.Range(100, 9999), 4, 10, QChar('0'));
}

QString ParishWriter::LongPhone(int city) {
    return QString("(%1) 555-%2")
        .arg(Cities()[city].areaCode)
        .arg(m_random.Range(100, 9999), 4, 10, QChar('0'));
}

QString ParishWriter::Pastor(const QDate& date) {
    const QStringList& p = Pastors();
    return p[(date.year() + (date.month() > 6 ? 1 : 0)) % p.size()];
}

int ParishWriter::AddPerson(int household, bool male, bool adult, const QDate& birth) {
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

void ParishWriter::MakePeople() {
    const int n = std::max(m_options.members, 0);
    while (m_people.size() < n) {
        Household h;
        h.lname = m_random.Pick(LastNames());
        h.city = m_random.Chance(0.6) ? 0 : m_random.Below(int(Cities().size()));
        h.address1 = QString("%1 %2").arg(m_random.Range(100, 2999)).arg(m_random.Pick(Streets()));
        if (m_random.Chance(0.1))
            h.address2 =
                QString("Apt %1%2").arg(m_random.Range(1, 4)).arg(QChar('A' + m_random.Below(6)));
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
            m_households[index].spouse =
                AddPerson(index, !headMale, true, headBirth.addDays(m_random.Range(-1800, 1800)));
        for (int c = 2; c < size && m_people.size() < n; ++c) {
            QDate birth =
                headBirth.addYears(m_random.Range(22, 42)).addDays(m_random.Range(0, 300));
            if (birth > m_to)
                birth = m_random.DateIn(m_to.addYears(-12), m_to);
            const bool adult = birth.addYears(18) <= m_to;
            m_households[index].children << AddPerson(index, m_random.Chance(0.5), adult, birth);
        }
    }
}

void ParishWriter::WriteRoster() {
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

void ParishWriter::WriteRosterDates() {
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

void ParishWriter::WriteMemos() {
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

void ParishWriter::WritePastoralRecords() {
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

void ParishWriter::WriteMarriages() {
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

void ParishWriter::AddAppointment(TableFileWriter& w, int recordNumber, const QString& subject,
                                  const QDate& date) {
    QVector<QVariant> row = w.NewRow();
    row[w.Column("RecordNumber")] = recordNumber;
    row[w.Column("AppointmentSubject")] = subject;
    row[w.Column("AppointmentDate")] = date;
    row[w.Column("AppointmentTime")] = QTime(m_random.Range(9, 16), m_random.Chance(0.5) ? 0 : 30);
    w.Add(row);
}

void ParishWriter::WritePassings() {
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

void ParishWriter::WriteMinistries() {
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
        const int take = std::min(int(eligible.size()), wanted - m_random.Below(wanted / 4 + 1));
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

void ParishWriter::Finish(const QString& table, TableFileWriter& writer) {
    writer.Commit();
    m_counts[table] = writer.Count();
}

} // namespace SampleParishWriting

using SampleParishWriting::ParishWriter;

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
