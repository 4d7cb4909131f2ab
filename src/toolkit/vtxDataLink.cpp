#include "toolkit/vtxDataLink.h"

#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "toolkit/vtxWindowHabits.h"

#include <QLineEdit>
#include <QTimer>
#include <QWidget>

TFieldDataLink::TFieldDataLink(QObject* parent) : QObject(parent) {}

void TFieldDataLink::SetDataSource(DataSource* source) {
    if (m_source == source)
        return;
    for (const QMetaObject::Connection& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (source) {
        m_connections << connect(source, &DataSource::dataChanged, this,
                                 &TFieldDataLink::SourceDataChanged);
        m_connections << connect(source, &DataSource::stateChanged, this,
                                 &TFieldDataLink::SourceStateChanged);
        m_connections << connect(source, &DataSource::updateData, this,
                                 &TFieldDataLink::SourceUpdateData);
        m_connections << connect(source, &DataSource::focusControl, this,
                                 &TFieldDataLink::SourceFocusControl);
        m_connections << connect(source, &QObject::destroyed, this, [this] {
            m_source = nullptr;
            SourceStateChanged();
            SourceDataChanged(nullptr);
        });
    }
    SourceStateChanged();
    SourceDataChanged(nullptr);
}

void TFieldDataLink::SetFieldName(const QString& name) {
    m_fieldName = name;
    SourceStateChanged();
    SourceDataChanged(nullptr);
}

DataSet* TFieldDataLink::GetDataSet() const {
    return m_source ? m_source->GetDataSet() : nullptr;
}

Field* TFieldDataLink::GetField() const {
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active() || m_fieldName.isEmpty())
        return nullptr;
    return ds->FindField(m_fieldName);
}

bool TFieldDataLink::Active() const {
    DataSet* ds = GetDataSet();
    return ds && ds->Active();
}

bool TFieldDataLink::Editing() const {
    return IsEditing(GetDataSet());
}

bool TFieldDataLink::CanModify() const {
    Field* f = GetField();
    return !ReadOnly && f && !f->ReadOnly && !f->IsCalculated() && f->Owner()->CanModify();
}

bool TFieldDataLink::Edit() {
    if (!CanModify())
        return false;
    if (Editing())
        return true;
    DataSet* ds = GetDataSet();
    m_startingEdit = true;
    RunAction([ds] { ds->Edit(); });
    m_startingEdit = false;
    return Editing();
}

void TFieldDataLink::Reset() {
    m_modified = false;
    if (OnDataChange)
        OnDataChange();
}

void TFieldDataLink::UpdateRecord() {
    if (!m_modified || m_writing || !OnUpdateData)
        return;
    m_writing = true;
    try {
        OnUpdateData();
    } catch (...) {
        m_writing = false;
        throw;
    }
    m_writing = false;
    m_modified = false;
}

void TFieldDataLink::SourceDataChanged(Field* field) {
    // The control that starts an edit keeps what was just typed into it.
    if (m_startingEdit)
        return;
    Field* own = GetField();
    if (field && field != own && m_modified)
        return; // another field changed: keep this control's pending value
    m_modified = false;
    if (OnDataChange)
        OnDataChange();
}

void TFieldDataLink::SourceStateChanged() {
    if (OnStateChange)
        OnStateChange();
}

void TFieldDataLink::SourceUpdateData() {
    UpdateRecord();
}

void TFieldDataLink::SourceFocusControl(Field* field) {
    auto* control = qobject_cast<QWidget*>(parent());
    if (!control || !field || field != GetField())
        return;
    // After the refusal has been told: the control of the window that posted then has the
    // focus when the message closes.
    QTimer::singleShot(0, control, [control] {
        if (!control->isVisible() || !control->isEnabled())
            return;
        control->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            edit->selectAll();
    });
}
