#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class AnimatedPicture;
class QNetworkAccessManager;
class QNetworkReply;

// A picture loaded from a web address without blocking the window: setting `Url` starts a
// GET, and the answer is shown when it arrives if its content type names JPEG, BMP or PNG
// and the bytes decode as that kind. Anything else leaves the previous picture. The
// picture is scaled to fit, keeps its proportions, sits in the middle and has no
// background of its own, so whatever lies below shows around it.
class TAsyncResim final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAsyncResim)
    Q_PROPERTY(QString Url READ Url WRITE setUrl)

public:
    explicit TAsyncResim(QWidget *owner = nullptr);
    ~TAsyncResim() override;

    QString Url() const { return m_url; }
    void setUrl(const QString &url);  // the same address again starts nothing

    bool hasPicture() const;
    QImage picture() const;

signals:
    void pictureChanged();
    // Every started request ends with this unless it was superseded or the control died.
    void loadFinished(bool pictureShown);

private:
    void BeginLoad();
    void Geldi(QNetworkReply *reply);
    bool LoadFromContent(const QByteArray &contentType, const QByteArray &content);
    void abandonRequest();

    QString m_url;
    AnimatedPicture *m_picture;
    QNetworkAccessManager *m_http;
    QPointer<QNetworkReply> m_reply;
};
