#include "inifile.h"

#include <QFile>
#include <QSaveFile>

#include <stdexcept>

IniFile::IniFile(const QString &path) : m_path(path)
{
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) {
        QString text = QString::fromUtf8(f.readAll());
        text.remove(u'\r');
        m_lines = text.split(u'\n');
        while (!m_lines.isEmpty() && m_lines.last().trimmed().isEmpty())
            m_lines.removeLast();
    }
}

int IniFile::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString t = m_lines[i].trimmed();
        if (t.startsWith(u'[') && t.endsWith(u']')
            && t.mid(1, t.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString &key) const
{
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        const QString t = m_lines[i].trimmed();
        if (t.startsWith(u'['))
            break;
        const int eq = t.indexOf(u'=');
        if (eq > 0 && t.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const int s = findSection(section);
    const int k = s < 0 ? -1 : findKey(s, key);
    if (k < 0)
        return def;
    const QString &line = m_lines[k];
    return line.mid(line.indexOf(u'=') + 1);
}

bool IniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    const QString v = ReadString(section, key, QString()).trimmed();
    if (v.isEmpty())
        return def;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n != 0 : def;
}

void IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    // Line breaks would split the entry; they cannot be stored in a value.
    QString clean = value;
    clean.replace(u'\r', u' ').replace(u'\n', u' ');
    int s = findSection(section);
    if (s < 0) {
        m_lines << QStringLiteral("[%1]").arg(section);
        s = int(m_lines.size()) - 1;
    }
    const int k = findKey(s, key);
    const QString line = key + u'=' + clean;
    if (k >= 0) {
        m_lines[k] = line;
        return;
    }
    int end = s + 1;
    while (end < m_lines.size() && !m_lines[end].trimmed().startsWith(u'['))
        ++end;
    while (end > s + 1 && m_lines[end - 1].trimmed().isEmpty())
        --end;
    m_lines.insert(end, line);
}

void IniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::UpdateFile()
{
    QSaveFile f(m_path);
    const QByteArray data = (m_lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit())
        throw std::runtime_error(
            QStringLiteral("%1 yazılamadı: %2").arg(m_path, f.errorString()).toStdString());
}
