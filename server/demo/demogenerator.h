#pragma once

#include <QRandomGenerator>
#include <QString>

class Storage;

// Fills an empty storage with the same invented distributor every time: stock with
// pictures, accounts, users bound to machine identities, sales representatives, order
// history with back orders, invoices, collections with card receipts, screens, banners,
// scrolling text, delivery modes and cargo. Needs a QGuiApplication (pictures, PDFs).
class DemoGenerator
{
public:
    struct Options
    {
        int stockItems = 20000;
        bool small = false;  // a handful of accounts and documents, for tests
        quint32 seed = 20240611;
    };

    // The identities the demo users are bound to.
    static QString dealerMachine() { return QStringLiteral("DEMO-BAYI-PC"); }
    static QString repMachine() { return QStringLiteral("DEMO-TEMSILCI1-PC"); }
    static QString rep2Machine() { return QStringLiteral("DEMO-TEMSILCI2-PC"); }

    DemoGenerator(Storage &storage, Options options);
    void run();

private:
    void content();
    void people();
    void stock();
    void history();

    Storage &m_storage;
    Options m_options;
    QRandomGenerator m_random;
    int m_accounts = 0;
    int m_stockCount = 0;
};
