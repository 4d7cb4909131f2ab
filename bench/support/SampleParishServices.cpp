// The sample parish's worship services and music, stewardship and attendance (the writer is
// declared in SampleParishWriter.h).

#include "SampleNames.h"
#include "SampleParishWriter.h"
#include "TableFileWriter.h"
#include "data/vtxTableDefs.h"

#include <QSet>

using namespace SampleNames;

namespace SampleParishWriting {

void ParishWriter::WriteTemplates() {
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

void ParishWriter::AddService(const QDate& date, const QTime& time, int templateNumber,
                              bool special) {
    m_services.append({date, time, templateNumber, special});
}

void ParishWriter::MakeServices() {
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

QString ParishWriter::ElementText(const QString& heading, const Service& s) {
    if (heading.contains("Hymn"))
        return heading + ": " + m_random.Pick(Hymns());
    if (heading.contains("Reading") || heading == "Gospel" || heading == "Psalm") {
        const QString book = heading == "Psalm" ? QString("Psalm") : m_random.Pick(ReadingBooks());
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

void ParishWriter::WriteServices() {
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

void ParishWriter::WriteMusic() {
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

void ParishWriter::WriteEnvelopes() {
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

void ParishWriter::WriteGifts() {
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
            int dollars = std::max(1, e->weekly + m_random.Range(-e->weekly / 3, e->weekly / 3));
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

void ParishWriter::WriteLooseOfferings() {
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

void ParishWriter::WriteUsherReports() {
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
        row[w.Column("Weather")] = season == 12 || season <= 2
                                       ? QString(m_random.Chance(0.4) ? "Snow" : "Cold and clear")
                                       : m_random.Pick(Weather());
        if (s.special)
            row[w.Column("Remark")] = TemplateNames()[s.templateNumber - 1];
        row[w.Column("ReportBy")] = m_random.Pick(ushers);
        w.Add(row);
    }
    Finish("UsherReportT", w);
}

} // namespace SampleParishWriting
