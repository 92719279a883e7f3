// Prompts for tests: answers given in advance, and every prompt kept as the English and the
// Chinese interface would show it.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "prompts.h"

class ScriptedPrompts final : public Prompts {
 public:
  std::deque<Answer> answers;            // Ask takes them in order; Cancel when none is left
  std::deque<std::string> sceneChoices;  // what the scene dialogs choose; empty: cancelled
  std::vector<Prompt> shown;             // every Tell and Ask, in order

  void Tell(const Prompt& prompt) override { shown.push_back(prompt); }
  Answer Ask(const Prompt& prompt, bool) override {
    shown.push_back(prompt);
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool ChooseSceneToOpen(std::string& path) override { return Choose(path); }
  bool ChooseSceneToSave(std::string& path) override { return Choose(path); }

  std::string English(std::size_t index) const { return Utf8Line(shown.at(index).text, InterfaceLanguage::English); }
  std::string Chinese(std::size_t index) const { return Utf8Line(shown.at(index).text, InterfaceLanguage::Chinese); }

 private:
  bool Choose(std::string& path) {
    if (sceneChoices.empty()) return false;
    path = sceneChoices.front();
    sceneChoices.pop_front();
    return !path.empty();
  }
};
