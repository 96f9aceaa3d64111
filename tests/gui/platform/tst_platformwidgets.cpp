#include "amountedit.h"
#include "animatedpicture.h"
#include "busyindicator.h"
#include "datepicker.h"
#include "marquee.h"

#include <QBuffer>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

// A GIF of solid frames. Every pixel code follows a clear code, so the LZW table never
// grows and the codes stay three bits wide: no encoder needed for a fixture.
QByteArray makeGif(int w, int h, const QList<QColor> &frames)
{
    QByteArray gif("GIF89a");
    auto le16 = [&](int v) { gif.append(char(v & 0xFF)).append(char(v >> 8)); };
    le16(w);
    le16(h);
    gif.append(char(0xF1)).append('\0').append('\0');  // 4-entry global palette
    for (int i = 0; i < 4; ++i) {
        const QColor c = frames.value(i, Qt::black);
        gif.append(char(c.red())).append(char(c.green())).append(char(c.blue()));
    }
    gif.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (int f = 0; f < frames.size(); ++f) {
        gif.append("\x21\xF9\x04\x00", 4);
        le16(5);  // 50 ms
        gif.append('\0').append('\0');
        gif.append(char(0x2C));
        le16(0);
        le16(0);
        le16(w);
        le16(h);
        gif.append('\0').append(char(2));
        QByteArray bits;
        quint32 acc = 0;
        int n = 0;
        auto put = [&](int code) {
            acc |= quint32(code) << n;
            n += 3;
            while (n >= 8) {
                bits.append(char(acc & 0xFF));
                acc >>= 8;
                n -= 8;
            }
        };
        for (int p = 0; p < w * h; ++p) {
            put(4);
            put(f);
        }
        put(5);
        if (n > 0)
            bits.append(char(acc & 0xFF));
        for (int i = 0; i < bits.size(); i += 255) {
            const QByteArray block = bits.mid(i, 255);
            gif.append(char(block.size())).append(block);
        }
        gif.append('\0');
    }
    gif.append(char(0x3B));
    return gif;
}

bool hasInk(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

}  // namespace

class TestPlatformWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void marqueeItems();
    void marqueeScrollsAndWraps();
    void animatedPicture_data();
    void animatedPicture();
    void animatedPicturePlaysAndRejectsGarbage();
    void busyIndicatorSpinsOnlyWhenShown();
    void amountEdit_data();
    void amountEdit();
    void amountEditReadOnly();
    void datePickerDayNumbers();
};

void TestPlatformWidgets::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

void TestPlatformWidgets::marqueeItems()
{
    Marquee marquee;
    marquee.resize(600, 30);
    const int text = marquee.addHtmlItem(QStringLiteral("<b>Kampanya</b> başladı"));
    QSize drawnSize;
    const int picture = marquee.addPictureItem(120, [&](QPixmap &pixmap) {
        drawnSize = pixmap.deviceIndependentSize().toSize();
        QPainter(&pixmap).fillRect(QRect(0, 0, 120, 30), Qt::red);
    });
    QCOMPARE(marquee.itemCount(), 2);
    QCOMPARE(drawnSize, QSize(120, 30));
    QVERIFY(hasInk(marquee.itemPixmap(text)));
    QCOMPARE(marquee.itemPixmap(picture).toImage().pixelColor(5, 5), QColor(Qt::red));
    // Bold markup makes the text wider than the same words in plain text.
    const int plain = marquee.addHtmlItem(QStringLiteral("Kampanya başladı"));
    QVERIFY(marquee.itemWidth(text) > marquee.itemWidth(plain));

    marquee.setSpacing(25);
    QCOMPARE(marquee.contentWidth(),
             marquee.itemWidth(0) + marquee.itemWidth(1) + marquee.itemWidth(2) + 2 * 25);
    QCOMPARE(marquee.itemRect(1).left(), marquee.itemRect(0).right() + 1 + 25);

    // A new height redraws the pictures at that height.
    marquee.show();
    QVERIFY(QTest::qWaitForWindowExposed(&marquee));
    marquee.resize(600, 40);
    QCOMPARE(drawnSize, QSize(120, 40));
    marquee.clear();
    QCOMPARE(marquee.itemCount(), 0);
}

void TestPlatformWidgets::marqueeScrollsAndWraps()
{
    Marquee marquee;
    marquee.resize(300, 24);
    marquee.addHtmlItem(QStringLiteral("Duyuru"));
    marquee.addPictureItem(50, [](QPixmap &) {});
    QCOMPARE(marquee.itemRect(0).left(), 300);  // enters from the right
    marquee.advance(40);
    QCOMPARE(marquee.itemRect(0).left(), 260);
    const int cycle = 300 + marquee.contentWidth();
    marquee.advance(cycle - 40 + 7);
    QCOMPARE(marquee.offset(), 7);

    marquee.show();
    QVERIFY(QTest::qWaitForWindowExposed(&marquee));
    marquee.start();
    QVERIFY(marquee.isActive());
    QTRY_VERIFY(marquee.offset() > 7);
    marquee.stop();
    QVERIFY(!marquee.isActive());
}

