// Drives the prefix finders with names and typed text from the fuzzer. The row found must
// be the first row, in the index's order, whose name begins with the typed text as
// MatchPrefix says, among the rows of the view (with and without a filter); the index
// file's order must be the comparison's order; the table's finder, the finder through an
// index the table is not in, and the row finder of a query must agree.
//
// Input: lines; the first byte of the first line holds the switches (bit 0: filter on
// IsMember = true), the following lines are names, the last line is the typed text.
#include "FuzzEngine.h"
#include "engine/Collation.h"
#include "engine/Query.h"
#include "engine/Table.h"

#include <algorithm>
#include <memory>

namespace {

TableDef NameDef() {
    TableDef d;
    d.tableName = "fzNameT.db";
    d.fields = {IntegerField("RecordNumber"), TextField("LName", 40), LogicalField("IsMember")};
    d.indexes = {PrimaryIndexDef("FzNameIndex1", {"RecordNumber"}),
                 SecondaryIndexDef("FzLN", {"LName"})};
    return d;
}

std::unique_ptr<Table> Names;

struct Row {
    int number;
    QString name;
    bool member;
};

int Current() {
    return Names->FieldByName("RecordNumber")->AsInteger();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartEngine("fuzz_prefix_finder", "FuzzNames");
    Names = std::make_unique<Table>(NameDef(), "NameT");
    Names->DatabaseName = "FuzzNames";
    Names->CreateTable();
    Names->Open();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const bool filtered = data[0] & 1;
    QStringList lines = fuzz::TextOf(data + 1, size - 1).split('\n');
    const QString prefix = lines.takeLast();
    if (lines.size() > 16 || prefix.isEmpty())
        return 0;

    Names->SetFiltered(false);
    Names->SetIndexName("");
    Names->EmptyTable();
    QList<Row> rows; // in entry order: the row id order
    for (int i = 0; i < lines.size(); ++i) {
        Names->Append();
        Names->FieldByName("RecordNumber")->SetAsInteger(i + 1);
        Names->FieldByName("IsMember")->SetAsBoolean(i % 3 != 1);
        try {
            Names->FieldByName("LName")->SetAsString(lines[i]);
        } catch (const EDatabaseError&) {
            Names->Cancel();
            continue;
        }
        Names->Post();
        rows.append({i + 1, Names->FieldByName("LName")->AsString(), i % 3 != 1});
    }
    Names->SetFilter("IsMember = true");
    Names->SetFiltered(filtered);

    // The index's order is the comparison's, empty names first, ties in entry order.
    Names->SetIndexName("FzLN");
    QList<Row> view;
    for (const Row& r : rows)
        if (!filtered || r.member)
            view.append(r);
    std::stable_sort(view.begin(), view.end(), [](const Row& a, const Row& b) {
        if (a.name.isEmpty() != b.name.isEmpty())
            return a.name.isEmpty();
        return CompareText(a.name, b.name) < 0;
    });
    if (Names->RecordCount() != view.size())
        fuzz::Fault("the view holds another number of rows");
    Names->First();
    for (const Row& r : view) {
        if (Current() != r.number)
            fuzz::Fault("the index's order is not the comparison's", r.name);
        Names->Next();
    }

    int expected = 0;
    for (const Row& r : view)
        if (!r.name.isEmpty() && MatchPrefix(r.name, prefix) >= 0) {
            expected = r.number;
            break;
        }
    // In the index's order.
    Names->First();
    const int before = Current();
    const bool found = Names->FindPrefix("LName", prefix);
    if (found != (expected != 0) || Current() != (expected ? expected : before))
        fuzz::Fault("FindPrefix found another row", prefix);
    // Through the index from the record-number order, which is kept.
    Names->SetIndexName("");
    Names->First();
    const int first = Current();
    const bool foundThrough = Names->FindPrefix("LName", prefix, "FzLN");
    if (foundThrough != (expected != 0) || Current() != (expected ? expected : first))
        fuzz::Fault("FindPrefix through the index found another row", prefix);
    if (!Names->IndexName().isEmpty())
        fuzz::Fault("the table's order changed");
    // The row finder of a query over the same rows.
    Query query("NamesQ");
    query.DatabaseName = "FuzzNames";
    query.SetSQL({"SELECT RecordNumber, LName FROM fzNameT", filtered ? "WHERE IsMember = 1" : "",
                  QString("ORDER BY IFNULL(LName, '') COLLATE %1, rowid").arg(kCollationName)});
    query.Open();
    const bool foundByQuery = query.Locate("LName", {prefix}, CaseInsensitive | PartialKey);
    if (foundByQuery != (expected != 0) ||
        (expected && query.FieldByName("RecordNumber")->AsInteger() != expected))
        fuzz::Fault("the query's row finder found another row", prefix);
    return 0;
}
