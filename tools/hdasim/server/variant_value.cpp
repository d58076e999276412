#include "tools/hdasim/server/variant_value.h"

#include <new>

#include "tools/hdasim/core/attributes.h"

namespace hdasim {

void ToVariant(const Value& value, VARIANT* out) {
  VariantInit(out);
  switch (value.kind) {
    case ValueKind::kEmpty:
      return;
    case ValueKind::kNull:
      V_VT(out) = VT_NULL;
      return;
    case ValueKind::kI1:
      V_VT(out) = VT_I1;
      V_I1(out) = static_cast<CHAR>(value.integer);
      return;
    case ValueKind::kUI1:
      V_VT(out) = VT_UI1;
      V_UI1(out) = static_cast<BYTE>(value.integer);
      return;
    case ValueKind::kI2:
      V_VT(out) = VT_I2;
      V_I2(out) = static_cast<SHORT>(value.integer);
      return;
    case ValueKind::kUI2:
      V_VT(out) = VT_UI2;
      V_UI2(out) = static_cast<USHORT>(value.integer);
      return;
    case ValueKind::kI4:
      V_VT(out) = VT_I4;
      V_I4(out) = static_cast<LONG>(value.integer);
      return;
    case ValueKind::kUI4:
      V_VT(out) = VT_UI4;
      V_UI4(out) = static_cast<ULONG>(value.integer);
      return;
    case ValueKind::kInt:
      V_VT(out) = VT_INT;
      V_INT(out) = static_cast<INT>(value.integer);
      return;
    case ValueKind::kUInt:
      V_VT(out) = VT_UINT;
      V_UINT(out) = static_cast<UINT>(value.integer);
      return;
    case ValueKind::kR4:
      V_VT(out) = VT_R4;
      V_R4(out) = static_cast<FLOAT>(value.number);
      return;
    case ValueKind::kR8:
      V_VT(out) = VT_R8;
      V_R8(out) = value.number;
      return;
    case ValueKind::kBool:
      V_VT(out) = VT_BOOL;
      V_BOOL(out) = value.integer ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case ValueKind::kCy:
      V_VT(out) = VT_CY;
      V_CY(out).int64 = value.integer;
      return;
    case ValueKind::kDate:
      V_VT(out) = VT_DATE;
      V_DATE(out) = value.number;
      return;
    case ValueKind::kI8:
      V_VT(out) = VT_I8;
      V_I8(out) = value.integer;
      return;
    case ValueKind::kUI8:
      V_VT(out) = VT_UI8;
      V_UI8(out) = static_cast<ULONGLONG>(value.integer);
      return;
    case ValueKind::kText: {
      BSTR s = SysAllocStringLen(value.text.data(), static_cast<UINT>(value.text.size()));
      if (!s) throw std::bad_alloc();
      V_VT(out) = VT_BSTR;
      V_BSTR(out) = s;
      return;
    }
    case ValueKind::kR8Array: {
      SAFEARRAY* array = SafeArrayCreateVector(VT_R8, 0, 2);
      if (!array) throw std::bad_alloc();
      double* data = nullptr;
      SafeArrayAccessData(array, reinterpret_cast<void**>(&data));
      data[0] = value.number;
      data[1] = -value.number;
      SafeArrayUnaccessData(array);
      V_VT(out) = VT_ARRAY | VT_R8;
      V_ARRAY(out) = array;
      return;
    }
  }
}

bool FromVariant(const VARIANT& in, ValueKind kind, Value* out) {
  const VARTYPE target = VarTypeOf(kind);
  if (kind == ValueKind::kEmpty || kind == ValueKind::kNull || kind == ValueKind::kR8Array) {
    if (V_VT(&in) != target) return false;
    out->kind = kind;
    return true;
  }
  VARIANT converted;
  VariantInit(&converted);
  if (FAILED(VariantChangeTypeEx(&converted, const_cast<VARIANT*>(&in),
                                 MAKELCID(0x409, SORT_DEFAULT), 0, target)))
    return false;
  Value v;
  v.kind = kind;
  switch (kind) {
    case ValueKind::kText:
      v.text.assign(V_BSTR(&converted), SysStringLen(V_BSTR(&converted)));
      break;
    case ValueKind::kI1:
      v.integer = V_I1(&converted);
      break;
    case ValueKind::kUI1:
      v.integer = V_UI1(&converted);
      break;
    case ValueKind::kI2:
      v.integer = V_I2(&converted);
      break;
    case ValueKind::kUI2:
      v.integer = V_UI2(&converted);
      break;
    case ValueKind::kI4:
      v.integer = V_I4(&converted);
      break;
    case ValueKind::kUI4:
      v.integer = V_UI4(&converted);
      break;
    case ValueKind::kInt:
      v.integer = V_INT(&converted);
      break;
    case ValueKind::kUInt:
      v.integer = V_UINT(&converted);
      break;
    case ValueKind::kR4:
      v.number = V_R4(&converted);
      break;
    case ValueKind::kR8:
      v.number = V_R8(&converted);
      break;
    case ValueKind::kDate:
      v.number = V_DATE(&converted);
      break;
    case ValueKind::kBool:
      v.integer = V_BOOL(&converted) ? -1 : 0;
      break;
    case ValueKind::kCy:
      v.integer = V_CY(&converted).int64;
      break;
    case ValueKind::kI8:
      v.integer = V_I8(&converted);
      break;
    case ValueKind::kUI8:
      v.integer = static_cast<std::int64_t>(V_UI8(&converted));
      break;
    default:
      break;
  }
  VariantClear(&converted);
  *out = std::move(v);
  return true;
}

}  // namespace hdasim
