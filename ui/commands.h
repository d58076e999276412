// Commands: every object that can act on a command keeps a table of (identifier range ->
// handler, updater). A router asks a chain of such targets in order (active view, its document,
// child frame, main frame, application); the first target with an entry handles the command, or
// says whether it is enabled and checked.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

namespace ui {

struct CommandState {
  UINT id = 0;
  bool enabled = true;
  bool checked = false;
};

class CommandTable {
 public:
  using Handler = std::function<void(UINT id)>;
  using Updater = std::function<void(CommandState& state)>;

  struct Entry {
    UINT first = 0;
    UINT last = 0;
    Handler handler;
    Updater updater;  // null: always enabled, never checked
  };

  void Add(UINT id, Handler handler, Updater updater = {}) {
    Add(id, id, std::move(handler), std::move(updater));
  }
  void Add(UINT first, UINT last, Handler handler, Updater updater = {}) {
    entries_.push_back({first, last, std::move(handler), std::move(updater)});
  }
  const Entry* Find(UINT id) const {
    for (const Entry& e : entries_) {
      if (id >= e.first && id <= e.last) return &e;
    }
    return nullptr;
  }

 private:
  std::vector<Entry> entries_;
};

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  CommandTable& Commands() { return commands_; }
  const CommandTable& Commands() const { return commands_; }

 private:
  CommandTable commands_;
};

// The targets asked for one command, most specific first; null entries are skipped.
class CommandChain {
 public:
  CommandChain(std::initializer_list<CommandTarget*> targets) : targets_(targets) {}

  // Runs the handler of the first target that has one; false when none has.
  bool Execute(UINT id) const;
  // Fills the state from the first target that knows the command; false when none does (the
  // state is then disabled).
  bool Update(CommandState& state) const;

 private:
  std::vector<CommandTarget*> targets_;
};

inline bool CommandChain::Execute(UINT id) const {
  for (CommandTarget* t : targets_) {
    if (!t) continue;
    if (const CommandTable::Entry* e = t->Commands().Find(id)) {
      if (e->updater) {
        CommandState state{id};
        e->updater(state);
        if (!state.enabled) return true;  // a disabled command is swallowed, as its menu item
      }
      if (e->handler) e->handler(id);
      return true;
    }
  }
  return false;
}

inline bool CommandChain::Update(CommandState& state) const {
  for (CommandTarget* t : targets_) {
    if (!t) continue;
    if (const CommandTable::Entry* e = t->Commands().Find(state.id)) {
      state.enabled = true;
      state.checked = false;
      if (e->updater) e->updater(state);
      return true;
    }
  }
  state.enabled = false;
  state.checked = false;
  return false;
}

}  // namespace ui
