#pragma once

#include <QString>
#include <QStringList>

// A small INI file in UTF-8 whose keys are written as they are (QSettings escapes non-ASCII
// keys such as "hatırla", which other readers of the file would not find). Changes are kept
// in memory until UpdateFile, which replaces the file atomically.
class IniFile
{
public:
    explicit IniFile(const QString &path);

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteBool(const QString &section, const QString &key, bool value);
    // Throws std::runtime_error when the file cannot be written.
    void UpdateFile();

private:
    int findSection(const QString &section) const;
    int findKey(int sectionLine, const QString &key) const;

    QString m_path;
    QStringList m_lines;
};
