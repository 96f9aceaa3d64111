#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <utility>

// Name=value settings of a connection, in insertion order; names match without case.
class ConnectionParams
{
public:
    QString Value(const QString &name) const; // empty when absent
    void SetValue(const QString &name, const QString &value);
    QStringList Names() const;

private:
    QVector<std::pair<QString, QString>> m_values;
};
