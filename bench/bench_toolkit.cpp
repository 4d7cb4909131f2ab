// Benchmarks of the toolkit: laying out and writing band reports.

#include "BenchSupport.h"
#include "toolkit/vtxGridExport.h"
#include "toolkit/vtxReport.h"
#include "toolkit/vtxReportPreview.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

struct Person {
    QString name, address1, address2, city, state, postal, phone, work, cell;
    bool member;
};

std::vector<Person> SyntheticRoster(int count) {
    static const char* last[] = {"Adams",  "Baker",  "Clark", "Davis",  "Evans",  "Foster",
                                 "Garcia", "Hughes", "Irwin", "Jensen", "Keller", "Lopez"};
    static const char* first[] = {"Ann", "Bob", "Carol", "Dan", "Eve", "Frank", "Grace", "Hal"};
    static const char* cities[] = {"Springfield", "Shelbyville", "Ogdenville", "North Haverbrook"};
    std::vector<Person> people;
    people.reserve(count);
    for (int i = 0; i < count; ++i) {
        Person p;
        p.name = QStringLiteral("%1, %2 %3").arg(last[i % 12], first[i % 8], QChar('A' + i % 26));
        p.address1 = QStringLiteral("%1 Main Street").arg(100 + i);
        p.address2 = i % 5 == 0 ? QStringLiteral("Apt. %1").arg(i % 40) : QString();
        p.city = cities[i % 4];
        p.state = QStringLiteral("IL");
        p.postal = QStringLiteral("6%1").arg(i % 10000, 4, 10, QChar('0'));
        p.phone = QStringLiteral("555-%1").arg(i % 10000, 4, 10, QChar('0'));
        p.work =
            i % 3 ? QStringLiteral("555-%1").arg((i * 7) % 10000, 4, 10, QChar('0')) : QString();
        p.cell =
            i % 2 ? QStringLiteral("555-%1").arg((i * 13) % 10000, 4, 10, QChar('0')) : QString();
        p.member = i % 4 != 0;
        people.push_back(std::move(p));
    }
    return people;
}

// The names, addresses and phones list: a title, three detail lines and a phone line per
// person, and a footer with the record count, page and print time.
class RosterReport {
public:
    explicit RosterReport(const std::vector<Person>& people) : m_people(people) {
        report.caption = QStringLiteral("Roster");
        report.AddBand(ReportBandKind::Title, 0.4)
            .AddText(0, 0.05, QStringLiteral("Grace Parish:  Name, Address, Phone"))
            .Align(ReportAlign::Center)
            .Size(12)
            .Bold();
        ReportBand& detail = report.AddBand(ReportBandKind::Detail, 0.63);
        auto field = [this](QString Person::*member) {
            return [this, member](const ReportState&) { return m_people[m_row].*member; };
        };
        detail.AddValue(0.08, 0.08, field(&Person::name)).Named("LFMName").Width(6.09);
        detail
            .AddValue(6.33, 0.08,
                      [this](const ReportState&) {
                          return m_people[m_row].member ? QStringLiteral("true")
                                                        : QStringLiteral("false");
                      })
            .Named("IsMember");
        detail.AddValue(0.42, 0.25, field(&Person::address1));
        detail.AddValue(4.17, 0.25, field(&Person::address2));
        detail.AddValue(0.42, 0.42, field(&Person::city));
        detail.AddValue(4.42, 0.42, field(&Person::state));
        detail.AddValue(6.42, 0.42, field(&Person::postal));
        detail.beforePrint = [this](ReportBandPrint& print) {
            const bool member = m_people[m_row].member;
            print.SetBold(QStringLiteral("LFMName"), member);
            print.SetText(QStringLiteral("IsMember"),
                          member ? QStringLiteral("Member") : QStringLiteral("Non Member"));
        };
        ReportBand& phones = report.AddBand(ReportBandKind::Detail, 0.21);
        phones.AddText(0.42, 0, QStringLiteral("Home:"));
        phones.AddValue(0.92, 0, field(&Person::phone));
        phones.AddText(3.00, 0, QStringLiteral("Work:"));
        phones.AddValue(3.50, 0, field(&Person::work));
        phones.AddText(6.17, 0, QStringLiteral("Cell:"));
        phones.AddValue(6.58, 0, field(&Person::cell));
        ReportBand& footer = report.AddBand(ReportBandKind::PageFooter, 0.3);
        footer.AddText(0.17, 0.08, QStringLiteral("Records:"));
        footer.AddRowCount(0.83, 0.08);
        footer.AddText(3.08, 0.08, QStringLiteral("Page:"));
        footer.AddPageNumber(3.58, 0.08);
        footer.AddText(5.42, 0.08, QStringLiteral("Printed:"));
        footer.AddPrintTime(6.00, 0.08);
    }

    ReportDocument Layout() {
        ReportRowList rows(int(m_people.size()), [this](int row) { m_row = row; });
        return report.Layout(rows);
    }

    BandReport report;

private:
    const std::vector<Person>& m_people;
    int m_row = 0;
};

void BM_LayoutRoster(benchmark::State& state) {
    const std::vector<Person> people = SyntheticRoster(int(state.range(0)));
    RosterReport roster(people);
    size_t pages = 0;
    for (auto _ : state) {
        ReportDocument document = roster.Layout();
        pages = document.pages.size();
        benchmark::DoNotOptimize(document);
    }
    state.counters["pages"] = double(pages);
}
BENCHMARK(BM_LayoutRoster)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_WriteRosterPdf(benchmark::State& state) {
    const std::vector<Person> people = SyntheticRoster(int(state.range(0)));
    RosterReport roster(people);
    const ReportDocument document = roster.Layout();
    const QString file = BenchFolder(QStringLiteral("toolkit")) + QStringLiteral("roster.pdf");
    for (auto _ : state) {
        if (!WriteReportPdf(document, file))
            state.SkipWithError("the PDF file could not be written");
    }
    state.counters["pages"] = double(document.pages.size());
}
BENCHMARK(BM_WriteRosterPdf)->Arg(2000)->Unit(benchmark::kMillisecond);

// The roster grid's export: eight columns of 2,000 people.
void BM_ExportRosterGrid(benchmark::State& state) {
    const std::vector<Person> people = SyntheticRoster(int(state.range(0)));
    QList<QStringList> rows;
    for (const Person& p : people)
        rows << QStringList{p.name,  p.address1, p.address2, p.city,
                            p.state, p.postal,   p.phone,    p.member ? "True" : "False"};
    GridExportTable table(
        {"Name", "Address", "Address 2", "City", "State", "Zip", "Phone", "Member"}, rows);
    const QString file = BenchFolder(QStringLiteral("toolkit")) + QStringLiteral("VTX2-MSW.odt");
    for (auto _ : state) {
        if (!ExportGridToOdf(table, file))
            state.SkipWithError("the document could not be written");
    }
}
BENCHMARK(BM_ExportRosterGrid)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return BenchMain(argc, argv); // the application: fonts for the PDF writer
}
