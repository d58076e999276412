// IEnumString over a fixed list of strings (browse results).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/hdasim/server/server_object.h"

namespace hdasim {

class StringEnumerator final : public ServerObject<IEnumString> {
 public:
  using List = std::shared_ptr<const std::vector<std::wstring>>;
  explicit StringEnumerator(List list, std::size_t position = 0)
      : list_(std::move(list)), position_(position) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG celt, LPOLESTR* rgelt, ULONG* pceltFetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumString** ppenum) override;

 private:
  List list_;
  std::size_t position_;
};

}  // namespace hdasim
