#include "x11keysyms.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <xcb/xproto.h>

namespace {

// A run of consecutive virtual keys that maps onto consecutive keysyms.
struct KeyRun
{
    quint32 firstVirtualKey;
    quint32 lastVirtualKey;
    quint32 firstKeysym;
};

// Letters are grabbed by their lower-case keysym, the one on the key's first level.
constexpr KeyRun keyRuns[] = {
    {32, 32, XK_space},
    {48, 57, XK_0},
    {65, 90, XK_a},
    {222, 222, XK_apostrophe},
    {106, 106, XK_KP_Multiply},
    {107, 107, XK_KP_Add},
    {188, 188, XK_comma},
    {109, 109, XK_KP_Subtract},
    {190, 190, XK_period},
    {111, 111, XK_KP_Divide},
    {186, 186, XK_semicolon},
    {187, 187, XK_equal},
    {191, 191, XK_slash},
    {219, 219, XK_bracketleft},
    {220, 220, XK_backslash},
    {221, 221, XK_bracketright},
    {192, 192, XK_grave},
    {27, 27, XK_Escape},
    {9, 9, XK_Tab},
    {8, 8, XK_BackSpace},
    {13, 13, XK_Return},
    {45, 45, XK_Insert},
    {46, 46, XK_Delete},
    {19, 19, XK_Pause},
    {44, 44, XK_Print},
    {12, 12, XK_Clear},
    {36, 36, XK_Home},
    {37, 40, XK_Left},  // Left, Up, Right, Down
    {33, 35, XK_Prior}, // Page Up, Page Down, End
    {112, 135, XK_F1},
    {174, 174, XF86XK_AudioLowerVolume},
    {173, 173, XF86XK_AudioMute},
    {175, 175, XF86XK_AudioRaiseVolume},
    {179, 179, XF86XK_AudioPlay},
    {178, 178, XF86XK_AudioStop},
    {177, 177, XF86XK_AudioPrev},
    {176, 176, XF86XK_AudioNext},
};

struct ModifierBit
{
    quint32 native;
    quint16 x11;
};

constexpr ModifierBit modifierBits[] = {
    {0x1, XCB_MOD_MASK_1},       // MOD_ALT
    {0x2, XCB_MOD_MASK_CONTROL}, // MOD_CONTROL
    {0x4, XCB_MOD_MASK_SHIFT},   // MOD_SHIFT
    {0x8, XCB_MOD_MASK_4},       // MOD_WIN
};

} // namespace

quint32 x11KeysymForVirtualKey(quint32 virtualKey)
{
    for (const KeyRun &run : keyRuns) {
        if (virtualKey >= run.firstVirtualKey && virtualKey <= run.lastVirtualKey)
            return run.firstKeysym + (virtualKey - run.firstVirtualKey);
    }
    return 0;
}

quint16 x11ModifiersForNative(quint32 nativeMods)
{
    quint16 state = 0;
    for (const ModifierBit &bit : modifierBits) {
        if (nativeMods & bit.native)
            state |= bit.x11;
    }
    return state;
}
