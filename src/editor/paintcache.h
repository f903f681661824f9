#pragma once

#include "drawobject.h"
#include "painters.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QSize>

// The visible Picture objects (the first `count` objects) drawn on white at canvas size, each
// where the canvas shows it.
QImage composePictures(const QList<DrawObject> &objects, int count, const QList<QPixmap> &pictures,
                       QSize canvasSize);

// Results that stay the same from one paint to the next: the picture composite, the blurred
// areas cut from it and the stroked text halos. They are pixel for pixel what painting them afresh
// gives. What two paints in a row did not ask for is dropped.
class PaintCache
{
public:
    // Once before every paint. The lists must stay alive until the paint ends.
    void beginPaint(const QList<DrawObject> &objects, int count, const QList<QPixmap> &pictures,
                    QSize canvasSize);
    // `area` lies within the canvas.
    QImage blurredArea(const QRect &area);
    const TextHalo &textHalo(const QString &text, int size);

private:
    struct Placement
    {
        qint64 pixmapKey;
        QRect target;
        bool operator==(const Placement &other) const
        {
            return pixmapKey == other.pixmapKey && target == other.target;
        }
    };
    struct HaloKey
    {
        QString text;
        int size;
        bool operator==(const HaloKey &other) const
        {
            return size == other.size && text == other.text;
        }
        friend size_t qHash(const HaloKey &key, size_t seed)
        {
            return qHashMulti(seed, key.text, key.size);
        }
    };
    struct AreaKey
    {
        QRect area;
        bool operator==(const AreaKey &other) const { return area == other.area; }
        friend size_t qHash(const AreaKey &key, size_t seed)
        {
            return qHashMulti(seed, key.area.x(), key.area.y(), key.area.width(),
                              key.area.height());
        }
    };
    template <typename Key, typename Value> struct Recent
    {
        QHash<Key, Value> current;
        QHash<Key, Value> previous;
        void age()
        {
            previous = std::move(current);
            current.clear();
        }
        template <typename Make> const Value &get(const Key &key, Make make)
        {
            auto found = current.find(key);
            if (found != current.end())
                return *found;
            auto old = previous.find(key);
            return *current.insert(key, old != previous.end() ? *old : make());
        }
    };

    const QList<DrawObject> *objects = nullptr;
    const QList<QPixmap> *pictures = nullptr;
    int count = 0;
    QSize canvasSize;
    QList<Placement> placements;
    QImage composite;
    Recent<AreaKey, QImage> areas;
    Recent<HaloKey, TextHalo> halos;
};
