#include "toolkit/vtxDBNavigator.h"

#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowHabits.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {

const char* const kNames[10] = {"First",  "Prior", "Next", "Last",   "Insert",
                                "Delete", "Edit",  "Post", "Cancel", "Refresh"};
const char* const kGlyphs[10] = {"|\u25C0", "\u25C0", "\u25B6", "\u25B6|", "+",
                                 "\u2212",  "\u25B2", "\u2714", "\u2716",  "\u21BB"};
const char* const kHints[10] = {"First record",  "Prior record",  "Next record", "Last record",
                                "Insert record", "Delete record", "Edit record", "Post edit",
                                "Cancel edit",   "Refresh data"};

// Connects the three notifications of a source to one update.
QList<QMetaObject::Connection> Watch(DataSource* source, QObject* receiver,
                                     const std::function<void()>& update) {
    QList<QMetaObject::Connection> c;
    if (!source)
        return c;
    c << QObject::connect(source, &DataSource::dataChanged, receiver, [update] { update(); });
    c << QObject::connect(source, &DataSource::stateChanged, receiver, update);
    c << QObject::connect(source, &DataSource::rowsChanged, receiver, update);
    c << QObject::connect(source, &QObject::destroyed, receiver, update);
    return c;
}

void Unwatch(QList<QMetaObject::Connection>& connections) {
    for (const QMetaObject::Connection& c : connections)
        QObject::disconnect(c);
    connections.clear();
}

} // namespace

// ---- TDBNavigator ------------------------------------------------------------------------

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 10; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(kNames[i]);
        b->setText(QString::fromUtf8(kGlyphs[i]));
        b->setAccessibleName(kNames[i]);
        b->setMinimumSize(25, 25);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        m_hints << kHints[i];
        layout->addWidget(b);
        m_buttons[i] = b;
        const TNavButton which = TNavButton(i);
        connect(b, &QToolButton::clicked, this, [this, which] { DoAction(which); });
    }
    SetShowHint(true);
    UpdateButtons();
}

TDBNavigator::TDBNavigator(DataSource* source, QWidget* parent) : TDBNavigator(parent) {
    SetDataSource(source);
}

void TDBNavigator::SetDataSource(DataSource* source) {
    Unwatch(m_connections);
    m_source = source;
    m_connections = Watch(source, this, [this] { UpdateButtons(); });
    UpdateButtons();
}

DataSet* TDBNavigator::GetDataSet() const {
    return m_source ? m_source->GetDataSet() : nullptr;
}

QList<TNavButton> TDBNavigator::AllButtons() {
    QList<TNavButton> all;
    for (int i = 0; i < 10; ++i)
        all << TNavButton(i);
    return all;
}

void TDBNavigator::SetVisibleButtons(const QList<TNavButton>& buttons) {
    for (int i = 0; i < 10; ++i)
        m_buttons[i]->setVisible(buttons.contains(TNavButton(i)));
}

QList<TNavButton> TDBNavigator::VisibleButtons() const {
    QList<TNavButton> shown;
    for (int i = 0; i < 10; ++i)
        if (!m_buttons[i]->isHidden())
            shown << TNavButton(i);
    return shown;
}

void TDBNavigator::SetHints(const QStringList& hints) {
    for (int i = 0; i < 10 && i < hints.size(); ++i)
        m_hints[i] = hints[i];
    SetShowHint(m_showHint);
}

QString TDBNavigator::Hint(TNavButton button) const {
    return m_hints[int(button)];
}

void TDBNavigator::SetShowHint(bool show) {
    m_showHint = show;
    for (int i = 0; i < 10; ++i)
        m_buttons[i]->setToolTip(show ? m_hints[i] : QString());
}

void TDBNavigator::UpdateButtons() {
    DataSet* ds = GetDataSet();
    const bool active = ds && ds->Active();
    const bool editing = IsEditing(ds);
    const bool canModify = active && ds->CanModify();
    const int row = active ? ds->DisplayCurrentRow() : -1;
    const int rows = active ? ds->DisplayRowCount() : 0;
    const bool up = active && row > 0;
    const bool down = active && row >= 0 && row < rows - 1;
    auto set = [this](TNavButton b, bool on) { m_buttons[int(b)]->setEnabled(on); };
    set(TNavButton::First, up);
    set(TNavButton::Prior, up);
    set(TNavButton::Next, down);
    set(TNavButton::Last, down);
    set(TNavButton::Insert, canModify);
    set(TNavButton::Delete, canModify && rows > 0);
    set(TNavButton::Edit, canModify && !editing);
    set(TNavButton::Post, canModify && editing);
    set(TNavButton::Cancel, canModify && editing);
    set(TNavButton::Refresh, active);
}

