#include "new_scene_command.h"

#include "app_state.h"
#include "document_state.h"
#include "file_commands.h"
#include "map_view.h"
#include "recovery.h"

namespace {
// Holds its own share of the start screen's pictures for the whole run.
DocumentState startScreen;
}  // namespace

void RememberStartScreen() {
  ImagePool pool;
  startScreen = CaptureState(Document(), pool);
}

void NewSceneCommand() {
  History().EndGroup(Document());
  if (MayReplaceScreen()) ResetToNewScene();
}

void ResetToNewScene() {
  LoadScreenDocument& document = Document();
  History().EndGroup(document);
  RestoreState(document, startScreen);
  App().scenePath.clear();
  History().Clear();
  History().MarkSaved();
  UpdateTitle();
  // The changes were let go: their recovery copy goes too.
  DiscardRecovery();
}
