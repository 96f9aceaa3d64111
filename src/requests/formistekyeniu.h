#pragma once

#include <QDialog>

// Call once before the first embedded browser is created: where the platform has no
// graphics card (the offscreen platform) pages are drawn in software.
void PrepareEmbeddedBrowser();

class QPushButton;
class QWebEngineView;

// Hosts one of the distributor's web pages (the request form of an unregistered machine) in
// an embedded browser; the opener sets the caption and the page.
class Tformistekyeni final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tformistekyeni)

public:
    explicit Tformistekyeni(QWidget *owner = nullptr);
    ~Tformistekyeni() override;

    void Navigate(const QString &address);
    QString address() const { return m_address; }
    QWebEngineView *browser() const { return sitem; }

    void Button1Click();

private:
    QWebEngineView *sitem;
    QPushButton *Button1;
    QString m_address;
};
