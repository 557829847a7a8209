#include "platform/detectable_auto_repeat.h"

// Windows already sends a held key as repeated key-downs and one key-up, which
// the key repeat filter folds into one press: there is nothing to ask for.
bool enableDetectableAutoRepeat()
{
    return false;
}
