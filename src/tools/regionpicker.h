#pragma once

#include "selectregion.h"

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <functional>

// What the desktop scanners share: the short wait while their dialog leaves the screen, the
// desktop frozen without the cursor, the selector over it and the crop of the framed region.
class RegionPicker
{
public:
    // Where frozen desktops come from; tests put a known picture behind it.
    using DesktopGrabber = std::function<QPixmap()>;

    // `startSelection` runs in `owner`'s context once the dialog had time to go.
    RegionPicker(QObject *owner, std::function<void()> startSelection);

    void setDesktopGrabber(DesktopGrabber grabber) { grabDesktopImage = std::move(grabber); }
    SelectRegion *openSelector() const { return selector; }
    // A second scan while one is waiting or selecting would open a second selector over the first.
    bool isBusy() const { return selector || selectionDelay.isActive(); }
    void scheduleSelection() { selectionDelay.start(); }

    // Freezes the desktop and opens the selector over it, its answer going to `slot`; false when
    // there was nothing to grab.
    template <typename Receiver>
    bool openSelection(Receiver *receiver, void (Receiver::*slot)(QPoint, QPoint))
    {
        SelectRegion *opened = openSelection();
        if (opened)
            QObject::connect(opened, &SelectRegion::regionSelected, receiver, slot);
        return opened;
    }

    enum class Outcome
    {
        Ignored,
        Cancelled,
        TooSmall,
        Picked
    };
    struct Pick
    {
        Outcome outcome = Outcome::Ignored;
        QImage image;
    };
    // Closes the selector and crops what the user framed, in image pixels.
    Pick finishSelection(QPoint p1, QPoint p2);

private:
    SelectRegion *openSelection();

    QPointer<SelectRegion> selector;
    QPixmap frozenScreen;
    QTimer selectionDelay;
    DesktopGrabber grabDesktopImage;
};
