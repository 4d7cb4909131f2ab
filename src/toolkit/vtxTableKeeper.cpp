#include "toolkit/vtxTableKeeper.h"

#include "engine/Table.h"
#include "toolkit/vtxWindowHabits.h"

TTableKeeper::TTableKeeper(Table* table, Leave leave) : m_table(table), m_leave(std::move(leave)) {
    if (!m_table)
        return;
    m_indexName = m_table->IndexName();
    m_indexFields = m_table->IndexFieldNames();
    m_filter = m_table->Filter();
    m_filtered = m_table->Filtered();
    m_master = m_table->MasterSource();
    m_masterFields = m_table->MasterFields();
    if (m_table->Active())
        m_position = m_table->GetBookmark();
}

TTableKeeper::~TTableKeeper() {
    if (!m_table)
        return;
    Table* table = m_table;
    const Parts restore = m_leave.restore;
    // The link and the filter first (they choose the rows), then the order, then the row.
    RunAction([&] {
        if (m_leave.unlinked) {
            table->SetMasterSource(nullptr);
            table->SetMasterFields(QString());
        } else if (restore & Link) {
            table->SetMasterSource(m_master);
            table->SetMasterFields(m_masterFields);
        }
    });
    if (restore & Filter)
        RunAction([&] {
            table->SetFilter(m_filter);
            table->SetFiltered(m_filtered);
        });
    RunAction([&] {
        if (!m_leave.order.isEmpty())
            table->SetIndexFieldNames(m_leave.order);
        else if (restore & Order) {
            if (!m_indexFields.isEmpty())
                table->SetIndexFieldNames(m_indexFields);
            else
                table->SetIndexName(m_indexName);
        }
    });
    if ((restore & Position) && m_position && table->Active() && table->GetBookmark() != m_position)
        RunAction([&] { table->GotoBookmark(m_position); });
}
