// Registry set-ups that discovery tests make in the test's own prefix, each undone when it goes
// out of scope, also when the test fails.
#pragma once

#include <windows.h>

#include <string>

namespace ambrel_test {

// A key below HKEY_CLASSES_ROOT moved aside: its whole tree is copied to a backup below
// HKEY_CURRENT_USER and deleted, and copied back when the object goes. A backup that a run which
// died left behind is put back before anything else.
class HiddenClassesKey {
 public:
  explicit HiddenClassesKey(std::wstring path);
  ~HiddenClassesKey();
  HiddenClassesKey(const HiddenClassesKey&) = delete;
  HiddenClassesKey& operator=(const HiddenClassesKey&) = delete;

  bool Hidden() const { return hidden_; }

 private:
  bool Hide();
  bool Restore();

  std::wstring path_;
  std::wstring backup_;  // below HKEY_CURRENT_USER
  bool hidden_ = false;
};

// A ProgID that names a class, whatever the class's own registration says; removed again when
// the object goes.
class RegisteredProgId {
 public:
  RegisteredProgId(std::wstring prog_id, const CLSID& clsid);
  ~RegisteredProgId();
  RegisteredProgId(const RegisteredProgId&) = delete;
  RegisteredProgId& operator=(const RegisteredProgId&) = delete;

  bool Registered() const { return registered_; }

 private:
  std::wstring prog_id_;
  bool registered_ = false;
};

// A class registered as implementing the OPC HDA server category but without a ProgID, removed
// again when the object goes.
class ClassWithoutProgId {
 public:
  ClassWithoutProgId();
  ~ClassWithoutProgId();
  ClassWithoutProgId(const ClassWithoutProgId&) = delete;
  ClassWithoutProgId& operator=(const ClassWithoutProgId&) = delete;

  bool Registered() const { return registered_; }
  static const CLSID& Clsid();

 private:
  bool registered_ = false;
};

}  // namespace ambrel_test
