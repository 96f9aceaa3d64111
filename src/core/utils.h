#pragma once

// Shared routines of the client: machine identity, amount formats and rounding, dataset tests,
// folders, URL encoding and browser probes. No widgets here; the message dialog lives in ui/.

#include <QHostAddress>
#include <QList>
#include <QString>

#include <functional>

class Dataset;

// ---- Machine identity

// One network adapter as the address walk sees it: a failed status request has ok == false.
struct AdapterStatus
{
    bool ok = false;
    QByteArray address;  // hardware address bytes; the first six are used
};

// Where the identity routines and probes read the machine. Tests replace members to feed
// serials with blanks, missing serials, all-zero adapters or a fake file system.
struct MachineSources
{
    std::function<QString()> computerName;
    std::function<QString()> userName;
    std::function<QList<QHostAddress>()> hostAddresses;  // addresses of the local host name
    std::function<QList<AdapterStatus>()> adapters;
    std::function<QString()> diskSerial;                 // raw serial of the system disk
    std::function<bool(const QString &path)> fileExists;
    std::function<QByteArray(const QString &path)> readFile;
};

MachineSources &machineSources();
void resetMachineSources();

QString GetLocalComputerName();
QString GetWindowsUserName();
QString GetLocalIp();
QString GetMacAddress();
QString GetDiskSerial();
QString GetComputerId();

// ---- Formats and rounding

// Gives every plain Float field the amount format; other kinds keep theirs.
void SetFloatDisplayFormats(Dataset &dataset);
double Round2(double amount);

// ---- Dataset tests

bool DataSetHasRows(const Dataset &dataset);
bool LocateSelectedRow(Dataset &dataset);

// ---- Folders

QString GetDocumentsFolder();
QString GetSettingsFolder();

// ---- Web

QString UrlEncode(const QString &url);
QString FindChromePath();
int GetInternetExplorerVersion();
