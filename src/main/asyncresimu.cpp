#include "asyncresimu.h"

#include "animatedpicture.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QVBoxLayout>

TAsyncResim::TAsyncResim(QWidget *owner)
    : QWidget(owner), m_picture(new AnimatedPicture(this)), m_http(new QNetworkAccessManager(this))
{
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setStretch(false);  // scaled to fit without distortion
    m_picture->setProportional(true);
    m_picture->setCenter(true);
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
}

TAsyncResim::~TAsyncResim()
{
    // Abort the transfer; an answer already on its way is dropped with the reply.
    abandonRequest();
}

void TAsyncResim::setUrl(const QString &url)
{
    if (url == m_url)
        return;
    m_url = url;
    BeginLoad();
}

bool TAsyncResim::hasPicture() const
{
    return !m_picture->isEmpty();
}

QImage TAsyncResim::picture() const
{
    return m_picture->currentImage();
}

void TAsyncResim::abandonRequest()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void TAsyncResim::BeginLoad()
{
    // A slower answer for an earlier address must not replace the picture of this one.
    abandonRequest();
    if (m_url.isEmpty())
        return;
    QNetworkReply *reply = m_http->get(QNetworkRequest(QUrl(m_url)));
    m_reply = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Geldi(reply); });
}

void TAsyncResim::Geldi(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    bool shown = false;
    // An error page is no picture, whatever type it claims.
    if (reply->error() == QNetworkReply::NoError) {
        const QByteArray content = reply->readAll();
        if (!content.isEmpty())
            shown = LoadFromContent(reply->rawHeader("Content-Type"), content);
    }
    if (shown) {
        update();
        emit pictureChanged();
    }
    emit loadFinished(shown);
}

bool TAsyncResim::LoadFromContent(const QByteArray &contentType, const QByteArray &content)
{
    // The web server names the kind after "image/"; a parameter after it is not accepted.
    const QByteArray kind = contentType.mid(6).toLower();
    const char *format = nullptr;
    if (kind == "jpeg" || kind == "jpg")
        format = "JPEG";
    else if (kind == "bmp")
        format = "BMP";
    else if (kind == "png")
        format = "PNG";
    else
        return false;
    QImage probe;
    if (!probe.loadFromData(content, format))
        return false;
    return m_picture->setData(content);
}
