// Drives the filter parser two ways.
//
// Any text as an expression: it is read or refused with the filter message, never
// anything else, and a filter that was read selects rows of the table only, the same
// rows each time it is set.
//
// A text as a quoted value: the text is stored in a row (when the field takes it), and
// "Name = '<text>'" with the quotes doubled must select exactly the rows holding that
// text; a text longer than the field selects nothing.
//
// Input: the first byte picks the way (even: expression, odd: quoted value; with bit 1
// the quote is " instead of ', with bit 2 the term is joined to a second one by "and").
#include "FuzzEngine.h"
#include "engine/Table.h"

#include <QSet>
#include <memory>

namespace {

TableDef FilterDef() {
    TableDef d;
    d.tableName = "fzFilterT.db";
    d.fields = {IntegerField("Id"),      ShortField("Count"),   NumberField("Ratio"),
                MoneyField("Amount"),    TextField("Name", 12), MemoField("Notes"),
                DateField("Day"),        TimeField("At"),       LogicalField("Flag"),
                TextField("Phone 1", 12)};
    d.indexes = {PrimaryIndexDef("FzFilterIndex1", {"Id"}), SecondaryIndexDef("FzFName", {"Name"})};
    return d;
}

std::unique_ptr<Table> Rows;
int NextId = 100;

QList<int> Ids() {
    QList<int> ids;
    for (Rows->First(); !Rows->Eof(); Rows->Next())
        ids << Rows->FieldByName("Id")->AsInteger();
    return ids;
}

void Add(int id, const QString& name, bool flag, double ratio, const QString& day) {
    Rows->Append();
    Rows->FieldByName("Id")->SetAsInteger(id);
    Rows->FieldByName("Name")->SetAsString(name);
    Rows->FieldByName("Flag")->SetAsBoolean(flag);
    Rows->FieldByName("Ratio")->SetAsFloat(ratio);
    Rows->FieldByName("Day")->SetAsString(day);
    Rows->FieldByName("Phone 1")->SetAsString(name);
    Rows->Post();
}

void AnyExpression(const QString& expression) {
    Rows->SetFiltered(false);
    const QList<int> all = Ids();
    try {
        Rows->SetFilter(expression);
    } catch (const EDatabaseError& error) {
        if (!error.Message().startsWith("Cannot read the filter expression: "))
            fuzz::Fault("another refusal", error.Message());
        return;
    }
    if (Rows->Filter() != expression)
        fuzz::Fault("the filter reads back as another text");
    Rows->SetFiltered(true);
    const QList<int> once = Ids();
    for (int id : once)
        if (!all.contains(id))
            fuzz::Fault("a row the table does not hold");
    Rows->SetFiltered(false);
    Rows->SetFilter(expression);
    Rows->SetFiltered(true);
    if (Ids() != once)
        fuzz::Fault("the same filter selects other rows");
    Rows->SetFiltered(false);
}

void QuotedValue(const QString& text, bool doubleQuote, bool joined) {
    Rows->SetFiltered(false);
    const int id = NextId++;
    bool stored = false;
    Rows->Append();
    Rows->FieldByName("Id")->SetAsInteger(id);
    try {
        Rows->FieldByName("Name")->SetAsString(text);
        Rows->FieldByName("Flag")->SetAsBoolean(true);
        Rows->Post();
        stored = true;
    } catch (const EDatabaseError&) {
        Rows->Cancel();
    }
    const QString quote = doubleQuote ? "\"" : "'";
    QString value = text;
    value.replace(quote, quote + quote);
    QString expression = "Name = " + quote + value + quote;
    if (joined)
        expression = "[Flag] = true and " + expression;
    try {
        Rows->SetFilter(expression);
    } catch (const EDatabaseError& error) {
        if (stored)
            fuzz::Fault("a stored text cannot be named in a filter", error.Message());
        return; // a text no field holds (a control character)
    }
    Rows->SetFiltered(true);
    for (Rows->First(); !Rows->Eof(); Rows->Next())
        if (Rows->FieldByName("Name")->AsString() != text)
            fuzz::Fault("a row that holds another text", Rows->FieldByName("Name")->AsString());
    const bool fits = text.size() <= 12;
    // (An empty value names no row: empty fields are never selected by a filter.)
    if (stored && fits && !text.isEmpty() && !Rows->Locate("Id", {id}))
        fuzz::Fault("the row holding the text is not selected", expression);
    if (!fits && !Rows->IsEmpty())
        fuzz::Fault("a text longer than the field selects rows", expression);
    Rows->SetFiltered(false);
    if (id % 200 == 0) {
        Rows->EmptyTable();
        Add(1, "Ann and Bob", true, 1.5, "1/2/2020");
        Add(2, "O'Brien", false, -0.25, "12/31/9999");
        Add(3, "Élan", true, 1e20, "1/1/0001");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartEngine("fuzz_filter_parser", "FuzzFilter");
    Rows = std::make_unique<Table>(FilterDef(), "FilterT");
    Rows->DatabaseName = "FuzzFilter";
    Rows->CreateTable();
    Rows->Open();
    Add(1, "Ann and Bob", true, 1.5, "1/2/2020");
    Add(2, "O'Brien", false, -0.25, "12/31/9999");
    Add(3, "Élan", true, 1e20, "1/1/0001");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const QString text = fuzz::TextOf(data + 1, size - 1);
    if (data[0] % 2 == 0)
        AnyExpression(text);
    else
        QuotedValue(text, data[0] & 2, data[0] & 4);
    return 0;
}
