// Objects built during static initialisation. Both live in this one file so that
// their order is fixed: the cursor is recorded first, then the frame clock starts.
#include "host/mousemove.h"
#include "scene/mytime.h"

CMousemove MouseMove;
CMytime lMytime;
