#include "app/core/manual_files.h"

#include <algorithm>
#include <array>

#include "platform/file.h"

namespace {

constexpr std::array<const char16_t*, 5> kLanguageCodes = {u"FR", u"UK", u"GE", u"SP", u"NL"};
constexpr char16_t kManualPrefix[] = u"Varnel Help ";
constexpr char16_t kHelpFolder[] = u"Help";
constexpr char16_t kManualExtension[] = u".pdf";

// The directory up to (not including) its last backslash; empty when it has none.
TString ParentDirectory(const TString& directory) {
  const char16_t* text = directory.Str();
  std::uint32_t cut = directory.Length();
  while (cut > 0 && text[cut - 1] != u'\\') --cut;
  TString parent;
  if (cut > 0) parent.Assign(cut - 1, text);
  return parent;
}

void AddCandidates(const TString& name, const TString& start, const TString& parent,
                   const TString& windows, std::vector<TString>& names) {
  const TString help(u"\\", kHelpFolder);
  for (const TString* folder : {&start, &parent}) {
    names.emplace_back(folder->Str(), u"\\", name.Str(), kManualExtension);
    names.emplace_back(folder->Str(), help.Str(), u"\\", name.Str(), kManualExtension);
  }
  names.emplace_back(windows.Str(), help.Str(), u"\\", name.Str(), kManualExtension);
  names.emplace_back(windows.Str(), u"\\", name.Str(), kManualExtension);
}

}  // namespace

TString ManualBaseName(int language) {
  const int index = std::clamp(language, 0, static_cast<int>(kLanguageCodes.size()) - 1);
  return TString(kManualPrefix, kLanguageCodes[static_cast<std::size_t>(index)]);
}

std::vector<TString> ManualCandidates(int language, const TString& start_dir,
                                      const TString& windows_dir) {
  const TString parent = ParentDirectory(start_dir);
  std::vector<TString> names;
  names.reserve(12);
  AddCandidates(ManualBaseName(language), start_dir, parent, windows_dir, names);
  AddCandidates(TString(kManualFallbackName), start_dir, parent, windows_dir, names);
  return names;
}

TString FindManual(const std::vector<TString>& candidates) {
  for (const TString& name : candidates) {
    if (platform::File::Exists(name.Str())) return name;
  }
  return TString();
}
