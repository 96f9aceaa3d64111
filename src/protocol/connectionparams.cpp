#include "connectionparams.h"

QString ConnectionParams::Value(const QString &name) const
{
    for (const auto &v : m_values) {
        if (v.first.compare(name, Qt::CaseInsensitive) == 0)
            return v.second;
    }
    return {};
}

void ConnectionParams::SetValue(const QString &name, const QString &value)
{
    for (auto &v : m_values) {
        if (v.first.compare(name, Qt::CaseInsensitive) == 0) {
            v.second = value;
            return;
        }
    }
    m_values.append({ name, value });
}

QStringList ConnectionParams::Names() const
{
    QStringList names;
    for (const auto &v : m_values)
        names << v.first;
    return names;
}
