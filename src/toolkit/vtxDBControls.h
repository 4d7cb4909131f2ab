#pragma once
// Data-aware controls: each shows one field of the current row of a data source and,
// unless read only, changes it.
//
//   TDBEdit        one-line text box; at most the field's width for text fields
//   TDBTimeEdit    text box for a time field, read by the field's own rules
//                  ("10:00pm", "10:00 PM", "22:00")
//   TDBMemo        multi-line text box
//   TDBCheckBox    three-state check box: undecided for an empty field; a click ticks an
//                  undecided or cleared box and clears a ticked one
//   TDBText        label showing the field's display text
//   TDBLookupList  list of another table's values; a click writes the value into the row
//                  and makes that value's row current in the other table
//
// The text controls keep what is typed until they are left or the data set posts; typing
// into a browsing data set starts Edit (Insert when the data set is empty). A value the
// field refuses when the control is left is reported in the error box and the control
// keeps the focus. The check box and the lookup list write at once.
//
// Example:
//   auto* lastName = new TDBEdit(DataMod->RosterS, "LName", this);
//   auto* member = new TDBCheckBox("Member", DataMod->RosterS, "IsMember", this);

#include "engine/DataSource.h"
#include "toolkit/vtxDataLink.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

class Field;

// Common glue of the bound controls: the link and the read-only switch.
class TDBControlBinding {
public:
    TFieldDataLink* DataLink() const { return m_link; }
    DataSource* GetDataSource() const { return m_link->GetDataSource(); }
    QString DataField() const { return m_link->FieldName(); }
    Field* GetField() const { return m_link->GetField(); }
    bool IsReadOnly() const { return m_link->ReadOnly; }

protected:
    TFieldDataLink* m_link = nullptr;
};

class TDBEdit : public QLineEdit, public TDBControlBinding {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);
    TDBEdit(DataSource* source, const QString& field, QWidget* parent = nullptr);

    void SetDataSource(DataSource* source) { m_link->SetDataSource(source); }
    void SetDataField(const QString& field) { m_link->SetFieldName(field); }
    void SetReadOnly(bool readOnly);

    // Writes a pending value into the field now (raises what the field raises).
    void UpdateRecord() { m_link->UpdateRecord(); }

protected:
    // The text shown for the field: its edit form while focused, display form otherwise.
    virtual QString FieldText(Field* field, bool focused) const;
    // Writes the text into the field; raises EDatabaseError for a text the field refuses.
    virtual void WriteField(Field* field, const QString& text);

    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    void LoadFromField();

private:
    void Init();
    void TextEdited();
    void UpdateState();
    bool m_loading = false;
};

class TDBTimeEdit : public TDBEdit {
    Q_OBJECT
public:
    explicit TDBTimeEdit(QWidget* parent = nullptr);
    TDBTimeEdit(DataSource* source, const QString& field, QWidget* parent = nullptr);

protected:
    QString FieldText(Field* field, bool focused) const override;
    void WriteField(Field* field, const QString& text) override;
};

class TDBMemo : public QPlainTextEdit, public TDBControlBinding {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget* parent = nullptr);
    TDBMemo(DataSource* source, const QString& field, QWidget* parent = nullptr);

    void SetDataSource(DataSource* source) { m_link->SetDataSource(source); }
    void SetDataField(const QString& field) { m_link->SetFieldName(field); }
    void SetReadOnly(bool readOnly);
    void UpdateRecord() { m_link->UpdateRecord(); }

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void Init();
    void LoadFromField();
    void ContentsChanged();
    void UpdateState();
    bool BeforeChange();
    bool m_loading = false;
};

class TDBCheckBox : public QCheckBox, public TDBControlBinding {
    Q_OBJECT
public:
    explicit TDBCheckBox(QWidget* parent = nullptr);
    TDBCheckBox(const QString& caption, DataSource* source, const QString& field,
                QWidget* parent = nullptr);

    void SetDataSource(DataSource* source) { m_link->SetDataSource(source); }
    void SetDataField(const QString& field) { m_link->SetFieldName(field); }
    void SetReadOnly(bool readOnly) { m_link->ReadOnly = readOnly; }

protected:
    void nextCheckState() override;

private:
    void Init();
    void LoadFromField();
    bool m_loading = false;
};

class TDBText : public QLabel, public TDBControlBinding {
    Q_OBJECT
public:
    explicit TDBText(QWidget* parent = nullptr);
    TDBText(DataSource* source, const QString& field, QWidget* parent = nullptr);

    void SetDataSource(DataSource* source) { m_link->SetDataSource(source); }
    void SetDataField(const QString& field) { m_link->SetFieldName(field); }

private:
    void Init();
};

class TDBLookupList : public QListWidget, public TDBControlBinding {
    Q_OBJECT
public:
    explicit TDBLookupList(QWidget* parent = nullptr);

    // The row's field that a click writes.
    void SetDataSource(DataSource* source) { m_link->SetDataSource(source); }
    void SetDataField(const QString& field) { m_link->SetFieldName(field); }
    void SetReadOnly(bool readOnly) { m_link->ReadOnly = readOnly; }
    // The other table: its rows in their current order give the list; the list field is
    // shown, the key field (the list field when empty) is written and located.
    void SetListSource(DataSource* source);
    DataSource* ListSource() const { return m_listSource; }
    void SetListField(const QString& field);
    void SetKeyField(const QString& field);

    // The value of the highlighted item (empty when none).
    QString SelectedValue() const;
    // Does what a click on the item with that text does; false when no item has it.
    bool Choose(const QString& listText);

Q_SIGNALS:
    // A value was chosen and written into the row (emitted after the write).
    void picked(const QString& listText);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void Init();
    void LoadItems();
    void SyncWithField();
    void ChooseRow(int row);

    QPointer<DataSource> m_listSource;
    QString m_listField;
    QString m_keyField;
    QList<QMetaObject::Connection> m_listConnections;
    bool m_loading = false;
};
