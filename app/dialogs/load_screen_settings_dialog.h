// The load screen settings dialog (104): the number of cameo slots, the side, the cameo in
// each slot (from the CameosList catalogue of Settings.ini) and the battlefield screenshot.
// It works live: every choice goes to the caller at once, which changes the screen and
// says what holds now; the dialog then shows that. The one button closes the dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue.h"
#include "prompts.h"

// What the dialog shows: the screen's side, slots, cameo files and screenshot name.
struct LoadScreenSettingsState {
  int side = 0;
  int cameoCount = 2;
  std::string cameoFiles[3];
  std::string screenshotName;
};

// What came of a cameo choice: taken, or refused with the message that says why.
struct CameoOutcome {
  bool taken = true;
  Prompt refusal;
};

struct LoadScreenSettingsActions {
  // The state in force, asked after each choice.
  std::function<LoadScreenSettingsState()> state;
  // False when the side or count needs a template that is missing: it stays as it was.
  std::function<bool(int side)> setSide;
  std::function<bool(int count)> setCameoCount;
  // The catalogue's cameo `fileName` into slot 0..2; a refused one empties the slot.
  std::function<CameoOutcome(int slot, const std::string& fileName)> setCameo;
  // The screenshot chooser, owned by the dialog (`owner`); true when a new one was taken.
  std::function<bool(HWND owner)> chooseScreenshot;
};

struct LoadScreenSettingsForm {
  std::vector<CatalogueEntry> cameos;
  std::string catalogueError;  // shown when the dialog opens; the lists then stay empty
  RECT picture{};              // the picture on the screen: the dialog opens beside it
};

// Modal over `owner`.
void ShowLoadScreenSettingsDialog(HWND owner, const LoadScreenSettingsForm& form,
                                  const LoadScreenSettingsActions& actions);
