#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QWidget>

#include <memory>

class QMovie;

// A picture control for banners and busy animations: GIF and every other format Qt reads,
// animated when the file has several frames. The picture is stretched to the control,
// scaled proportionally, or shown at its size; `center` places it in the middle.
class AnimatedPicture final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnimatedPicture)

public:
    explicit AnimatedPicture(QWidget *parent = nullptr);
    ~AnimatedPicture() override;

    bool setData(const QByteArray &data);  // false when the bytes are no readable picture
    bool setFileName(const QString &path);
    void clear();
    bool isEmpty() const;

    void setStretch(bool stretch);
    void setProportional(bool proportional);
    void setCenter(bool center);

    void start();
    void stop();
    bool isAnimated() const;  // more than one frame
    bool isRunning() const;
    int frameCount() const;
    QImage currentImage() const;
    QRect pictureRect() const;  // where the picture is drawn

    QSize sizeHint() const override;

signals:
    void frameChanged(int frame);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool load(std::unique_ptr<QIODevice> device);

    QByteArray m_data;
    std::unique_ptr<QIODevice> m_device;
    std::unique_ptr<QMovie> m_movie;
    bool m_stretch = false;
    bool m_proportional = true;
    bool m_center = true;
};
