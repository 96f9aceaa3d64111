#include "utils.h"

#include "dataset.h"
#include "numberformat.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QtEndian>

// ---- Formats and rounding

void SetFloatDisplayFormats(Dataset &dataset)
{
    for (int i = 0; i < dataset.FieldCount(); ++i) {
        Field &f = dataset.Fields(i);
        if (f.DataType() == FieldType::Float)
            f.SetDisplayFormat(kAmountFormat);
    }
}

double Round2(double amount)
{
    // Rounded by way of the displayed text, so sums agree with what the user sees.
    const QLocale locale;
    QString text = FormatFloat(QStringLiteral("#,###,##.00"), amount, locale);
    text.remove(locale.groupSeparator());
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    return ok ? value : 0.0;
}

// ---- Dataset tests

bool DataSetHasRows(const Dataset &dataset)
{
    return dataset.Active() && dataset.RecordCount() > 0;
}

bool LocateSelectedRow(Dataset &dataset)
{
    if (!DataSetHasRows(dataset))
        return false;
    dataset.First();
    while (!dataset.Eof()) {
        if (dataset.FieldByName(QStringLiteral("SEC")).AsInteger() == 1)
            break;
        dataset.Next();
    }
    return true;
}

// ---- Folders

QString GetDocumentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString GetSettingsFolder()
{
    // The roaming configuration folder of the user; relative when the system has none.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString path = base.isEmpty() ? QStringLiteral("telvinotomotiv")
                                        : base + QStringLiteral("/telvinotomotiv");
    QDir().mkpath(path);
    return path;
}

// ---- Web

namespace {

QString percentEncode(const QString &part, const QByteArray &keep)
{
    static const QByteArray unsafe("*#%<> []\"\\^`{|}");
    QString out;
    const QByteArray utf8 = part.toUtf8();
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c > 0x20 && c < 0x7F && (!unsafe.contains(char(c)) || keep.contains(char(c))))
            out += QLatin1Char(char(c));
        else
            out += QStringLiteral("%%1").arg(c, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

}  // namespace

QString UrlEncode(const QString &url)
{
    // Scheme and authority stay; path and query are encoded piecewise so that the separators
    // ("/", "?", "&", "=") keep their meaning.
    QString rest = url;
    QString head;
    const int schemeEnd = rest.indexOf(QStringLiteral("://"));
    if (schemeEnd >= 0) {
        const int pathStart = rest.indexOf(u'/', schemeEnd + 3);
        const int queryStart = rest.indexOf(u'?', schemeEnd + 3);
        int cut = pathStart;
        if (cut < 0 || (queryStart >= 0 && queryStart < cut))
            cut = queryStart;
        if (cut < 0)
            cut = rest.size();
        head = rest.left(cut);
        rest = rest.mid(cut);
    }
    QString fragment;
    const int hash = rest.indexOf(u'#');
    if (hash >= 0) {
        fragment = rest.mid(hash);
        rest.truncate(hash);
    }
    const int q = rest.indexOf(u'?');
    const QString path = q >= 0 ? rest.left(q) : rest;
    QString out = head + percentEncode(path, QByteArray());
    if (q >= 0)
        out += u'?' + percentEncode(rest.mid(q + 1), QByteArray("?"));
    return out + fragment;
}

QString FindChromePath()
{
    const QStringList candidates = {
        QStringLiteral("C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe"),
        QStringLiteral("C:\\Program Files (x86)\\Google\\Application\\chrome.exe"),
        QStringLiteral("C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe"),
        QStringLiteral("C:\\Program Files\\Google\\Chrome\\chrome.exe"),
        QStringLiteral("C:\\Users\\") + GetWindowsUserName()
            + QStringLiteral("\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe"),
    };
    for (const QString &path : candidates)
        if (machineSources().fileExists(path))
            return path;
    return QString();
}

int GetInternetExplorerVersion()
{
    QString path = QStringLiteral("C:\\Program Files (x86)\\Internet Explorer\\IEXPLORE.EXE");
    if (!machineSources().fileExists(path)) {
        path = QStringLiteral("C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
        if (!machineSources().fileExists(path))
            return 0;
    }
    // The fixed file-version block starts with its signature; the major version is the upper
    // half of the most significant version word.
    const QByteArray image = machineSources().readFile(path);
    static const char signature[] = {'\xBD', '\x04', '\xEF', '\xFE'};
    const int at = image.indexOf(QByteArray(signature, 4));
    if (at < 0 || at + 12 > image.size())
        return 0;
    const quint32 versionMs = qFromLittleEndian<quint32>(image.constData() + at + 8);
    return int(versionMs >> 16);
}
