#pragma once
// A data source tells every control bound to it what its data set does: the
// data changed (the cursor moved, the data set opened or refreshed, or one field
// of the current row changed), the state changed, or the row list changed. Detail
// tables linked to it follow its data set's current row.

#include <QList>
#include <QObject>
#include <functional>

class DataSet;
class Field;
class Table;

class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(DataSet* dataSet = nullptr, QObject* parent = nullptr);
    ~DataSource() override;

    QString Name;
    DataSet* GetDataSet() const { return m_dataSet; }
    void SetDataSet(DataSet* dataSet);
    bool Enabled = true;

    // Rules attached to the source (run before the signals).
    std::function<void(Field*)> OnDataChange;
    std::function<void()> OnStateChange;

    // Detail tables linked to this source register themselves.
    void AddDetail(Table* detail);
    void RemoveDetail(Table* detail);

    // Called by the data set.
    void DataChanged(Field* field);
    void StateChanged();
    void RowsChanged();
    void UpdateData();
    void FocusControl(Field* field);

Q_SIGNALS:
    void dataChanged(Field* field); // field null: the whole row, the cursor moved
    void stateChanged();
    void rowsChanged();
    void updateData(); // a post is about to happen: controls write their pending values
    // The control bound to the field should take the focus (a post refused it as empty).
    void focusControl(Field* field);

private:
    friend class DataSet;
    DataSet* m_dataSet = nullptr;
    QList<Table*> m_details;
};
