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
#include <QWindow>

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

struct MoveFigures
{
    double fullRender; // QWidget::render of the whole overlay after the move
    double delivered;  // the move as the shown overlay handles it, until the server has it
};

// Medians over a sweep of 120 moves of 8 logical pixels, hovering or dragging.
MoveFigures paintPerMove(const QSize &size, bool dragging)
{
    auto *overlay = new SelectRegion;
    overlay->setPixmap(desktopPicture(size));
    overlay->setGeometry(QRect(QPoint(0, 0), size));
    overlay->show();
    while (!overlay->windowHandle()->isExposed())
        QCoreApplication::processEvents();
    QImage target(size, QImage::Format_RGB32);
    if (dragging)
        sendMouse(overlay, QEvent::MouseButtonPress, QPoint(50, 50), Qt::LeftButton);
    const Qt::MouseButtons buttons = dragging ? Qt::LeftButton : Qt::NoButton;

    std::vector<double> renders;
    std::vector<double> moves;
    for (int i = 0; i < 120; ++i) {
        const QPoint cursor(300 + 8 * i, 200 + 6 * i);
        QElapsedTimer timer;
        timer.start();
        sendMouse(overlay, QEvent::MouseMove, cursor, buttons);
        QGuiApplication::sync();
        moves.push_back(timer.nsecsElapsed() / 1e6);

        timer.start();
        overlay->render(&target);
        renders.push_back(timer.nsecsElapsed() / 1e6);
    }
    delete overlay;
    return {median(renders), median(moves)};
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
    overlay->setGeometry(overlayGeometry(currentDesktopLayout(), frozen.deviceIndependentSize()));

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

    const QRect desktop = currentDesktopLayout().deviceGeometry();
    std::printf("platform %s, screen %dx%d, loupe on, medians over 120 moves\n",
                qPrintable(QGuiApplication::platformName()), desktop.width(), desktop.height());
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
        const MoveFigures hovering = paintPerMove(size, false);
        const MoveFigures dragging = paintPerMove(size, true);
        std::printf("%dx%d frozen image: move handled and repainted %.2f ms hovering, %.2f ms "
                    "dragging; whole overlay rendered %.2f / %.2f ms; one pixmap-to-image "
                    "conversion %.2f ms\n",
                    size.width(), size.height(), hovering.delivered, dragging.delivered,
                    hovering.fullRender, dragging.fullRender, toImageOnce(size));
    }

    std::vector<double> rounds;
    for (int i = 0; i < 7; ++i)
        rounds.push_back(grabToFirstFrame());
    std::printf("grab to first painted overlay frame at %dx%d: first %.1f ms, median of %zu "
                "%.1f ms\n",
                desktop.width(), desktop.height(), rounds.front(), rounds.size(), median(rounds));
    return 0;
}
