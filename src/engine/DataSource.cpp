#include "engine/DataSource.h"

#include "engine/DataSet.h"
#include "engine/Table.h"

DataSource::DataSource(DataSet* dataSet, QObject* parent) : QObject(parent) {
    static const int registered = qRegisterMetaType<Field*>("Field*");
    Q_UNUSED(registered);
    SetDataSet(dataSet);
}

DataSource::~DataSource() {
    if (m_dataSet)
        m_dataSet->RemoveDataSource(this);
    const QList<Table*> details = m_details;
    for (Table* t : details)
        t->SetMasterSource(nullptr);
}

void DataSource::SetDataSet(DataSet* dataSet) {
    if (m_dataSet == dataSet)
        return;
    if (m_dataSet)
        m_dataSet->RemoveDataSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->AddDataSource(this);
    DataChanged(nullptr);
    StateChanged();
    RowsChanged();
}

void DataSource::AddDetail(Table* detail) {
    if (!m_details.contains(detail))
        m_details.append(detail);
}

void DataSource::RemoveDetail(Table* detail) {
    m_details.removeAll(detail);
}

void DataSource::DataChanged(Field* field) {
    if (!Enabled)
        return;
    const QList<Table*> details = m_details;
    for (Table* t : details)
        t->MasterChanged();
    if (OnDataChange)
        OnDataChange(field);
    Q_EMIT dataChanged(field);
}

void DataSource::StateChanged() {
    if (!Enabled)
        return;
    if (OnStateChange)
        OnStateChange();
    Q_EMIT stateChanged();
}

void DataSource::RowsChanged() {
    if (!Enabled)
        return;
    Q_EMIT rowsChanged();
}

void DataSource::UpdateData() {
    Q_EMIT updateData();
}

void DataSource::FocusControl(Field* field) {
    if (Enabled)
        Q_EMIT focusControl(field);
}
