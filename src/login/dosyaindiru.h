#pragma once

#include <QDialog>

class QLabel;
class QNetworkAccessManager;
class QProgressBar;
class QWidget;
class ServerConnection;

// Downloads the setup of the version the server asks for, starts it silently and ends the
// program. Opened by the login when the server names another version.
class Tdosyaindir final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tdosyaindir)

public:
    // `_y` is the version the server named.
    Tdosyaindir(QWidget *AOwner, int _y);
    ~Tdosyaindir() override;

    ServerConnection *bag = nullptr;  // the login's connection; not used here

    void FormActivate();
    void NetHTTPClient1ReceiveData(qint64 AContentLength, qint64 AReadCount);
    void NetHTTPClient1RequestError(const QString &AError);

    QString url() const { return m_url; }
    static QString localSetupPath();

protected:
    bool event(QEvent *e) override;

private:
    void StartDownload();
    void RunSetup(const QString &path);

    QLabel *sLabel1;
    QWidget *Panel1;
    QLabel *bilgi;
    QProgressBar *ProgressBar1;
    QNetworkAccessManager *m_http;
    QString m_url;
    bool basladi = false;
};
