#pragma once
// A stored query: SQL text with named parameters, run on the file of the table
// it names; its result rows are read only. Aggregate columns are named as the
// engine names them: the function in words, " OF ", the column, cut to 25
// characters ("SUM OF AMOUNT", "AVERAGE OF NumberInServic").

#include "engine/DataSet.h"

#include <QMap>
#include <memory>

class SqliteConnection;

struct QueryParam {
    QString name;
    QVariant value; // invalid: unset, bound as null
    void SetAsInteger(int v) { value = qint64(v); }
    void SetAsBoolean(bool v) { value = v; }
    void SetAsString(const QString& v) { value = v; }
    void SetAsFloat(double v) { value = v; }
    void SetAsDate(const QDate& v) { value = v; }
    void Clear() { value = QVariant(); }
};

class Query : public DataSet {
public:
    explicit Query(const QString& name = {});
    ~Query() override;

    QString DatabaseName;
    // The query text, line by line; setting it closes the query.
    QStringList SQL() const { return m_sql; }
    void SetSQL(const QStringList& lines);
    // Field definitions of the table the query reads, so that its columns take
    // the table's types; columns of unknown tables are typed by their values.
    void SetSourceDef(const TableDef* def) { m_sourceDef = def; }

    void Prepare(); // reads the parameter names from the text
    bool Prepared() const { return m_prepared; }
    QueryParam* ParamByName(const QString& name); // raises for an unknown name
    QStringList ParamNames() const;
    QString SourceTableName() const; // the table after FROM

    // The result field name of an aggregate expression: "SUM OF AMOUNT".
    static QString AggregateName(const QString& function, const QString& column);

protected:
    void DoOpen() override;
    void DoClose() override;
    QVector<qint64> LoadRowIds() override;
    bool ReadRow(qint64 rowId, QVector<QVariant>& values) override;

private:
    QStringList m_sql;
    const TableDef* m_sourceDef = nullptr;
    bool m_prepared = false;
    QMap<QString, QueryParam> m_params; // by lower-case name
    QList<QVector<QVariant>> m_result;
};
