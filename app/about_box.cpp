#include "app/about_box.h"

#include "app/resource.h"
#include "app_context/about_text.h"
#include "platform/wide.h"

namespace app {

namespace {
constexpr wchar_t kMakerAddress[] = L"www.molrand.example";
}  // namespace

TAboutBox::TAboutBox(HWND owner) : TDialog(owner, IDD_ABOUTBOX) {}

bool TAboutBox::OnInitDialog() {
  TDialog::OnInitDialog();
  SetItemText(IDC_ABOUT_VERSION, platform::W(AboutVersionText().Str()));
  SetItemText(IDC_ABOUT_ADDRESS, kMakerAddress);
  return true;
}

}  // namespace app