void TestPlatformWidgets::animatedPicture_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("proportional");
    QTest::addColumn<bool>("center");
    QTest::addColumn<QRect>("expected");  // a 40x20 picture in a 200x200 control

    QTest::newRow("stretched") << true << false << false << QRect(0, 0, 200, 200);
    QTest::newRow("proportional centred") << false << true << true << QRect(0, 50, 200, 100);
    QTest::newRow("proportional top left") << false << true << false << QRect(0, 0, 200, 100);
    QTest::newRow("own size centred") << false << false << true << QRect(80, 90, 40, 20);
}

void TestPlatformWidgets::animatedPicture()
{
    QFETCH(bool, stretch);
    QFETCH(bool, proportional);
    QFETCH(bool, center);
    QFETCH(QRect, expected);
    AnimatedPicture picture;
    picture.resize(200, 200);
    QVERIFY(picture.setData(makeGif(40, 20, {Qt::red, Qt::green, Qt::blue})));
    picture.setStretch(stretch);
    picture.setProportional(proportional);
    picture.setCenter(center);
    QCOMPARE(picture.pictureRect(), expected);
}

void TestPlatformWidgets::animatedPicturePlaysAndRejectsGarbage()
{
    AnimatedPicture picture;
    QVERIFY(picture.setData(makeGif(4, 4, {Qt::red, Qt::green, Qt::blue})));
    QCOMPARE(picture.frameCount(), 3);
    QVERIFY(picture.isAnimated());
    QCOMPARE(picture.currentImage().pixelColor(1, 1), QColor(Qt::red));
    QSignalSpy frames(&picture, &AnimatedPicture::frameChanged);
    picture.start();
    QTRY_VERIFY(frames.count() >= 2);
    picture.stop();

    // A still picture in another format shows, without animating.
    QImage still(8, 8, QImage::Format_RGB32);
    still.fill(Qt::yellow);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    still.save(&buffer, "PNG");
    QVERIFY(picture.setData(png));
    QVERIFY(!picture.isAnimated());
    QCOMPARE(picture.currentImage().pixelColor(2, 2), QColor(Qt::yellow));

    QVERIFY(!picture.setData(QByteArray("bu bir resim değil")));
    QVERIFY(picture.isEmpty());
    picture.resize(50, 50);
    QVERIFY(!picture.grab().isNull());  // an empty control paints without trouble
}

void TestPlatformWidgets::busyIndicatorSpinsOnlyWhenShown()
{
    BusyIndicator busy;
    QVERIFY(!busy.isSpinning());
    busy.show();
    QVERIFY(QTest::qWaitForWindowExposed(&busy));
    QVERIFY(busy.isSpinning());
    QTRY_VERIFY(busy.step() > 0);
    busy.hide();
    QVERIFY(!busy.isSpinning());
}

void TestPlatformWidgets::amountEdit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("with separators") << "1.234,5" << 0.0 << 1234.5 << "1.234,50";
    QTest::newRow("plain") << "99,9" << 0.0 << 99.9 << "99,90";
    QTest::newRow("negative") << "-12" << 0.0 << -12.0 << "-12,00";
    QTest::newRow("above maximum") << "750" << 500.0 << 500.0 << "500,00";
    QTest::newRow("at maximum") << "500" << 500.0 << 500.0 << "500,00";
    QTest::newRow("emptied") << "" << 0.0 << 0.0 << "0,00";
}

void TestPlatformWidgets::amountEdit()
{
    QFETCH(QString, typed);
    QFETCH(double, maximum);
    QFETCH(double, value);
    QFETCH(QString, shown);
    AmountEdit edit;
    edit.setMaximum(maximum);
    edit.setValue(3);
    QCOMPARE(edit.text(), QStringLiteral("3,00"));  // the format holds from the start
    QSignalSpy changed(&edit, &AmountEdit::valueChanged);
    edit.selectAll();
    QTest::keyClicks(&edit, typed);
    if (typed.isEmpty())
        QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(edit.value(), value);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(changed.count(), value == 3 ? 0 : 1);
}

void TestPlatformWidgets::amountEditReadOnly()
{
    AmountEdit edit;
    edit.setValue(1250.5);
    edit.setReadOnly(true);
    QTest::keyClicks(&edit, "9");
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(edit.value(), 1250.5);
    QCOMPARE(edit.text(), QStringLiteral("1.250,50"));
}

void TestPlatformWidgets::datePickerDayNumbers()
{
    DatePicker picker;
    picker.setDayNumber(45352);
    QCOMPARE(picker.date(), QDate(2024, 3, 1));
    QVERIFY(picker.text().endsWith(QStringLiteral("2024")));
    picker.setDate(QDate(2023, 12, 31));
    QCOMPARE(picker.dayNumber(), 45291.0);
}

QTEST_MAIN(TestPlatformWidgets)
#include "tst_platformwidgets.moc"
