#pragma once

#include <QString>

// The client's fixed endpoints. Built in at compile time; tests and the demo replace them
// through this object before the main window is created.
struct ClientConfig
{
    QString serverHost;   // application server host
    QString serverPort;   // application server port ("9090")
    QString webAddress;   // the distributor's web site, without the trailing "/"
    QString downloadHost; // host[:port] serving "/exe/TelvinSetup.exe"
    QString paymentPage;  // card payment page address
    QString contactBlock; // the distributor's contact lines on the login window

    QString webRoot() const { return webAddress + QLatin1Char('/'); }
    QString setupUrl() const
    {
        return QStringLiteral("http://") + downloadHost + QStringLiteral("/exe/TelvinSetup.exe");
    }
};

ClientConfig &clientConfig();
