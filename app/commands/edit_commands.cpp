#include "edit_commands.h"

#include <string>
#include <utility>
#include <vector>

#include "add_item_dialog.h"
#include "clipboard.h"
#include "marker_commands.h"
#include "marker_texts.h"
#include "renderer.h"
#include "screenshot_choice.h"
#include "select_item_dialog.h"
#include "symbol_marker.h"

void AddItem(CommandContext& context) {
  LoadScreenDocument& document = context.session.document();
  AddItemForm form;
  form.appDir = document.appDir;
  form.colour = context.session.choices().markerColour;
  const std::string settingsPath = document.appDir + "Settings.ini";
  if (!LoadCatalogue(settingsPath.c_str(), kSymbolsListSection, CatalogueKind::Symbols, form.symbols,
                     form.catalogueError))
    form.symbols.clear();
  context.session.choices().markerColour =
      ShowAddItemDialog(context.frame.Window(), form, [&](const std::string& symbolFile, int colour) {
        std::string problem;
        if (AddSymbolMarker(document, symbolFile, MarkerColour(colour), {100, 100}, problem)) context.view.Repaint();
      });
}

void SelectItem(CommandContext& context) {
  LoadScreenDocument& document = context.session.document();
  // Without a usable catalogue the lines name the symbols' files.
  std::vector<CatalogueEntry> symbols;
  std::string catalogueError;
  const std::string settingsPath = document.appDir + "Settings.ini";
  LoadCatalogue(settingsPath.c_str(), kSymbolsListSection, CatalogueKind::Symbols, symbols, catalogueError);
  SelectItemForm form;
  for (int i = 0; i < document.markers.Count(); ++i)
    form.lines.push_back(MarkerListLine(i, document.markers.MarkerAt(i), symbols));
  form.selected = document.selectedMarker;
  ShowSelectItemDialog(context.frame.Window(), form, [&](int index) { SelectMarker(document, index); });
}

void CopyToClipboard(CommandContext& context) {
  DibImage picture;
  if (!picture.Create(CanvasWidth, CanvasHeight)) return;
  RenderLoadScreen(context.session.document(), &picture);
  // The status bar says what the clipboard holds now.
  if (CopyPictureToClipboard(context.frame.Window(), picture)) context.status.ShowReport({{Text::PictureCopied}});
}

namespace {

// Why the clipboard's picture was refused, in the interface language where the words are
// ours; the core's reasons keep their plain English, as in every message.
TextValue RefusalReason(const ClipboardRead& read) {
  switch (read.refusal) {
    case ClipboardRefusal::kInUse: return {"reason", Text::ClipboardInUse};
    case ClipboardRefusal::kUnreadable: return {"reason", Text::ClipboardUnreadable};
    case ClipboardRefusal::kFileListUnreadable: return {"reason", Text::CopiedFileListUnreadable};
    case ClipboardRefusal::kPathTooLong: return {"reason", Text::CopiedPathTooLong};
    case ClipboardRefusal::kBadFile: return {"reason", read.name + ": " + read.detail};
    case ClipboardRefusal::kBadPicture: break;
  }
  return {"reason", read.detail};
}

}  // namespace

void PasteScreenshot(CommandContext& context) {
  MemoryImage picture;
  const ClipboardRead read = ReadClipboardPicture(context.frame.Window(), picture);
  switch (read.outcome) {
    case ClipboardPicture::kNone: context.prompts.Tell(Report({{Text::PasteNoPicture}}, PromptIcon::Warning)); return;
    case ClipboardPicture::kRefused:
      context.prompts.Tell(Report({{Text::PasteRefused, {RefusalReason(read)}}}));
      return;
    case ClipboardPicture::kTaken:
      TakeScreenshot(context.session, context.prompts, context.status, context.frame.Window(), std::move(picture),
                     read.name);
      return;
  }
}
