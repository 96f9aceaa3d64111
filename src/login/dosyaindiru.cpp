#include "dosyaindiru.h"

#include "config.h"
#include "dialogs.h"
#include "hooks.h"

#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressBar>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr int kClientVersion = 1;
constexpr int kTimeoutMs = 60000;

QFont tahoma(int pixels, bool bold)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

}  // namespace

Tdosyaindir::Tdosyaindir(QWidget *AOwner, int _y)
    : QDialog(AOwner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_http(new QNetworkAccessManager(this))
{
    setObjectName(QStringLiteral("dosyaindir"));
    setWindowTitle(QStringLiteral("Dosya İndir"));
    resize(543, 309);

    sLabel1 = new QLabel(this);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setAlignment(Qt::AlignCenter);
    sLabel1->setWordWrap(true);
    sLabel1->setFont(tahoma(27, false));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(58);
    bilgi = new QLabel(Panel1);
    bilgi->setObjectName(QStringLiteral("bilgi"));
    bilgi->setFont(tahoma(13, true));
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);
    auto *panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(bilgi);
    panelLayout->addWidget(ProgressBar1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sLabel1, 1);
    layout->addWidget(Panel1);

    sLabel1->setText(QStringLiteral("Telvin Otomotiv B2B Programının\r\nYeni versiyonu "
                                    "indirilecektir\r\nLütfen Bekleyiniz...!\r\nVersion: ")
                     + QString::number(_y) + u'-' + QString::number(kClientVersion));
    m_url = clientConfig().setupUrl();
    basladi = false;
}

Tdosyaindir::~Tdosyaindir() = default;

QString Tdosyaindir::localSetupPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(folder);
    return folder + QStringLiteral("/TelvinSetup.exe");
}

bool Tdosyaindir::event(QEvent *e)
{
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate) {
        // Let the window paint before the download blocks it.
        QTimer::singleShot(0, this, &Tdosyaindir::FormActivate);
    }
    return handled;
}

void Tdosyaindir::FormActivate()
{
    StartDownload();
}

void Tdosyaindir::StartDownload()
{
    if (basladi)
        return;
    basladi = true;

    const QString path = localSetupPath();
    if (QFile::exists(path))
        QFile::remove(path);

    QNetworkRequest request{QUrl(m_url)};
    request.setRawHeader("Accept",
                         "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,"
                         "image/apng,*/*;q=0.8");
    // Accept-Encoding "gzip, deflate" is what the network layer sends by itself, and it
    // then also unpacks the answer.
    request.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
    request.setRawHeader("User-Agent",
                         "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 "
                         "(KHTML, like Gecko) Chrome/60.0.3112.32 Safari/537.36");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(kTimeoutMs);

    QNetworkReply *reply = m_http->get(request);
    // Without a Content-Length the network layer reports the bytes so far as the total at
    // the end; only an announced length counts.
    connect(reply, &QNetworkReply::downloadProgress, this,
            [this, reply](qint64 received, qint64 total) {
                const bool announced = reply->header(QNetworkRequest::ContentLengthHeader).isValid();
                NetHTTPClient1ReceiveData(announced ? total : 0, received);
            });
    // The download holds this window until it ends; the progress keeps it painting.
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    const QByteArray body = reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    reply->deleteLater();
    if (error != QNetworkReply::NoError || status >= 400) {
        // An error page is never saved and started as the setup.
        NetHTTPClient1RequestError(status >= 400
                                       ? QStringLiteral("HTTP %1").arg(status) + u' ' + errorText
                                       : errorText);
        return;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.commit()) {
        Platform::reportError(QStringLiteral("Kurulum dosyası kaydedilemedi: ") + path + u'\n'
                              + file.errorString());
        return;
    }
    RunSetup(path);
}

void Tdosyaindir::RunSetup(const QString &path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner
                                    | QFileDevice::ExeUser);
    Platform::startProgram(path, {QStringLiteral("/silent")});
    Platform::exitProcess(0);
    reject();  // reached only when a test observes the exit
}

void Tdosyaindir::NetHTTPClient1ReceiveData(qint64 AContentLength, qint64 AReadCount)
{
    if (AContentLength <= 0)
        return;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const double percent = double(AReadCount) / double(AContentLength) * 100.0;
    const auto mb = [&](qint64 bytes) {
        return locale.toString(double(bytes) / 1024.0 / 1024.0, 'f', 2);
    };
    bilgi->setText(QStringLiteral("Bilgi: %") + locale.toString(percent, 'f', 2)
                   + QStringLiteral("  İndirilen: ") + mb(AReadCount) + u'/' + mb(AContentLength)
                   + QStringLiteral(" Mb"));
    // Beyond the bar's int range it counts in KiB.
    const qint64 scale = AContentLength > std::numeric_limits<int>::max() ? 1024 : 1;
    ProgressBar1->setMaximum(int(AContentLength / scale));
    ProgressBar1->setValue(int(AReadCount / scale));
}

void Tdosyaindir::NetHTTPClient1RequestError(const QString &AError)
{
    ShowErrorBox(QStringLiteral("Hata Oluştu !\r\nHata: ") + AError);
    Platform::exitProcess(0);
    reject();  // reached only when a test observes the exit
}
