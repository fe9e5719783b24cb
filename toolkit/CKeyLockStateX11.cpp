#include "toolkit/CKeyLockState.h"

#include <QGuiApplication>

#if defined(SCANLORE_HAVE_XKB) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
// Xlib last: its macros (None, Bool, Status) clash with Qt names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#define SCANLORE_READ_XKB 1
#endif

#ifdef SCANLORE_READ_XKB
namespace {

// The indicator index of a named XKB indicator, or -1.
int IndicatorIndex(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0)
        return -1;
    int index = -1;
    if (!XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr))
        return -1;
    return index;
}

struct Indices
{
    Display* display = nullptr;
    int caps = -1;
    int num = -1;
    int scroll = -1;
};

} // namespace
#endif

CKeyLockState CKeyLockState::Read()
{
    CKeyLockState state;
#ifdef SCANLORE_READ_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return state;

    // The indices belong to the keyboard map; look them up once per display.
    static Indices indices;
    if (indices.display != display) {
        indices.display = display;
        indices.caps = IndicatorIndex(display, "Caps Lock");
        indices.num = IndicatorIndex(display, "Num Lock");
        indices.scroll = IndicatorIndex(display, "Scroll Lock");
    }

    unsigned int lit = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &lit) != Success)
        return state;
    auto read = [lit](int index) -> std::optional<bool> {
        if (index < 0 || index >= 32)
            return std::nullopt;
        return (lit & (1u << index)) != 0;
    };
    state.capsLock = read(indices.caps);
    state.numLock = read(indices.num);
    state.scrollLock = read(indices.scroll);
#endif
    return state;
}
