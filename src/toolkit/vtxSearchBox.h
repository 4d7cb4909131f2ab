#pragma once
// The incremental search box: finds a row by the leading text of one field as the user
// types, and moves the data set's cursor there.
//
// - When the box receives the focus it is emptied.
// - After each change of its text while it has the focus, the cursor moves to the first
//   row whose field begins with the typed text, letter case ignored and accents as the
//   program's comparison of text sets them aside (Collation.h); the rows are taken
//   in the order of the box's index when one is set (the data set's own order is not
//   changed) or else in the data set's current order, and only rows of the data set's
//   current view (filter, link) are found. When a row is found, the box shows that row's
//   whole value with the caret after the typed part and the untyped remainder selected;
//   when none is found, the cursor and the text stay as they are.
// - Backspace widens the selection one character to the left before deleting, so that it
//   removes the last typed character together with the completed remainder.
// - While the box does not have the focus it shows the current row's value, selected;
//   when it loses the focus it shows the current row's value.
//
// Example:
//   auto* search = new TDBSearchBox(DataMod->RosterS, "LName", this);
//   search->SetIndexName("RLN");

#include "engine/DataSource.h"
#include <QLineEdit>
#include <QPointer>

class DataSet;

class TDBSearchBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBSearchBox(QWidget* parent = nullptr);
    TDBSearchBox(DataSource* source, const QString& field, QWidget* parent = nullptr);

    void SetDataSource(DataSource* source);
    DataSource* GetDataSource() const { return m_source; }
    void SetDataField(const QString& field);
    const QString& DataField() const { return m_field; }
    // The index whose order decides which row is "first"; empty: the data set's order.
    void SetIndexName(const QString& indexName) { m_indexName = indexName; }
    const QString& IndexName() const { return m_indexName; }

    // Moves the cursor to the first row whose field begins with the text; false (the
    // cursor kept) when there is none. Refusals (a pending row that cannot be posted)
    // are shown through the dialogs facade.
    bool Find(const QString& prefix);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    DataSet* GetDataSet() const;
    QString CurrentValue() const;
    void ShowCurrent();
    void Search();

    QPointer<DataSource> m_source;
    QString m_field;
    QString m_indexName;
    bool m_searching = false;
    QList<QMetaObject::Connection> m_connections;
};