bool TDBNavigator::DoAction(TNavButton button) {
    DataSet* ds = GetDataSet();
    if (!ds)
        return false;
    const bool done = RunAction([&] {
        if (BeforeAction)
            BeforeAction(button);
        switch (button) {
        case TNavButton::First:
            ds->First();
            break;
        case TNavButton::Prior:
            ds->Prior();
            break;
        case TNavButton::Next:
            ds->Next();
            break;
        case TNavButton::Last:
            ds->Last();
            break;
        case TNavButton::Insert:
            ds->Insert();
            break;
        case TNavButton::Delete:
            if (ConfirmDelete && Dialogs::Message("Delete record?", Dialogs::Icon::Question,
                                                  Dialogs::Ok | Dialogs::Cancel) != Dialogs::Ok)
                throw EAbort();
            ds->Delete();
            break;
        case TNavButton::Edit:
            ds->Edit();
            break;
        case TNavButton::Post:
            ds->Post();
            break;
        case TNavButton::Cancel:
            ds->Cancel();
            break;
        case TNavButton::Refresh:
            ds->Refresh();
            break;
        }
    });
    UpdateButtons();
    if (done)
        Q_EMIT clicked(button);
    return done;
}

// ---- TDBStateLabel ---------------------------------------------------------------------------

TDBStateLabel::TDBStateLabel(QWidget* parent) : QLabel(parent) {
    Update();
}

TDBStateLabel::TDBStateLabel(DataSource* source, QWidget* parent) : QLabel(parent) {
    SetDataSource(source);
}

void TDBStateLabel::SetDataSource(DataSource* source) {
    Unwatch(m_connections);
    m_source = source;
    m_connections = Watch(source, this, [this] { Update(); });
    Update();
}

void TDBStateLabel::SetDataSetName(const QString& name) {
    m_name = name;
    Update();
}

void TDBStateLabel::SetShowName(bool show) {
    m_showName = show;
    Update();
}

QString TDBStateLabel::StateText(const DataSet* dataSet) {
    if (!dataSet)
        return "Inactive";
    switch (dataSet->State()) {
    case DataSetState::Inactive:
        return "Inactive";
    case DataSetState::Browse:
        return "Browse";
    case DataSetState::Edit:
        return "Edit";
    case DataSetState::Insert:
        return "Insert";
    case DataSetState::CalcFields:
        return "Calculate";
    }
    return {};
}

void TDBStateLabel::Update() {
    const DataSet* ds = m_source ? m_source->GetDataSet() : nullptr;
    const QString state = StateText(ds);
    const QString name = !m_name.isEmpty() ? m_name : (ds ? ds->Name : QString());
    setText(m_showName && !name.isEmpty() ? name + ": " + state : state);
}

// ---- TDBRecordPosition -------------------------------------------------------------------------

TDBRecordPosition::TDBRecordPosition(QWidget* parent) : QLabel(parent) {
    Update();
}

TDBRecordPosition::TDBRecordPosition(DataSource* source, QWidget* parent) : QLabel(parent) {
    SetDataSource(source);
}

void TDBRecordPosition::SetDataSource(DataSource* source) {
    Unwatch(m_connections);
    m_source = source;
    m_connections = Watch(source, this, [this] { Update(); });
    Update();
}

void TDBRecordPosition::SetFormat(const QString& format) {
    m_format = format;
    Update();
}

void TDBRecordPosition::Update() {
    const DataSet* ds = m_source ? m_source->GetDataSet() : nullptr;
    const bool active = ds && ds->Active();
    const int position = active ? ds->RecNo() : 0;
    const int count = active ? ds->RecordCount() : 0;
    setText(QString::asprintf(m_format.toUtf8().constData(), position, count));
}
