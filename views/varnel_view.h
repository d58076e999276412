// The base of both views of a document window: a copy of the application's configuration, taken
// when the view is made and replaced by the main frame when the configuration changes, and the
// process-wide list of view windows, through which a message reaches every view.
#pragma once

#include <vector>

#include "config/config.h"
#include "ui/document.h"
#include "views/varnel_document.h"

namespace views {

class TVarnelView : public ui::View {
 public:
  TVarnelView();
  ~TVarnelView() override;

  const TConfig& Config() const { return config_; }
  // A fresh copy of the live configuration (on creation, opening, and after the sheet).
  void SetConfig(const TConfig& config) { config_ = config; }
  VarnelDocument* Document() const { return static_cast<VarnelDocument*>(GetDocument()); }

  // Every view window of every document, in the order they were made.
  static const std::vector<TVarnelView*>& AllViews();
  // Sends the message to every view window.
  static void SendToAllViews(UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  // "VarnelPrinterChanged": a DC of the current printer is made and let go, so the driver has
  // seen the new printer before the next print or preview.
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  TConfig config_;
};

}  // namespace views
