#include "tools/hdasim/server/enum_string.h"

#include "tools/hdasim/server/task_memory.h"
#include "win/barrier.h"

namespace hdasim {

HRESULT StringEnumerator::Next(ULONG celt, LPOLESTR* rgelt, ULONG* pceltFetched) {
  return win::ComBarrier([&]() -> HRESULT {
    if (pceltFetched) *pceltFetched = 0;
    if (!rgelt || (celt > 1 && !pceltFetched)) return E_INVALIDARG;
    ULONG fetched = 0;
    try {
      for (; fetched < celt && position_ + fetched < list_->size(); ++fetched)
        rgelt[fetched] = TaskString((*list_)[position_ + fetched]);
    } catch (...) {
      for (ULONG i = 0; i < fetched; ++i) FreeOwned(rgelt[i]);
      throw;
    }
    position_ += fetched;
    if (pceltFetched) *pceltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
  });
}

HRESULT StringEnumerator::Skip(ULONG celt) {
  return win::ComBarrier([&]() -> HRESULT {
    const std::size_t left = list_->size() - position_;
    position_ += celt < left ? celt : left;
    return celt <= left ? S_OK : S_FALSE;
  });
}

HRESULT StringEnumerator::Reset() {
  return win::ComBarrier([&]() -> HRESULT {
    position_ = 0;
    return S_OK;
  });
}

HRESULT StringEnumerator::Clone(IEnumString** ppenum) {
  return win::ComBarrier([&]() -> HRESULT {
    if (!ppenum) return E_POINTER;
    *ppenum = new StringEnumerator(list_, position_);
    return S_OK;
  });
}

}  // namespace hdasim
