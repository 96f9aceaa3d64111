#include "gifwriter.h"

#include <gif_lib.h>

#include <stdexcept>

namespace {

int appendToBuffer(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data),
                                                     length);
    return length;
}

QVector<QRgb> webPalette()
{
    // 6x6x6 colour cube plus greys: good enough for generated banners.
    QVector<QRgb> colors;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colors.append(qRgb(r * 51, g * 51, b * 51));
    while (colors.size() < 256) {
        const int v = (colors.size() - 216) * 6;
        colors.append(qRgb(v, v, v));
    }
    return colors;
}

}  // namespace

QByteArray GifWriter::write(const QVector<QImage> &frames, int delayCentiseconds)
{
    if (frames.isEmpty())
        return QByteArray();
    QByteArray out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, appendToBuffer, &error);
    if (!gif)
        throw std::runtime_error("GIF encoder could not start");
    const QVector<QRgb> palette = webPalette();
    GifColorType colors[256];
    for (int i = 0; i < 256; ++i) {
        colors[i].Red = GifByteType(qRed(palette[i]));
        colors[i].Green = GifByteType(qGreen(palette[i]));
        colors[i].Blue = GifByteType(qBlue(palette[i]));
    }
    ColorMapObject *map = GifMakeMapObject(256, colors);
    const int width = frames.first().width();
    const int height = frames.first().height();
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK;
    if (ok && frames.size() > 1) {
        const GifByteType app[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
        const GifByteType loop[] = {1, 0, 0};  // sub-block 1, loop count 0 = for ever
        ok = EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK
            && EGifPutExtensionBlock(gif, sizeof app, app) == GIF_OK
            && EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK
            && EGifPutExtensionTrailer(gif) == GIF_OK;
    }
    for (const QImage &frame : frames) {
        if (!ok)
            break;
        const QImage indexed = frame.convertToFormat(QImage::Format_RGB32)
                                   .scaled(width, height)
                                   .convertToFormat(QImage::Format_Indexed8, palette,
                                                    Qt::ThresholdDither);
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.DelayTime = delayCentiseconds;
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        const size_t extLength = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(extLength), ext) == GIF_OK
            && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < height; ++y)
            ok = EGifPutLine(gif, const_cast<GifByteType *>(indexed.constScanLine(y)), width)
                == GIF_OK;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !ok)
        throw std::runtime_error("GIF encoding failed");
    return out;
}
