// The task allocator of the test build AmbrelNoMalloc.dll: never available.
#include <objbase.h>

#include "ambrel/state.h"

namespace ambrel {

HRESULT ObtainTaskAllocator(IMalloc** allocator) {
  if (allocator) *allocator = nullptr;
  return E_OUTOFMEMORY;
}

}  // namespace ambrel
