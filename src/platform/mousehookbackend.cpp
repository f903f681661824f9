#include "mousehookbackend.h"

#include <memory>

#if defined(Q_OS_WIN)
#include "win32mousehookbackend.h"
#elif defined(QUORVEL_X11)
#include "x11connection.h"
#include "x11mousehookbackend.h"
#endif

namespace {

class NoMouseHookBackend : public MouseHookBackend
{
public:
    bool install(LeftButtonHandler) override { return false; }
    void uninstall() override {}
};

std::unique_ptr<MouseHookBackend> createSystemBackend()
{
#if defined(Q_OS_WIN)
    return std::make_unique<Win32MouseHookBackend>();
#else
#if defined(QUORVEL_X11)
    if (xcb_connection_t *connection = x11Connection())
        return std::make_unique<X11MouseHookBackend>(connection);
#endif
    return std::make_unique<NoMouseHookBackend>();
#endif
}

MouseHookBackend *replacement = nullptr;

} // namespace

MouseHookBackend &mouseHookBackend()
{
    if (replacement)
        return *replacement;
    static const std::unique_ptr<MouseHookBackend> system = createSystemBackend();
    return *system;
}

void setMouseHookBackend(MouseHookBackend *backend)
{
    replacement = backend;
}
