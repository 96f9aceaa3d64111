#include "webendpoints.h"

#include "distributorservice.h"

#include <QFile>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QUrlQuery>

#include <exception>

namespace {

QString page(const QString &title, const QString &body)
{
    return QStringLiteral("<!DOCTYPE html><html lang=\"tr\"><head><meta charset=\"utf-8\">"
                          "<title>%1</title></head><body><h2>%1</h2>%2</body></html>")
        .arg(title.toHtmlEscaped(), body);
}

QHttpServerResponse html(const QString &text,
                         QHttpServerResponse::StatusCode code = QHttpServerResponse::StatusCode::Ok)
{
    return QHttpServerResponse("text/html; charset=utf-8", text.toUtf8(), code);
}

QUrlQuery formOf(const QHttpServerRequest &request)
{
    // Form bodies encode blanks as '+', which QUrlQuery leaves alone.
    QByteArray body = request.body();
    body.replace('+', "%20");
    return QUrlQuery(QString::fromLatin1(body));
}

QString value(const QUrlQuery &q, const QString &key)
{
    return q.queryItemValue(key, QUrl::FullyDecoded);
}

}  // namespace

WebEndpoints::WebEndpoints(DistributorService &service, QString setupFile)
    : m_service(service), m_setupFile(std::move(setupFile)),
      m_server(std::make_unique<QHttpServer>())
{
    m_server->route(QStringLiteral("/resimgoster.ashx"), [this](const QHttpServerRequest &req) {
        bool ok = false;
        const int id = QUrlQuery(req.url()).queryItemValue(QStringLiteral("id")).toInt(&ok);
        const QByteArray jpeg = ok ? m_service.ResimVer5(id) : QByteArray();
        if (jpeg.isEmpty())
            return QHttpServerResponse("text/plain", "Resim bulunamadı",
                                       QHttpServerResponse::StatusCode::NotFound);
        return QHttpServerResponse("image/jpeg", jpeg);
    });

    m_server->route(QStringLiteral("/formmailgonder.aspx"), [this](const QHttpServerRequest &req) {
        const QUrlQuery query(req.url());
        const QString carino = value(query, QStringLiteral("carino"));
        const QString user = value(query, QStringLiteral("kullanici"));
        const QString id = value(query, QStringLiteral("id"));
        if (req.method() == QHttpServerRequest::Method::Post) {
            const QUrlQuery form = formOf(req);
            try {
                m_service.WebIstegiKaydet(carino.toInt(), user, id,
                                          value(form, QStringLiteral("adsoyad")),
                                          value(form, QStringLiteral("telefon")),
                                          value(form, QStringLiteral("mesaj")));
            } catch (const std::exception &e) {
                return html(page(QStringLiteral("İstek Formu"),
                                 QStringLiteral("<p>%1</p>")
                                     .arg(QString::fromUtf8(e.what()).toHtmlEscaped())),
                            QHttpServerResponse::StatusCode::BadRequest);
            }
            return html(page(QStringLiteral("İstek Formu"),
                             QStringLiteral("<p>İsteğiniz alındı. Teşekkür ederiz.</p>")));
        }
        const QString form = QStringLiteral(
            "<p>Bilgisayar: %1</p>"
            "<form method=\"post\" action=\"formmailgonder.aspx?%2\">"
            "<p>Ad Soyad: <input name=\"adsoyad\" required></p>"
            "<p>Telefon: <input name=\"telefon\" required></p>"
            "<p>Mesaj:<br><textarea name=\"mesaj\" rows=\"6\" cols=\"50\"></textarea></p>"
            "<p><input type=\"submit\" value=\"Gönder\"></p></form>")
            .arg(id.toHtmlEscaped(),
                 QString::fromUtf8(query.toString(QUrl::FullyEncoded).toUtf8())
                     .toHtmlEscaped());
        return html(page(QStringLiteral("İstek Formu"), form));
    });

    m_server->route(QStringLiteral("/exe/TelvinSetup.exe"), [this]() {
        QFile file(m_setupFile);
        if (m_setupFile.isEmpty() || !file.open(QIODevice::ReadOnly))
            return QHttpServerResponse("text/plain", "Kurulum dosyası yok",
                                       QHttpServerResponse::StatusCode::NotFound);
        return QHttpServerResponse("application/octet-stream", file.readAll());
    });

    m_server->route(QStringLiteral("/ordakart.html"), [](const QHttpServerRequest &req) {
        const QUrlQuery query(req.url());
        QString rows;
        for (const char *key : {"carino", "sube", "firmasi", "bakiye"})
            rows += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                        .arg(QString::fromLatin1(key),
                             value(query, QString::fromLatin1(key)).toHtmlEscaped());
        return html(page(QStringLiteral("Kredi Kartı ile Ödeme"),
                         QStringLiteral("<table>%1</table>").arg(rows)));
    });
}

WebEndpoints::~WebEndpoints() = default;

quint16 WebEndpoints::listen(const QHostAddress &address, quint16 port)
{
    return m_server->listen(address, port);
}
