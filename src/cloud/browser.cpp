#include "browser.h"

#include <QDesktopServices>

namespace Browser {

namespace {
Opener &opener()
{
    static Opener current = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    return current;
}
} // namespace

void open(const QUrl &url)
{
    opener()(url);
}

void setOpener(Opener replacement)
{
    opener() = std::move(replacement);
}

} // namespace Browser
