#include "message_box_prompts.h"

#include "language.h"
#include "scene_file_dialogs.h"
#include "text_conversion.h"

namespace {

UINT IconOf(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Warning: return MB_ICONWARNING;
    case PromptIcon::Question: return MB_ICONQUESTION;
    case PromptIcon::Information: return MB_ICONINFORMATION;
    default: return MB_ICONERROR;
  }
}

}  // namespace

int MessageBoxPrompts::Show(const Prompt& prompt, UINT buttons) {
  const std::wstring caption =
      !prompt.ownCaption.empty()
          ? WideText(prompt.ownCaption)
          : WideTextOf(prompt.caption == PromptCaption::Error ? Text::ErrorCaption : Text::ProgramCaption);
  return MessageBoxW(owner_, WideLine(prompt.text).c_str(), caption.c_str(), buttons | IconOf(prompt.icon));
}

void MessageBoxPrompts::Tell(const Prompt& prompt) { Show(prompt, MB_OK); }

Answer MessageBoxPrompts::Ask(const Prompt& prompt, bool withCancel) {
  switch (Show(prompt, withCancel ? MB_YESNOCANCEL : MB_YESNO)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    // A box that could not be shown (0) keeps things as they are.
    default: return withCancel ? Answer::Cancel : Answer::No;
  }
}

bool MessageBoxPrompts::ChooseSceneToOpen(std::string& path) { return ::ChooseSceneToOpen(owner_, path); }

bool MessageBoxPrompts::ChooseSceneToSave(std::string& path) { return ::ChooseSceneToSave(owner_, path); }
