#include "tools/hdasim/server/error_text.h"

#include <algorithm>

#include "opc/opc_constants.h"

namespace hdasim {
namespace {

struct CodeText {
  HRESULT code;
  const wchar_t* text;
};

constexpr CodeText kOpcTexts[] = {
    {OPC_E_MAXEXCEEDED, L"The maximum number of values requested exceeds the server's limit."},
    {OPC_S_NODATA, L"There is no data within the specified parameters."},
    {OPC_S_MOREDATA, L"There is more data satisfying the query than was returned."},
    {OPC_E_INVALIDAGGREGATE, L"The aggregate requested is not valid."},
    {OPC_S_CURRENTVALUE,
     L"The server only returns current values for the requested item attributes."},
    {OPC_S_EXTRADATA, L"Additional data satisfying the query was found."},
    {OPC_W_NOFILTER, L"The server does not support this filter."},
    {OPC_E_UNKNOWNATTRID, L"The server does not support this attribute."},
    {OPC_E_NOT_AVAIL, L"The requested aggregate is not available for the specified item."},
    {OPC_E_INVALIDDATATYPE, L"The supplied value for the attribute is not a correct data type."},
    {OPC_E_DATAEXISTS, L"Unable to insert: data already present."},
    {OPC_E_INVALIDATTRID, L"The supplied attribute ID is not valid."},
    {OPC_E_NODATAEXISTS, L"Unable to replace: no data present."},
    {OPC_S_INSERTED, L"The value was inserted."},
    {OPC_S_REPLACED, L"The value was replaced."},
    {OPC_E_INVALIDHANDLE, L"The handle is not valid."},
    {OPC_E_BADRIGHTS, L"The item's access rights do not allow the operation."},
    {OPC_E_UNKNOWNITEMID, L"The item ID is not defined in the server address space."},
    {OPC_E_INVALIDITEMID, L"The item ID does not conform to the server's syntax."},
    {OPC_E_INVALIDFILTER, L"The filter string was not valid."},
    {OPC_S_UNSUPPORTEDRATE,
     L"The server does not support the requested rate but will use the closest available rate."},
};

}  // namespace

std::wstring ErrorText(HRESULT code) {
  for (const CodeText& entry : kOpcTexts)
    if (entry.code == code) return entry.text;
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text;
  if (length > 0 && buffer) text.assign(buffer, length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  return text;
}

const std::vector<LCID>& SupportedLocales() {
  static const std::vector<LCID> locales = {
      MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT), LOCALE_SYSTEM_DEFAULT,
      LOCALE_USER_DEFAULT};
  return locales;
}

bool IsSupportedLocale(LCID locale) {
  const auto& all = SupportedLocales();
  return std::find(all.begin(), all.end(), locale) != all.end();
}

}  // namespace hdasim
