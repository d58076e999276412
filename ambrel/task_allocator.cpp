#include <objbase.h>

#include "ambrel/state.h"

namespace ambrel {

HRESULT ObtainTaskAllocator(IMalloc** allocator) { return CoGetMalloc(MEMCTX_TASK, allocator); }

}  // namespace ambrel
