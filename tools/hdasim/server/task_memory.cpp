#include "tools/hdasim/server/task_memory.h"

namespace hdasim {
namespace {

template <typename T>
void FreeArray(T*& array, DWORD count) {
  if (!array) return;
  for (DWORD i = 0; i < count; ++i) FreeOwned(array[i]);
  CoTaskMemFree(array);
  array = nullptr;
}

}  // namespace

void FreeOwned(OPCHDA_ITEM& item) {
  FreeArray(item.pvDataValues, item.dwCount);
  FreeArray(item.pftTimeStamps, item.dwCount);
  FreeArray(item.pdwQualities, item.dwCount);
  item.dwCount = 0;
}

void FreeOwned(OPCHDA_MODIFIEDITEM& item) {
  FreeArray(item.pvDataValues, item.dwCount);
  FreeArray(item.pftTimeStamps, item.dwCount);
  FreeArray(item.pdwQualities, item.dwCount);
  FreeArray(item.pftModificationTime, item.dwCount);
  FreeArray(item.pEditType, item.dwCount);
  FreeArray(item.szUser, item.dwCount);
  item.dwCount = 0;
}

void FreeOwned(OPCHDA_ATTRIBUTE& attribute) {
  FreeArray(attribute.vAttributeValues, attribute.dwNumValues);
  FreeArray(attribute.ftTimeStamps, attribute.dwNumValues);
  attribute.dwNumValues = 0;
}

LPWSTR TaskString(std::wstring_view text) {
  auto* s = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  if (!s) throw std::bad_alloc();
  std::memcpy(s, text.data(), text.size() * sizeof(wchar_t));
  s[text.size()] = L'\0';
  return s;
}

}  // namespace hdasim
