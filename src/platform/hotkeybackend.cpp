#include "hotkeybackend.h"

#include <memory>

#if defined(Q_OS_WIN)
#include "win32hotkeybackend.h"
#elif defined(QUORVEL_X11)
#include "x11connection.h"
#include "x11hotkeybackend.h"
#endif

namespace {

// Wayland, offscreen and the like: there is no system-wide key to take.
class NoHotKeyBackend : public HotKeyBackend
{
public:
    bool registerHotKey(quint32, quint32, int) override { return false; }
    bool unregisterHotKey(quint32, quint32, int) override { return false; }
    bool readHotKeyPress(const QByteArray &, void *, quint32 &, quint32 &) override
    {
        return false;
    }
};

std::unique_ptr<HotKeyBackend> createSystemBackend()
{
#if defined(Q_OS_WIN)
    return std::make_unique<Win32HotKeyBackend>();
#else
#if defined(QUORVEL_X11)
    if (xcb_connection_t *connection = x11Connection())
        return std::make_unique<X11HotKeyBackend>(connection);
#endif
    return std::make_unique<NoHotKeyBackend>();
#endif
}

HotKeyBackend *replacement = nullptr;

} // namespace

HotKeyBackend &hotKeyBackend()
{
    if (replacement)
        return *replacement;
    static const std::unique_ptr<HotKeyBackend> system = createSystemBackend();
    return *system;
}

void setHotKeyBackend(HotKeyBackend *backend)
{
    replacement = backend;
}
