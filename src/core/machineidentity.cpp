// Identity routines of utils.h and the default, Linux-backed sources they read.
#include "utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QSysInfo>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Both names are read into a buffer of 16 characters: a name that does not fit with its
// terminator is not read at all.
constexpr int kNameBuffer = 16;

QString fitName(const QString &name)
{
    return name.size() >= kNameBuffer ? QString() : name;
}

QString readTrimmed(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll()).trimmed();
}

// The disk that holds the root file system stands for the first physical drive.
QString systemDiskSerial()
{
    struct stat st {};
    if (::stat("/", &st) != 0)
        return QString();
    const QString devLink = QStringLiteral("/sys/dev/block/%1:%2")
                                .arg(major(st.st_dev)).arg(minor(st.st_dev));
    QString sysPath = QFileInfo(devLink).canonicalFilePath();
    if (sysPath.isEmpty())
        return QString();
    if (QFileInfo::exists(sysPath + QStringLiteral("/partition")))
        sysPath = QFileInfo(sysPath).path();
    const QString devNumbers = readTrimmed(sysPath + QStringLiteral("/dev"));
    if (!devNumbers.isEmpty()) {
        QFile udev(QStringLiteral("/run/udev/data/b") + devNumbers);
        if (udev.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : udev.readAll().split('\n')) {
                if (line.startsWith("E:ID_SERIAL_SHORT="))
                    return QString::fromUtf8(line.mid(18));
            }
        }
    }
    for (const char *leaf : {"/device/serial", "/serial", "/device/vpd_pg80"}) {
        const QString serial = readTrimmed(sysPath + QLatin1String(leaf));
        if (!serial.isEmpty())
            return serial;
    }
    return QString();
}

QList<AdapterStatus> systemAdapters()
{
    QList<AdapterStatus> list;
    for (const QNetworkInterface &iface : QNetworkInterface::allInterfaces()) {
        const QString text = iface.hardwareAddress();
        AdapterStatus status;
        const QStringList parts = text.split(u':');
        if (parts.size() >= 6) {
            status.ok = true;
            for (const QString &p : parts)
                status.address.append(char(p.toUInt(nullptr, 16)));
        }
        list << status;
    }
    return list;
}

QString systemUserName()
{
    if (const passwd *pw = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString();
}

MachineSources defaultSources()
{
    MachineSources s;
    s.computerName = [] { return QSysInfo::machineHostName(); };
    s.userName = systemUserName;
    s.hostAddresses = [] { return QHostInfo::fromName(QHostInfo::localHostName()).addresses(); };
    s.adapters = systemAdapters;
    s.diskSerial = systemDiskSerial;
    s.fileExists = [](const QString &path) { return QFileInfo(path).isFile(); };
    s.readFile = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    return s;
}

}  // namespace

MachineSources &machineSources()
{
    static MachineSources sources = defaultSources();
    return sources;
}

void resetMachineSources()
{
    machineSources() = defaultSources();
}

QString GetLocalComputerName()
{
    return fitName(machineSources().computerName());
}

QString GetWindowsUserName()
{
    return fitName(machineSources().userName());
}

QString GetLocalIp()
{
    for (const QHostAddress &a : machineSources().hostAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a.toString();
    return QStringLiteral("127.0.0.1");
}

QString GetMacAddress()
{
    static const QString allZero = QStringLiteral("00-00-00-00-00-00");
    const QList<AdapterStatus> adapters = machineSources().adapters();
    QString result;
    for (const AdapterStatus &a : adapters) {
        result.clear();
        if (a.ok && a.address.size() >= 6) {
            QStringList pairs;
            for (int i = 0; i < 6; ++i)
                pairs << QStringLiteral("%1").arg(quint8(a.address[i]), 2, 16, QLatin1Char('0'));
            result = pairs.join(u'-').toUpper();
        }
        if (result != allZero)
            break;
    }
    return result;
}

QString GetDiskSerial()
{
    return machineSources().diskSerial().toUpper();
}

QString GetComputerId()
{
    QString id = GetDiskSerial().trimmed();
    if (id.isEmpty())
        id = GetMacAddress().trimmed();
    id.remove(QLatin1Char(' '));
    return id;
}
