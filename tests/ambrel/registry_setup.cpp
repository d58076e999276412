#include "tests/ambrel/registry_setup.h"

#include <objbase.h>

#include <utility>

#include "win/handle.h"

namespace ambrel_test {
namespace {

constexpr const wchar_t* kBackupRoot = L"Software\\Varnel\\Ambrel test backups";
constexpr const wchar_t* kHdaCategoryKey =
    L"\\Implemented Categories\\{7DE5B060-E089-11D2-A5E6-000086339399}";
const CLSID kClassWithoutProgId = {
    0xB053CBCA, 0xA703, 0x4380, {0x8A, 0x02, 0xA2, 0x82, 0x2D, 0xBD, 0x9A, 0x23}};

// A key name cannot hold a backslash: the path is kept readable with "|" in its place.
std::wstring BackupPath(const std::wstring& path) {
  std::wstring name = path;
  for (wchar_t& c : name) {
    if (c == L'\\') c = L'|';
  }
  return std::wstring(kBackupRoot) + L"\\" + name;
}

bool KeyExists(HKEY root, const std::wstring& path) {
  win::UniqueRegKey key;
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
}

// Copies the tree below `from` into `to`, which is created.
bool CopyTree(HKEY from_root, const std::wstring& from, HKEY to_root, const std::wstring& to) {
  win::UniqueRegKey source;
  win::UniqueRegKey target;
  return RegOpenKeyExW(from_root, from.c_str(), 0, KEY_READ, &source) == ERROR_SUCCESS &&
         RegCreateKeyExW(to_root, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target,
                         nullptr) == ERROR_SUCCESS &&
         RegCopyTreeW(source.Get(), nullptr, target.Get()) == ERROR_SUCCESS;
}

std::wstring ClsidKey(const CLSID& clsid) {
  wchar_t text[40] = {};
  StringFromGUID2(clsid, text, 40);
  return std::wstring(L"CLSID\\") + text;
}

}  // namespace

HiddenClassesKey::HiddenClassesKey(std::wstring path)
    : path_(std::move(path)), backup_(BackupPath(path_)) {
  if (KeyExists(HKEY_CURRENT_USER, backup_)) Restore();
  hidden_ = Hide();
}

HiddenClassesKey::~HiddenClassesKey() {
  if (hidden_) Restore();
}

bool HiddenClassesKey::Hide() {
  if (!CopyTree(HKEY_CLASSES_ROOT, path_, HKEY_CURRENT_USER, backup_)) return false;
  return RegDeleteTreeW(HKEY_CLASSES_ROOT, path_.c_str()) == ERROR_SUCCESS;
}

bool HiddenClassesKey::Restore() {
  // The backup goes only once the key is back in place.
  if (!CopyTree(HKEY_CURRENT_USER, backup_, HKEY_CLASSES_ROOT, path_)) return false;
  const bool removed = RegDeleteTreeW(HKEY_CURRENT_USER, backup_.c_str()) == ERROR_SUCCESS;
  RegDeleteKeyW(HKEY_CURRENT_USER, kBackupRoot);  // only goes when no other backup is left
  return removed;
}

ClassWithoutProgId::ClassWithoutProgId() {
  const std::wstring key = ClsidKey(kClassWithoutProgId);
  win::UniqueRegKey category;
  registered_ = RegCreateKeyExW(HKEY_CLASSES_ROOT, (key + kHdaCategoryKey).c_str(), 0, nullptr, 0,
                                KEY_WRITE, nullptr, &category, nullptr) == ERROR_SUCCESS;
}

ClassWithoutProgId::~ClassWithoutProgId() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, ClsidKey(kClassWithoutProgId).c_str());
}

const CLSID& ClassWithoutProgId::Clsid() { return kClassWithoutProgId; }

RegisteredProgId::RegisteredProgId(std::wstring prog_id, const CLSID& clsid)
    : prog_id_(std::move(prog_id)) {
  wchar_t text[40] = {};
  StringFromGUID2(clsid, text, 40);
  const DWORD bytes = static_cast<DWORD>((std::wstring(text).size() + 1) * sizeof(wchar_t));
  win::UniqueRegKey key;
  registered_ = RegCreateKeyExW(HKEY_CLASSES_ROOT, (prog_id_ + L"\\CLSID").c_str(), 0, nullptr, 0,
                                KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS &&
                RegSetValueExW(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                               bytes) == ERROR_SUCCESS;
}

RegisteredProgId::~RegisteredProgId() { RegDeleteTreeW(HKEY_CLASSES_ROOT, prog_id_.c_str()); }

}  // namespace ambrel_test
