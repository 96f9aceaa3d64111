#include "animatedpicture.h"

#include <QFile>
#include <QMovie>
#include <QPainter>

AnimatedPicture::AnimatedPicture(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picture"));
}

AnimatedPicture::~AnimatedPicture()
{
    m_movie.reset();  // before the device it reads from
}

bool AnimatedPicture::load(std::unique_ptr<QIODevice> device)
{
    m_movie.reset();
    m_device = std::move(device);
    auto movie = std::make_unique<QMovie>(m_device.get());
    movie->setCacheMode(QMovie::CacheAll);
    if (!movie->isValid() || !movie->jumpToFrame(0)) {
        m_device.reset();
        update();
        return false;
    }
    m_movie = std::move(movie);
    connect(m_movie.get(), &QMovie::frameChanged, this, [this](int frame) {
        update();
        emit frameChanged(frame);
    });
    update();
    return true;
}

bool AnimatedPicture::setData(const QByteArray &data)
{
    m_data = data;
    auto buffer = std::make_unique<QBuffer>(&m_data);
    buffer->open(QIODevice::ReadOnly);
    return load(std::move(buffer));
}

bool AnimatedPicture::setFileName(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        clear();
        return false;
    }
    return setData(file.readAll());
}

void AnimatedPicture::clear()
{
    m_movie.reset();
    m_device.reset();
    m_data.clear();
    update();
}

bool AnimatedPicture::isEmpty() const
{
    return !m_movie;
}

void AnimatedPicture::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void AnimatedPicture::setProportional(bool proportional)
{
    m_proportional = proportional;
    update();
}

void AnimatedPicture::setCenter(bool center)
{
    m_center = center;
    update();
}

void AnimatedPicture::start()
{
    if (m_movie && isAnimated())
        m_movie->start();
}

void AnimatedPicture::stop()
{
    if (m_movie)
        m_movie->setPaused(true);
}

bool AnimatedPicture::isAnimated() const
{
    return m_movie && m_movie->frameCount() > 1;
}

bool AnimatedPicture::isRunning() const
{
    return m_movie && m_movie->state() == QMovie::Running;
}

int AnimatedPicture::frameCount() const
{
    return m_movie ? m_movie->frameCount() : 0;
}

QImage AnimatedPicture::currentImage() const
{
    return m_movie ? m_movie->currentImage() : QImage();
}

QRect AnimatedPicture::pictureRect() const
{
    if (!m_movie)
        return QRect();
    const QSize image = m_movie->currentImage().size();
    if (image.isEmpty())
        return QRect();
    if (m_stretch)
        return rect();
    QSize size = image;
    if (m_proportional)
        size.scale(this->size(), Qt::KeepAspectRatio);
    QRect r(QPoint(0, 0), size);
    if (m_center)
        r.moveCenter(rect().center());
    return r;
}

QSize AnimatedPicture::sizeHint() const
{
    const QSize image = m_movie ? m_movie->currentImage().size() : QSize();
    return image.isEmpty() ? QSize(32, 32) : image;
}

void AnimatedPicture::paintEvent(QPaintEvent *)
{
    if (!m_movie)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), m_movie->currentImage());
}
