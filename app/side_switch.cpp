#include "side_switch.h"

#include <windows.h>

#include "app_state.h"

namespace {

bool ReportMissingTemplate() {
  MessageBoxA(App().mainWindow, kMissingSideTemplateMessage, kErrorCaption, MB_ICONWARNING);
  return false;
}

}  // namespace

bool SwitchSide(int side) { return Document().SetSide(side) || ReportMissingTemplate(); }

bool SwitchCameoCount(int count) { return Document().SetCameoCount(count) || ReportMissingTemplate(); }

void ReportMissingSideTemplate(HWND owner) {
  MessageBoxA(owner, kMissingSideTemplateMessage, kErrorCaption, MB_ICONWARNING);
}
