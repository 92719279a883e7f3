// What the game will show, in the view: View -> Preview the 640 x 400 screen shows the
// picture of the 640 x 480 mode centred on grey, View -> Mark palette entry 0 pixels draws
// the pixels the games would show as holes magenta in either picture (and turns the preview
// on), and the status bar names the picture and counts those pixels. Each view equals the
// core's preview of the same screen.
#include <windows.h>

#include <string>

#include "export_preview.h"
#include "memory_image.h"
#include "renderer.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wait.h"
#include "wide_text.h"

namespace {

class GamePreviewRun : public Scenario {
 public:
  explicit GamePreviewRun(const DriverContext& context) : Scenario(context, "game_preview") {}
  void Run();

 private:
  // The core's preview of the model's screen with the default export, as the editor shows it.
  MemoryImage Expected(PreviewShape shape, PreviewStats& stats) {
    MemoryImage screen, preview;
    screen.Create(CanvasWidth, CanvasHeight);
    preview.Create(CanvasWidth, CanvasHeight);
    RenderLoadScreen(model.document(), &screen);
    if (RenderExportPreview(screen, ShpExportSettings{}, {}, shape, preview, stats) != PreviewOutcome::Done)
      preview.Free();
    return preview;
  }
  // The three items' check marks: 800 picture, 640 picture, marks.
  void ExpectItems(bool ls800, bool ls640, bool marks, const std::string& check) {
    ExpectMenuItem(context, session, IDM_PREVIEW_AS_EXPORTED, ls800, false, name() + "." + check + ".800_item");
    ExpectMenuItem(context, session, IDM_PREVIEW_640, ls640, false, name() + "." + check + ".640_item");
    ExpectMenuItem(context, session, IDM_MARK_INDEX0, marks, false, name() + "." + check + ".mark_item");
  }
  void ExpectStatusHas(const std::wstring& start, const std::wstring& part, const std::string& check) {
    std::wstring got;
    WaitUntil(
        [&] { return (got = session.StatusText(2)).rfind(start, 0) == 0 && got.find(part) != std::wstring::npos; },
        kDefaultWaitMs);
    Expect(got.rfind(start, 0) == 0 && got.find(part) != std::wstring::npos, check,
           "the status bar says " + Quoted(got) + ", expected " + Quoted(start) + "... " + Quoted(part));
  }
};

void GamePreviewRun::Run() {
  // 1. The 640 picture, from the preview off.
  Command(IDM_PREVIEW_640);
  ExpectItems(false, true, false, "ls640");
  PreviewStats plain;
  Shows(Expected({true, false}, plain), "game_preview.ls640.view_shows_the_640_picture");
  ExpectStatusHas(EditorText(Text::PreviewStart640) + EditorText(Text::PreviewOctree), L"dB", "ls640.status");

  // 2. Its pixels on a coloured entry 0, marked and counted.
  Command(IDM_MARK_INDEX0);
  ExpectItems(false, true, true, "ls640_marked");
  PreviewStats marked;
  const MemoryImage expected = Expected({true, true}, marked);
  Expect(marked.index0Pixels > 0 && marked.psnr == plain.psnr, "ls640_marked.screen_has_holes",
         std::to_string(marked.index0Pixels) + " pixels on entry 0");
  Shows(expected, "game_preview.ls640_marked.view_shows_the_marks");
  ExpectStatusHas(EditorText(Text::PreviewStart640),
                  EditorText({{Text::PreviewIndex0, {{"count", std::to_string(marked.index0Pixels)}}}}),
                  "ls640_marked.status_counts_them");

  // 3. The 800 picture keeps the marks.
  Command(IDM_PREVIEW_AS_EXPORTED);
  ExpectItems(true, false, true, "ls800_marked");
  PreviewStats ls800;
  Shows(Expected({false, true}, ls800), "game_preview.ls800_marked.view_shows_the_marks");
  ExpectStatusHas(EditorText(Text::PreviewStart),
                  EditorText({{Text::PreviewIndex0, {{"count", std::to_string(ls800.index0Pixels)}}}}),
                  "ls800_marked.status_counts_them");

  // 4. Off, the plain view; the marks' item turns the preview on again.
  Command(IDM_PREVIEW_AS_EXPORTED);
  ExpectItems(false, false, true, "off");
  View("game_preview.off.plain_view");
  Command(IDM_MARK_INDEX0);
  Command(IDM_MARK_INDEX0);
  ExpectItems(true, false, true, "marks_turn_the_preview_on");
  Shows(Expected({false, true}, ls800), "game_preview.marks_turn_the_preview_on.view");
}

}  // namespace

void RunGamePreviewChecks(const DriverContext& context) {
  GamePreviewRun run(context);
  if (run.Start()) run.Run();
}
