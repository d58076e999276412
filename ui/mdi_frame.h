// The MDI frame: its client window holds the document windows; bars (toolbars on top, the status
// bar at the bottom) are laid out around it. Commands go through the active view, its document,
// the active child, the frame and then the application's targets; menus are brought up to date
// before they drop down, toolbar buttons when the program is idle.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/commands.h"
#include "ui/mdi_child.h"
#include "ui/window.h"
#include "ui/window_ids.h"

namespace ui {

class MdiFrame : public Window, public CommandTarget, public MdiChildHost {
 public:
  HWND MdiClient() const override { return client_; }
  MdiChild* ActiveChild() const;
  DocManager& Documents() const override { return *documents_; }
  void SetDocuments(DocManager* documents) { documents_ = documents; }
  // Targets asked after the frame (the application, the document manager).
  void AddFallbackTarget(CommandTarget* target) { fallbacks_.push_back(target); }

  // Runs a command as if it came from a menu.
  bool ExecuteCommand(UINT id);
  // The state a menu item or button of the command would show.
  CommandState CommandStateOf(UINT id) const;

  // Called when the program has no message waiting.
  virtual void OnIdle() {}
  // A document window came to the top or went away.
  void OnChildActivated() override {}
  // Places the bars and the client; derived frames override to place their own bars.
  virtual void RecalcLayout();

 protected:
  LRESULT DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool OnCreate(const CREATESTRUCTW& create) override;
  void OnSize(UINT type, int cx, int cy) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

  // The prompt for a command in the status bar (menu selection); empty ends the prompt.
  virtual void ShowPrompt(UINT /*id*/) {}
  // Menus about to drop down: beyond enabling and check marks (recent files...).
  virtual void OnMenuPopup(HMENU /*menu*/) {}
  // The area left for the MDI client after the bars took theirs.
  virtual RECT LayoutBars(RECT client) { return client; }

  CommandChain Chain() const;
  void UpdateMenuItems(HMENU menu) const;

 private:
  HWND client_ = nullptr;
  DocManager* documents_ = nullptr;
  std::vector<CommandTarget*> fallbacks_;
};

}  // namespace ui
