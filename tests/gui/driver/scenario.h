// Scenario: what every scenario works with — the run's context, one running editor and the
// driver's model of what that editor must show — and the checks most scenarios make on
// them. A scenario with state of its own derives from it; its checks are named
// "<name>.<check>".
#pragma once

#include <string>

#include "driver_context.h"
#include "editor_session.h"
#include "expected_screen.h"

class Scenario {
 public:
  Scenario(const DriverContext& context, std::string name)
      : context(context), session(context), name_(std::move(name)) {}
  Scenario(const Scenario&) = delete;
  Scenario& operator=(const Scenario&) = delete;
  virtual ~Scenario() = default;

  // Loads the model of the package in `folder` and starts the editor there. Records a
  // failing check "<name>.start" and returns false when either does not come up.
  bool Start(const std::wstring& folder);
  bool Start() { return Start(context.packageDir); }

  const std::string& name() const { return name_; }
  CheckLog& log() const { return context.log; }
  // Records check "<name>.<check>"; returns ok.
  bool Expect(bool ok, const std::string& check, const std::string& detail) const {
    return context.log.Expect(ok, name_ + "." + check, detail);
  }
  // The view shows `picture` (scrolled to `scroll`); an invalid picture fails. `check` is
  // the full name.
  bool Shows(const Image& picture, const std::string& check, Point scroll = {});
  // The view shows the model's picture.
  bool View(const std::string& check, Point scroll = {}) { return Shows(model.Picture(), check, scroll); }
  // A menu command that opens no modal window, run by the editor and by the model. False
  // when the editor does not answer.
  bool Command(UINT id) {
    model.Command(static_cast<int>(id));
    return session.Command(id);
  }

  const DriverContext& context;
  EditorSession session;
  ExpectedScreen model;

 private:
  std::string name_;
};
