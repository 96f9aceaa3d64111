#pragma once

#include <QByteArray>
#include <QImage>
#include <QVector>

// Writes GIF files with giflib's encoder (Qt reads GIF but cannot write it). Frames share
// one 256-colour palette; more than one frame makes an endlessly looping animation.
class GifWriter
{
public:
    static QByteArray write(const QVector<QImage> &frames, int delayCentiseconds = 50);
};
