#include "formistekyeniu.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QQuickWindow>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

void PrepareEmbeddedBrowser()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

Tformistekyeni::Tformistekyeni(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("formistekyeni"));
    resize(780, 555);
    sitem = new QWebEngineView(this);
    sitem->setObjectName(QStringLiteral("sitem"));
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    Button1 = new QPushButton(QStringLiteral("Kapat"), panel);
    Button1->setObjectName(QStringLiteral("Button1"));
    auto *panelLayout = new QHBoxLayout(panel);
    panelLayout->addStretch(1);
    panelLayout->addWidget(Button1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sitem, 1);
    layout->addWidget(panel);
    connect(Button1, &QPushButton::clicked, this, &Tformistekyeni::Button1Click);
}

Tformistekyeni::~Tformistekyeni() = default;

void Tformistekyeni::Navigate(const QString &address)
{
    m_address = address;
    sitem->setUrl(QUrl(address, QUrl::TolerantMode));
}

void Tformistekyeni::Button1Click()
{
    close();
}
