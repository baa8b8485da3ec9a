#include "core/sharedstate.h"

SharedState &shared()
{
    static SharedState state;
    return state;
}
