#pragma once
// The shared cursor over the rows of a table or a query result.
//
// A data set keeps the ordered list of row ids that its index, filter and master
// link select; RecNo is the 1-based position in it. Grids read any row of that
// list without moving the cursor; only the cursor decides the current row. Values
// are held in a storage form per field type: qint64 for integer and short, bool
// for logical, double for number, Currency for money, QString for text and memo,
// QDate for date, QTime for time, and an invalid QVariant for an empty field.

#include "engine/Definitions.h"
#include "engine/EDatabaseError.h"
#include "engine/Field.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class DataSource;

enum class DataSetState { Inactive, Browse, Edit, Insert, CalcFields };
enum class DataAction { Fail, Abort };

enum LocateOption { CaseInsensitive = 1, PartialKey = 2 };
using LocateOptions = int;
using Bookmark = qint64; // a row id; 0 is no bookmark

using DataSetEvent = std::function<void(DataSet&)>;
using PostErrorEvent = std::function<DataAction(DataSet&, const EDatabaseError&)>;

class DataSet {
public:
    explicit DataSet(const QString& name = {});
    virtual ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    QString Name; // the component name ("RosterT"), used in messages

    // Events, single rules.
    DataSetEvent OnNewRecord; // a new row was started, link values set
    DataSetEvent AfterInsert; // after OnNewRecord
    DataSetEvent BeforeEdit;
    DataSetEvent BeforePost; // may raise to stop the post
    DataSetEvent AfterPost;
    DataSetEvent AfterCancel;
    DataSetEvent BeforeDelete; // may raise to stop the delete
    DataSetEvent AfterDelete;
    DataSetEvent AfterScroll; // the cursor moved
    DataSetEvent AfterOpen;
    DataSetEvent BeforeClose;
    DataSetEvent OnCalcFields; // for any row being read
    // Gets every refusal of a post; Fail shows the engine's message, Abort is quiet.
    PostErrorEvent OnPostError;

    // Open and close.
    void Open();
    void Close();
    bool Active() const { return m_state != DataSetState::Inactive; }
    void SetActive(bool active) { active ? Open() : Close(); }

    // The shared cursor.
    void First();
    void Last();
    void Next();
    void Prior();
    void MoveBy(int distance);
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool IsEmpty() const { return m_rows.isEmpty(); }
    int RecNo() const;        // 1-based; 0 when there is no row
    void SetRecNo(int recNo); // moves to the row at that position
    int RecordCount() const { return int(m_rows.size()); }
    // Bookmarks: the row id of the current row.
    Bookmark GetBookmark() const;
    bool GotoBookmark(Bookmark bookmark); // false when the row is gone

    // Row changes.
    void Insert();
    void Append();
    void Edit();
    void Post(); // refused with "Dataset not in edit or insert mode" unless editing or inserting
    void Cancel();
    void Delete();
    virtual void Refresh();
    // Posts a modified row (or cancels an unmodified one) when editing.
    void CheckBrowseMode();
    DataSetState State() const { return m_state; }
    bool Modified() const { return m_modified; }
    bool CanModify() const { return !m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // Fields.
    const QList<Field*>& Fields() const { return m_fieldList; }
    Field* FindField(const QString& name) const;   // case-insensitive; null when absent
    Field* FieldByName(const QString& name) const; // raises "Field 'X' not found"
    int FieldCount() const { return int(m_fieldList.size()); }

    // Locate: the first row of the current order whose fields (separated by ';')
    // match the values; moves there and returns true, or stays and returns false.
    bool Locate(const QString& fields, const QVariantList& values, LocateOptions options = 0);

    // Grid access: rows as shown, the pending new row included at its place.
    int DisplayRowCount() const;
    int DisplayCurrentRow() const; // -1 when there is none
    QVariant DisplayValue(int row, int field);
    QString DisplayText(int row, int field);
    // Moves the cursor to a row as shown (posting a pending row first).
    void MoveToDisplayRow(int row);

    // Repainting: while disabled, bound controls, rules and detail links are not
    // told about moves; enabling tells them once.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // Asks the controls bound to a field to take the focus (the data sources' focusControl):
    // a post refused for an empty required field does so before it raises, so the user
    // lands on what is missing.
    void FocusControl(Field* field);

    // Data sources pointing here register themselves.
    void AddDataSource(DataSource* source);
    void RemoveDataSource(DataSource* source);

    // Used by Field.
    QVariant ActiveValue(int fieldIndex) const;
    void SetActiveValue(int fieldIndex, const QVariant& value);

protected:
    // ---- what a storage provides --------------------------------------------
    virtual void DoOpen() = 0; // connect, prepare; the field definitions must be set
    virtual void DoClose() = 0;
    virtual QVector<qint64> LoadRowIds() = 0; // current order, filter and link
    // Reads the stored fields of a row into a buffer of FieldCount() values.
    virtual QVector<QVariant> ReadRow(qint64 rowId) = 0;
    // Stores a row (rowId 0: a new row) and returns its row id. Raises on refusal.
    virtual qint64 StoreRow(qint64 rowId, const QVector<QVariant>& values);
    virtual void RemoveRow(qint64 rowId);
    // Position for a row in the current order (binary search), and whether a row
    // belongs to the current filter and link.
    virtual int InsertPosition(qint64 rowId, const QVector<QVariant>& values);
    virtual bool RowSelected(const QVector<QVariant>& values) const;
    // Sets the link values of a new row (detail tables).
    virtual void InitNewRow(QVector<QVariant>& values);
    // Finds the first row of the current order matching the locate condition.
    virtual qint64 FindRow(const QStringList& fields, const QVariantList& values,
                           LocateOptions options);
    // Computes the lookup fields of a row buffer.
    virtual void ComputeLookups(QVector<QVariant>& values);

    // ---- helpers for storages -----------------------------------------------
    void SetFieldDefs(const QList<FieldDef>& defs);
    const QVector<qint64>& RowIds() const { return m_rows; }
    void ReloadRows(bool keepPosition);   // reloads the list, keeps the row when asked
    virtual int IndexOfRow(qint64 rowId); // -1 when not in the list
    void ClearCache() { m_cache.clear(); }
    // Reads a row with its calculated fields, through a small cache.
    const QVector<QVariant>& CachedRow(qint64 rowId);
    void NotifyDataChanged(Field* field);
    void NotifyStateChanged();
    void NotifyRowsChanged();
    void CalculateFields(QVector<QVariant>& values);
    void RaiseIfInactive() const;

    friend class DataSource;

private:
    void SetState(DataSetState state);
    void LoadCurrent(); // m_buffer from the row at m_cur
    void MoveTo(int index, bool notify = true);
    void StartNewRow(int position);
    void CheckRequired();

    QList<FieldDef> m_defs;
    std::vector<std::unique_ptr<Field>> m_fields;
    QList<Field*> m_fieldList;
    QHash<QString, Field*> m_fieldsByName; // lower-case names

    DataSetState m_state = DataSetState::Inactive;
    QVector<qint64> m_rows;
    int m_cur = -1;
    int m_insertPos = -1;
    bool m_eof = true;
    bool m_bof = true;
    bool m_modified = false;
    bool m_readOnly = false;
    QVector<QVariant> m_buffer;
    QVector<QVariant>* m_active = &m_buffer; // the calculated-fields row, or the buffer
    DataSetState m_stateBeforeCalc = DataSetState::Inactive;

    QHash<qint64, QVector<QVariant>> m_cache;
    int m_disableCount = 0;
    bool m_pendingNotify = false;
    QList<DataSource*> m_sources;
};
