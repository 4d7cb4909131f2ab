#include "engine/TableScan.h"

#include "engine/Field.h"
#include "engine/Sqlite.h"
#include "engine/Table.h"
#include "engine/TableSql.h"

TableScan::TableScan(Table& table) : m_table(table), m_values(table.FieldCount()) {
    table.RaiseIfInactive();
    QList<Table::Condition> conditions;
    const QString where = table.WhereSql(conditions);
    for (const Table::Condition& c : conditions)
        if (TableSql::IsNull(c.value)) {
            m_done = true; // a link to no master row: the view is empty
            return;
        }
    QStringList columns{"rowid"};
    const TableDef& def = table.Def();
    for (int i : table.m_storedFields)
        if (def.fields[i].kind == FieldKind::Data) {
            columns << QuoteName(def.fields[i].name);
            m_columns << i;
        }
    m_statement = table.Conn().Prepare("SELECT " + columns.join(", ") + " FROM " +
                                       QuoteName(def.BaseName()) + where + table.OrderSql());
    table.BindConditions(*m_statement, conditions, 1);
}

TableScan::~TableScan() = default;

bool TableScan::Next() {
    if (m_done)
        return false;
    if (!m_statement->Step()) {
        // The statement ends here, so that the file is free for other users at once.
        m_statement.reset();
        m_done = true;
        m_rowId = 0;
        m_values.fill(QVariant());
        return false;
    }
    const TableDef& def = m_table.Def();
    m_rowId = m_statement->ColumnInt64(0);
    m_values.fill(QVariant());
    for (int c = 0; c < m_columns.size(); ++c)
        m_values[m_columns[c]] = m_statement->Column(c + 1, def.fields[m_columns[c]].type);
    m_table.CalculateFields(m_values);
    ++m_rowsRead;
    return true;
}

QVariant TableScan::Value(const Field* field) const {
    if (!field || field->Index() < 0 || field->Index() >= m_values.size())
        return {};
    return m_values[field->Index()];
}
