// Paint cost of the region selector per mouse move, and the time from the grab to the first
// painted overlay frame.

#include "grabdesktop.h"
#include "selectionmapping.h"
#include "selectregion.h"
#include "settingskeys.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QPixmap desktopPicture(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(30, 90, 160));
    gradient.setColorAt(1, QColor(230, 200, 120));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::black);
    for (int y = 0; y < size.height(); y += 40)
        painter.drawText(20, y, QStringLiteral("Quorvel frozen desktop line %1").arg(y));
    painter.end();
    return QPixmap::fromImage(image);
}

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &local, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// Median time to paint the whole overlay after a move, over a diagonal sweep.
double paintPerMove(const QSize &size, bool dragging)
{
    auto *overlay = new SelectRegion;
    overlay->setPixmap(desktopPicture(size));
    overlay->setGeometry(QRect(QPoint(0, 0), size));
    QImage target(size, QImage::Format_RGB32);
    if (dragging)
        sendMouse(overlay, QEvent::MouseButtonPress, QPoint(50, 50), Qt::LeftButton);

    std::vector<double> times;
    for (int i = 0; i < 120; ++i) {
        const QPoint cursor(100 + i * (size.width() - 200) / 120,
                            100 + i * (size.height() - 200) / 120);
        sendMouse(overlay, QEvent::MouseMove, cursor, dragging ? Qt::LeftButton : Qt::NoButton);
        QElapsedTimer timer;
        timer.start();
        overlay->render(&target);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    delete overlay;
    return median(times);
}

// Grab, open the overlay as a receiver does, and wait until its first frame is painted and
// handed to the server.
double grabToFirstFrame()
{
    QElapsedTimer timer;
    timer.start();
    const QPixmap frozen = grabDesktop();
    auto *overlay = new SelectRegion;
    overlay->setPixmap(frozen);
    overlay->setGeometry(overlayGeometry(virtualDesktopGeometry(), frozen.deviceIndependentSize()));

    struct FirstPaint : QObject
    {
        bool seen = false;
        bool eventFilter(QObject *, QEvent *event) override
        {
            seen = seen || event->type() == QEvent::Paint;
            return false;
        }
    } firstPaint;
    QLabel *label = overlay->findChild<QLabel *>();
    label->installEventFilter(&firstPaint);

    overlay->show();
    overlay->raise();
    overlay->activateWindow();
    while (!firstPaint.seen)
        QCoreApplication::processEvents();
    QGuiApplication::sync();
    const double elapsed = timer.nsecsElapsed() / 1e6;

    label->removeEventFilter(&firstPaint);
    overlay->hide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return elapsed;
}

double toImageOnce(const QSize &size)
{
    const QPixmap pixmap = desktopPicture(size);
    std::vector<double> times;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage image = pixmap.toImage();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    settingsStore().setValue(SettingsKeys::ShowLoupe, 1);

    std::printf("platform %s, loupe on, median over 120 moves of QWidget::render\n",
                qPrintable(QGuiApplication::platformName()));
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
        std::printf("%dx%d: paint per move %.2f ms hovering, %.2f ms dragging; "
                    "(a pixmap-to-image conversion alone costs %.2f ms)\n",
                    size.width(), size.height(), paintPerMove(size, false),
                    paintPerMove(size, true), toImageOnce(size));
    }

    const QRect desktop = virtualDesktopGeometry();
    std::vector<double> rounds;
    for (int i = 0; i < 7; ++i)
        rounds.push_back(grabToFirstFrame());
    std::printf("grab to first painted overlay frame at %dx%d: first %.1f ms, median of %zu "
                "%.1f ms\n",
                desktop.width(), desktop.height(), rounds.front(), rounds.size(), median(rounds));
    return 0;
}
