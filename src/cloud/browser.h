#pragma once

#include <QUrl>

#include <functional>

// Opens pages in the system browser; tests put a recorder behind it instead.
namespace Browser {

using Opener = std::function<void(const QUrl &)>;
void open(const QUrl &url);
void setOpener(Opener opener);

} // namespace Browser
