#pragma once

#include <QPixmap>
#include <QTimer>
#include <QVector>
#include <QWidget>

#include <functional>

// A strip of items scrolling from right to left: simple-HTML text items (rendered with
// QTextDocument in the widget's font) and owner-drawn picture items (a callback fills a
// pixmap of the item's width and the strip's height). Items follow each other `spacing`
// pixels apart; the strip starts again once the last item has left.
class Marquee final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Marquee)

public:
    using DrawPicture = std::function<void(QPixmap &pixmap)>;

    explicit Marquee(QWidget *parent = nullptr);

    int addHtmlItem(const QString &html);
    int addPictureItem(int width, DrawPicture draw);
    void clear();
    int itemCount() const { return m_items.size(); }
    QPixmap itemPixmap(int index) const;
    int itemWidth(int index) const;
    QRect itemRect(int index) const;  // where the item is now, in widget coordinates

    void setSpacing(int pixels);
    int spacing() const { return m_spacing; }
    void setStep(int pixels) { m_step = pixels; }
    void setInterval(int milliseconds) { m_timer.setInterval(milliseconds); }
    int contentWidth() const;  // items and the spaces between them

    void start();
    void stop();
    bool isActive() const { return m_timer.isActive(); }
    void advance(int pixels);  // one scroll step, also without the timer
    int offset() const { return m_offset; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Item
    {
        QString html;       // text items
        int width = 0;      // picture items: the declared width
        DrawPicture draw;   // picture items
        QPixmap pixmap;     // rendered at the strip's height
    };
    void render(Item &item) const;
    void renderAll();

    QVector<Item> m_items;
    QTimer m_timer;
    int m_spacing = 40;
    int m_step = 1;
    int m_offset = 0;
};
