#include "asyncresimu.h"
#include "cannedhttpserver.h"
#include "warnings.h"

#include <QBuffer>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

QByteArray encoded(const QColor &color, const char *format)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Qt reads GIF but cannot write it: a 1x1 picture.
const QByteArray kGif = QByteArray::fromHex(
    "474946383961010001008000000000ffffffff21f90401000000002c000000000100010000020244010"
    "03b");

// Accepts connections and never answers: a picture that is still on its way.
class SilentHttpServer : public QTcpServer
{
public:
    SilentHttpServer()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                m_sockets << socket;
                connect(socket, &QTcpSocket::readyRead, socket,
                        [this, socket] { received += socket->readAll(); });
            }
        });
    }
    QString url(const char *path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
    }
    bool allClosed() const
    {
        for (const QPointer<QTcpSocket> &socket : m_sockets) {
            if (socket && socket->state() == QAbstractSocket::ConnectedState)
                return false;
        }
        return true;
    }
    QByteArray received;

private:
    QList<QPointer<QTcpSocket>> m_sockets;
};

}  // namespace

class TestAsyncResim : public QObject
{
    Q_OBJECT

    static QString url(const CannedHttpServer &server, const char *path)
    {
        return QStringLiteral("http://") + server.baseAddress() + QLatin1String(path);
    }

private slots:
    void initTestCase() { QVERIFY(!QImage::fromData(kGif).isNull()); }
    void init() { failOnUnexpectedWarnings(); }

    void contentTypeRules_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("withLength");
        QTest::addColumn<bool>("shown");
        const QByteArray jpeg = encoded(Qt::red, "JPEG");
        const QByteArray png = encoded(Qt::red, "PNG");
        QTest::newRow("jpeg") << 200 << QByteArray("image/jpeg") << jpeg << true << true;
        QTest::newRow("jpg") << 200 << QByteArray("image/jpg") << jpeg << true << true;
        QTest::newRow("bmp") << 200 << QByteArray("image/bmp") << encoded(Qt::red, "BMP")
                             << true << true;
        QTest::newRow("png in capitals") << 200 << QByteArray("IMAGE/PNG") << png << true << true;
        QTest::newRow("png ended by closing the connection")
            << 200 << QByteArray("image/png") << png << false << true;
        QTest::newRow("gif") << 200 << QByteArray("image/gif") << kGif << true << false;
        QTest::newRow("jpeg with a parameter")
            << 200 << QByteArray("image/jpeg; charset=binary") << jpeg << true << false;
        QTest::newRow("png bytes announced as jpeg")
            << 200 << QByteArray("image/jpeg") << png << true << false;
        QTest::newRow("undecodable jpeg")
            << 200 << QByteArray("image/jpeg") << QByteArray("not a picture") << true << false;
        QTest::newRow("html page") << 200 << QByteArray("text/html") << png << true << false;
        QTest::newRow("empty answer") << 200 << QByteArray("image/png") << QByteArray() << true
                                      << false;
        QTest::newRow("error status with a picture")
            << 404 << QByteArray("image/png") << png << true << false;
    }
    void contentTypeRules()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        QFETCH(bool, withLength);
        QFETCH(bool, shown);
        CannedHttpServer server;
        server.setResponse(status, body, withLength, contentType);
        TAsyncResim resim;
        QSignalSpy finished(&resim, &TAsyncResim::loadFinished);
        QSignalSpy changed(&resim, &TAsyncResim::pictureChanged);
        resim.setUrl(url(server, "/resimgoster.ashx?id=7"));
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), shown);
        QCOMPARE(changed.size(), shown ? 1 : 0);
        QCOMPARE(resim.hasPicture(), shown);
        if (shown)
            QCOMPARE(resim.picture().size(), QSize(8, 6));
        QVERIFY(server.requests.value(0).startsWith("GET /resimgoster.ashx?id=7 HTTP/1.1"));
    }

    void failedLoadKeepsPreviousPicture()
    {
        CannedHttpServer server;
        server.setResponse(200, encoded(Qt::blue, "PNG"), true, "image/png");
        TAsyncResim resim;
        QSignalSpy finished(&resim, &TAsyncResim::loadFinished);
        resim.setUrl(url(server, "/a"));
        QTRY_COMPARE(finished.size(), 1);
        server.setResponse(200, kGif, true, "image/gif");
        resim.setUrl(url(server, "/b"));
        QTRY_COMPARE(finished.size(), 2);
        QCOMPARE(finished.at(1).at(0).toBool(), false);
        QCOMPARE(resim.picture().pixelColor(4, 3), QColor(Qt::blue));
    }

    void sameAddressStartsOneRequest()
    {
        CannedHttpServer server;
        server.setResponse(200, encoded(Qt::red, "PNG"), true, "image/png");
        TAsyncResim resim;
        QSignalSpy finished(&resim, &TAsyncResim::loadFinished);
        resim.setUrl(url(server, "/a"));
        resim.setUrl(url(server, "/a"));
        QTRY_COMPARE(finished.size(), 1);
        resim.setUrl(url(server, "/a"));
        resim.setUrl(url(server, "/b"));  // a different one after it does load
        QTRY_COMPARE(finished.size(), 2);
        QCOMPARE(server.requests.size(), 2);
        QVERIFY(server.requests.at(0).startsWith("GET /a "));
        QVERIFY(server.requests.at(1).startsWith("GET /b "));
    }

    void destroyingTheWindowAbortsTheTransfer()
    {
        SilentHttpServer server;
        auto window = std::make_unique<QWidget>();
        auto *resim = new TAsyncResim(window.get());
        QSignalSpy finished(resim, &TAsyncResim::loadFinished);
        resim->setUrl(server.url("/resimgoster.ashx?id=1"));
        QTRY_VERIFY(server.received.contains("\r\n\r\n"));
        window.reset();
        QTRY_VERIFY(server.allClosed());
        QCOMPARE(finished.size(), 0);
    }

    void answerForAnEarlierAddressIsDropped()
    {
        SilentHttpServer slow;
        CannedHttpServer fast;
        fast.setResponse(200, encoded(Qt::blue, "PNG"), true, "image/png");
        TAsyncResim resim;
        QSignalSpy finished(&resim, &TAsyncResim::loadFinished);
        resim.setUrl(slow.url("/old"));
        QTRY_VERIFY(slow.received.contains("\r\n\r\n"));
        resim.setUrl(url(fast, "/new"));
        QTRY_COMPARE(finished.size(), 1);
        QTRY_VERIFY(slow.allClosed());  // the old transfer was given up, not left running
        QCOMPARE(resim.picture().pixelColor(4, 3), QColor(Qt::blue));
        QCOMPARE(finished.size(), 1);
    }
};

QTEST_MAIN(TestAsyncResim)
#include "tst_asyncresim.moc"
