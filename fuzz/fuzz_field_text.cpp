// Feeds any text to every type of field, as a person types into a box. A text the field
// refuses must be refused with the engine's error, leaving the field as it was; a text it
// accepts must show in a form that reads back as the same value, and once the post is
// acknowledged the file must hold that value.
//
// Input: the first byte picks the field (every type: integer, short, number, money, text,
// memo, date, time, logical), the rest is the typed text.
#include "FuzzEngine.h"
#include "engine/Table.h"

#include <memory>

namespace {

TableDef ValueDef() {
    TableDef d;
    d.tableName = "fzValueT.db";
    d.fields = {IntegerField("Id"),   IntegerField("Total"), ShortField("Count"),
                NumberField("Ratio"), MoneyField("Amount"),  TextField("Name", 12),
                MemoField("Notes"),   DateField("Day"),      TimeField("At"),
                LogicalField("Flag")};
    d.indexes = {PrimaryIndexDef("FzValueIndex1", {"Id"}), SecondaryIndexDef("FzName", {"Name"})};
    return d;
}

std::unique_ptr<Table> Writer;
std::unique_ptr<Table> Reader; // a second connection: what the file holds
int NextId = 1;

bool SameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() != b.isNull())
        return false;
    if (a.typeId() == qMetaTypeId<Currency>() || b.typeId() == qMetaTypeId<Currency>())
        return VariantToCurrency(a) == VariantToCurrency(b);
    return a == b;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartEngine("fuzz_field_text", "FuzzValues");
    Writer = std::make_unique<Table>(ValueDef(), "ValueT");
    Writer->DatabaseName = "FuzzValues";
    Writer->CreateTable();
    Writer->Open();
    Reader = std::make_unique<Table>(ValueDef(), "ValueT");
    Reader->DatabaseName = "FuzzValues";
    Reader->Open();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int fieldIndex = 1 + data[0] % (Writer->FieldCount() - 1);
    const QString typed = fuzz::TextOf(data + 1, size - 1);
    Field* field = Writer->Fields()[fieldIndex];

    Writer->Append();
    const int id = NextId++;
    Writer->FieldByName("Id")->SetAsInteger(id);
    try {
        field->SetAsString(typed);
    } catch (const EDatabaseError& error) {
        if (error.Kind() != ErrorKind::Conversion || !field->IsNull())
            fuzz::Fault("a refusal that is no conversion error, or a changed field",
                        error.Message());
        Writer->Cancel();
        return 0;
    }
    const QVariant accepted = field->Value();
    // What the field shows reads back as the same value.
    const QString shown = field->AsString();
    try {
        field->SetAsString(shown);
    } catch (const EDatabaseError& error) {
        fuzz::Fault("the shown form is refused", shown + " / " + error.Message());
    }
    if (!SameValue(field->Value(), accepted))
        fuzz::Fault("the shown form reads back as another value", typed + " -> " + shown);
    if (field->DataType() == FieldType::Number) {
        field->SetAsString(field->DisplayText());
        if (!SameValue(field->Value(), accepted))
            fuzz::Fault("the displayed number reads back as another value", shown);
    }
    try {
        Writer->Post();
    } catch (const EDatabaseError& error) {
        fuzz::Fault("a post of accepted values was refused", error.Message());
    }
    // The acknowledged post is in the file, with the accepted value.
    Reader->Refresh();
    if (!Reader->Locate("Id", {id}))
        fuzz::Fault("the posted row is not in the file");
    if (!SameValue(Reader->FieldByName(field->FieldName())->Value(), accepted))
        fuzz::Fault("the file holds another value",
                    typed + " -> " + Reader->FieldByName(field->FieldName())->AsString());
    if (!SameValue(field->Value(), accepted))
        fuzz::Fault("the posted row shows another value");
    if (id % 500 == 0)
        Writer->EmptyTable(); // keep the file small
    return 0;
}
