#include "help_commands.h"

#include <shellapi.h>

#include <string>

#include "about_dialog.h"
#include "guide_pages.h"
#include "text_file.h"

// The help file lies beside the program, whatever the current directory is.
void ShowHelp(CommandContext& context) {
  const std::string path = context.session.document().appDir + kGuideFile;
  ShellExecuteA(context.frame.Window(), "open", path.c_str(), nullptr, nullptr, SW_SHOW);
}

void ShowAbout(CommandContext& context) {
  AboutForm form;
  // "Updates and news": the guide's page about this version, in the system's help viewer.
  form.linkTarget = kHelpViewer;
  form.linkParameters = GuidePageArgument(context.session.document().appDir, kVersionPage);
  const std::string path = context.session.document().appDir + "Templates\\readme.txt";
  std::string text;
  // A missing or unreadable readme leaves the box empty, without a message.
  if (ReadTextFile(path.c_str(), text)) form.readme = WithCrLfLineBreaks(text);
  ShowAboutDialog(context.frame.Window(), form);
}
