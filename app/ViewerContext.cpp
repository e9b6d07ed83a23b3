#include "app/ViewerContext.h"

ViewerContext& ViewerContext::instance() {
    // Never destroyed: callbacks may run while the process ends.
    static ViewerContext* context = new ViewerContext();
    return *context;
}
