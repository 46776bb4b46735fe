#include "platform/pad_toggle.h"

int padToggleReading(PadToggle* key, int held, int toggling) {
    const bool pressed = held && !key->wasHeld;
    key->wasHeld = (unsigned char)(held ? 1 : 0);
    if (!toggling) {
        key->latched = 0;
        key->carried = key->wasHeld;
        return key->wasHeld;
    }
    if (key->carried) {
        key->carried = key->wasHeld;
        return key->wasHeld;
    }
    if (pressed) key->latched = (unsigned char)!key->latched;
    return key->latched;
}
