#pragma once
// The table navigator and the two indicators that sit beside it.
//
//   TDBNavigator       buttons for the ten operations on a data source's data set: first,
//                      prior, next, last, insert, delete, edit, post, cancel, refresh. Any
//                      subset is shown; each button is enabled only when its operation
//                      makes sense; Delete asks "Delete record?" (OK/Cancel) through the
//                      dialogs facade; refusals are shown in the facade's error box.
//   TDBStateLabel      the data set's name and state: "RosterT: Browse" ("Edit", "Insert")
//   TDBRecordPosition  the cursor's position and the record count: "%d:%d"
//
// Example:
//   auto* nav = new TDBNavigator(DataMod->RosterS, this);
//   nav->SetVisibleButtons({TNavButton::Insert, TNavButton::Delete, TNavButton::Edit,
//                           TNavButton::Post, TNavButton::Cancel, TNavButton::Refresh});
//   connect(nav, &TDBNavigator::clicked, this, [this] { SearchBox->clear(); });
//   nav->BeforeAction = [this](TNavButton b) {
//       if (b == TNavButton::Post) WritePledgeAmount();
//   };

#include "engine/DataSource.h"
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

class DataSet;
class QToolButton;

enum class TNavButton { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };

class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TDBNavigator(QWidget* parent = nullptr);
    explicit TDBNavigator(DataSource* source, QWidget* parent = nullptr);

    void SetDataSource(DataSource* source);
    DataSource* GetDataSource() const { return m_source; }

    static QList<TNavButton> AllButtons();
    // Shows these buttons (in the fixed order), hides the others.
    void SetVisibleButtons(const QList<TNavButton>& buttons);
    QList<TNavButton> VisibleButtons() const;
    QToolButton* Button(TNavButton button) const { return m_buttons[int(button)]; }

    // Hints of the ten buttons in order; the defaults are "First record", "Prior record",
    // "Next record", "Last record", "Insert record", "Delete record", "Edit record",
    // "Post edit", "Cancel edit", "Refresh data".
    void SetHints(const QStringList& hints);
    QString Hint(TNavButton button) const;
    void SetShowHint(bool show);

    bool ConfirmDelete = true;
    // Runs before an operation; it may raise EAbort (or another error) to stop it.
    std::function<void(TNavButton)> BeforeAction;

    // Performs the operation of a button as a click does (whether or not it is shown or
    // enabled). True when it was carried out.
    bool DoAction(TNavButton button);
    // Enables the buttons by the data set's state and position (done on every change).
    void UpdateButtons();

Q_SIGNALS:
    // After an operation was carried out.
    void clicked(TNavButton button);

private:
    DataSet* GetDataSet() const;

    QPointer<DataSource> m_source;
    QToolButton* m_buttons[10];
    QStringList m_hints;
    bool m_showHint = true;
    QList<QMetaObject::Connection> m_connections;
};

class TDBStateLabel : public QLabel {
    Q_OBJECT
public:
    explicit TDBStateLabel(QWidget* parent = nullptr);
    explicit TDBStateLabel(DataSource* source, QWidget* parent = nullptr);

    void SetDataSource(DataSource* source);
    // The name shown before the state; empty means the data set's own name ("RosterT").
    void SetDataSetName(const QString& name);
    // Off: only the state is shown.
    void SetShowName(bool show);

    static QString StateText(const DataSet* dataSet); // "Browse", "Edit", "Insert", ...

private:
    void Update();
    QPointer<DataSource> m_source;
    QString m_name;
    bool m_showName = true;
    QList<QMetaObject::Connection> m_connections;
};

class TDBRecordPosition : public QLabel {
    Q_OBJECT
public:
    explicit TDBRecordPosition(QWidget* parent = nullptr);
    explicit TDBRecordPosition(DataSource* source, QWidget* parent = nullptr);

    void SetDataSource(DataSource* source);
    // Printf-style format with the position and the count, "%d:%d" by default.
    void SetFormat(const QString& format);

private:
    void Update();
    QPointer<DataSource> m_source;
    QString m_format = "%d:%d";
    QList<QMetaObject::Connection> m_connections;
};
