// Prompts: the questions the editor asks and the reports it gives, as the window layer
// shows them (message boxes and the system's scene file dialogs, owned by the window in
// front). The editing session and the commands speak through this, so they run in tests
// with answers given in advance.
#pragma once

#include <string>

#include "interface_texts.h"

enum class PromptIcon { Warning, Error, Question, Information };
enum class PromptCaption { Program, Error };

struct Prompt {
  TextLine text;
  PromptIcon icon = PromptIcon::Error;
  PromptCaption caption = PromptCaption::Program;
  // A caption of the core's own (an export's), in place of `caption` when not empty.
  std::string ownCaption;
};

enum class Answer { Yes, No, Cancel };

class Prompts {
 public:
  virtual ~Prompts() = default;
  // A report with an OK button.
  virtual void Tell(const Prompt& prompt) = 0;
  // A question with Yes and No, and Cancel when `withCancel`. A box that cannot be shown
  // answers Cancel (No without Cancel).
  virtual Answer Ask(const Prompt& prompt, bool withCancel) = 0;
  // The system's dialogs for scene files. Opening starts in the folder of `path` (the
  // current scene, or empty); saving offers `path` and asks before replacing a file. True
  // with the chosen file's full name in `path`; false, `path` unchanged, when cancelled.
  virtual bool ChooseSceneToOpen(std::string& path) = 0;
  virtual bool ChooseSceneToSave(std::string& path) = 0;
};

// A report of one line of text: the common case.
inline Prompt Report(TextLine text, PromptIcon icon = PromptIcon::Error,
                     PromptCaption caption = PromptCaption::Program) {
  return {std::move(text), icon, caption, {}};
}
