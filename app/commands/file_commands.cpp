#include "file_commands.h"

#include "paths.h"

void NewScene(CommandContext& context) { context.session.New(context.prompts); }

void OpenScene(CommandContext& context) {
  std::string path = context.session.scenePath();
  if (context.prompts.ChooseSceneToOpen(path)) context.session.Open(FullPathOf(path), context.prompts);
}

void SaveScene(CommandContext& context) { context.session.Save(context.prompts); }
void SaveSceneAs(CommandContext& context) { context.session.SaveAs(context.prompts); }
void OpenRecentScene(CommandContext& context, int index) { context.session.OpenRecent(index, context.prompts); }
void Exit(CommandContext& context) { context.frame.Close(); }
