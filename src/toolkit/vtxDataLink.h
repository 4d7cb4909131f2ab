#pragma once
// The link between one data-aware control and one field of a data source.
//
// The control shows the field of the current row and keeps what the user typed until it
// is written back: when the control is left, and whenever the data set is about to post
// (the data source's updateData), so a post never loses the focused control's value.
// Typing into a control of a browsing data set first starts Edit (Insert on an empty
// detail: the engine's Edit does that). When a post is refused because the field is empty
// (the data set's FocusControl), the control (the link's parent) takes the focus, its text
// selected, once the refusal has been shown.

#include "engine/DataSource.h"
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class DataSet;
class Field;

class TFieldDataLink : public QObject {
    Q_OBJECT
public:
    explicit TFieldDataLink(QObject* parent = nullptr);

    void SetDataSource(DataSource* source);
    DataSource* GetDataSource() const { return m_source; }
    void SetFieldName(const QString& name);
    const QString& FieldName() const { return m_fieldName; }

    DataSet* GetDataSet() const;
    // The bound field of the open data set; null when closed or when it has no such field.
    Field* GetField() const;
    bool Active() const;
    bool Editing() const; // the data set is in Edit or Insert
    // The control may change the field now or after Edit: open, modifiable data set,
    // field not read only, link not read only.
    bool CanModify() const;
    bool ReadOnly = false;

    // Makes the row editable: starts Edit when browsing. True when the data set is in
    // Edit or Insert afterwards. A refusal is shown through the dialogs facade (quietly
    // for EAbort). The control starting the edit is not reloaded by it.
    bool Edit();

    // The control's value differs from the field.
    void SetModified() { m_modified = true; }
    bool IsModified() const { return m_modified; }
    // Drops the control's pending value and shows the field again.
    void Reset();
    // Writes the pending value through OnUpdateData. Raises what the write raises
    // (EDatabaseError for a value the field refuses); the value stays pending then.
    void UpdateRecord();

    // Set by the control.
    std::function<void()> OnDataChange;  // show the field's value (the link is not modified)
    std::function<void()> OnUpdateData;  // write the control's value into the field
    std::function<void()> OnStateChange; // data set opened, closed or changed state

private:
    void SourceDataChanged(Field* field);
    void SourceStateChanged();
    void SourceUpdateData();
    void SourceFocusControl(Field* field);

    QPointer<DataSource> m_source;
    QString m_fieldName;
    bool m_modified = false;
    bool m_startingEdit = false;
    bool m_writing = false;
    QList<QMetaObject::Connection> m_connections;
};
