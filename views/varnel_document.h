// The document of a Varnel window: the trend study (TVarnelDoc) under the framework's document,
// which gives it a file, a title and views. Views are told about changes by hint number:
// 0 first showing, 1 automatic refresh, 2 configuration changed, 3 items browsed, 4 items removed,
// 5 period kind chosen, 6 previous period, 7 refresh command, 8 next period, 9 current period.
#pragma once

#include <string>

#include "document/varnel_doc.h"
#include "ui/document.h"

namespace views {

enum Hint : LPARAM {
  kHintFull = 0,
  kHintAutomaticRefresh = 1,
  kHintConfiguration = 2,
  kHintItemsBrowsed = 3,
  kHintItemsRemoved = 4,
  kHintPeriodKind = 5,
  kHintPreviousPeriod = 6,
  kHintRefresh = 7,
  kHintNextPeriod = 8,
  kHintCurrentPeriod = 9,
};

class VarnelDocument : public ui::Document {
 public:
  TVarnelDoc& Doc() { return doc_; }
  const TVarnelDoc& Doc() const { return doc_; }

  bool OnOpenDocument(const std::wstring& path) override;
  bool OnSaveDocument(const std::wstring& path) override;
  bool IsModified() const override { return doc_.IsModified(); }
  void SetModified(bool modified) override { doc_.SetModified(modified); }
  std::wstring ProposedFileName() const override;

 private:
  TVarnelDoc doc_;
};

}  // namespace views
