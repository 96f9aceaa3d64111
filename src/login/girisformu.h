#pragma once

#include <QDialog>

class BusyIndicator;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class ServerConnection;
class TSonucBilgisi;

// The login dialog: finds the user by this machine's identity on the server, checks version,
// registration, name and password, the active flag and the role, and remembers the name and
// password in ayar.ini. Closes with Accepted after a successful login; the program ends from
// inside it on "Vazgeç", an update, an unregistered machine or a cancelled account choice.
class Tgirisform final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tgirisform)

public:
    explicit Tgirisform(QWidget *owner = nullptr);
    ~Tgirisform() override;

    ServerConnection *bagim = nullptr;  // the main window's connection
    TSonucBilgisi *Bilgim = nullptr;    // the main window's live session record

    void Button1Click();
    void Button2Click();
    static QString settingsPath();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void adiKeyDown(QKeyEvent *key);
    void sifreKeyDown(QKeyEvent *key);
    void Devamet(const QString &address);
    void Finish(bool outcome);
    void Fail(const QString &message, int type);
    void LoadSettings();
    void SaveSettings();
    bool FetchSessionRecord();
    bool SelectCustomerAccount();
    void StartUpdate();
    void OpenRequestForm(const QString &webRoot);
    static QString GetExternalAddress();

    QLabel *Image1;
    QLabel *RxLabel1;
    QCheckBox *benihatirla;
    QLabel *Label1;
    QLineEdit *adi;
    QLabel *Label2;
    QLineEdit *sifre;
    QPushButton *Button1;
    BusyIndicator *RxGIFAnimator1;
    QPushButton *Button2;
    QString idsi;
};
