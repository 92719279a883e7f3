// The editor's entry: start-up, the message loop and shutdown.
//
// Start-up finds the program's folder, starts the image files, makes the view canvas, starts
// reading the templates of the first picture on a second thread, registers the window
// classes and creates the main window, hidden; then loads the three templates every side
// shares and the first side. Any failure there shows its message and ends the process with
// exit code 1, without a window shown. A normal end returns 0.
// A scene file named on the command line is opened once the window shows.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "decoded_image_store.h"
#include "dialog_placement.h"
#include "dpi.h"
#include "editor_frame.h"
#include "editor_start.h"
#include "gif_writer.h"
#include "image_file_dialogs_win32.h"
#include "image_files.h"
#include "image_lib.h"
#include "language.h"
#include "link_control.h"
#include "main_window_placement.h"
#include "path_limits.h"
#include "paths.h"
#include "resource.h"
#include "text_conversion.h"
#include "user_settings_store.h"
#include "view_zoom.h"

namespace {

constexpr int kExitFailure = 1;

// The message first, and only then the window's end: that posts the quit message, which
// would close a message box shown after it at once.
int FailStartUp(HWND mainWindow, TextLine message, PromptCaption caption = PromptCaption::Program,
                PromptIcon icon = PromptIcon::Error) {
  MessageBoxPrompts(nullptr).Tell(Report(std::move(message), icon, caption));
  if (mainWindow) DestroyWindow(mainWindow);
  return kExitFailure;
}

int FailStartUp(TextLine message, PromptCaption caption = PromptCaption::Program) {
  return FailStartUp(nullptr, std::move(message), caption);
}

TextLine Verbatim(const std::string& text) { return {{Text::Verbatim, {{"text", text}}}}; }

WNDCLASSEXA WindowClassBase(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VANTOREL));
  windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VANTOREL), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN_MENU);
  return windowClass;
}

// Returns 0 when the main window was destroyed, 1 when GetMessage failed. The shortcuts
// (Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Z, Ctrl+Y, Ctrl+L and the zoom keys) become menu commands
// of the main window.
int RunMessageLoop(HWND mainWindow, HACCEL shortcuts) {
  MSG message;
  for (;;) {
    const BOOL result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0) return 0;
    if (result == -1) return kExitFailure;
    if (shortcuts && TranslateAcceleratorA(mainWindow, shortcuts, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The first argument after the program's name, in the code page the program uses for file
// names; empty when there is none (or it cannot be converted, or is too long).
std::string SceneOnCommandLine() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::string scene;
  if (arguments && count >= 2) {
    bool lossy = false;
    scene = NarrowText(arguments[1], Narrow::Ansi, &lossy);
    if (lossy || scene.size() >= kPathBufferSize) scene.clear();
  }
  LocalFree(arguments);
  return scene;
}

int RunEditor(EditorFrame& frame, HINSTANCE instance, int showCommand) {
  LoadScreenDocument& document = frame.session().document();
  if (!ProgramFolder(document.appDir)) return FailStartUp({{Text::ProgramFolderTooLong}});
  // A library that failed to start shows up as the first missing template below.
  InitImageFiles();
  // The templates' maps and frames decoded by an earlier run are read back from the user's
  // cache instead of decoded again.
  UseDecodedImageStore(UserImageCacheFolder());
  EnableGifWriting();
  KeepDialogsOnScreen();
  RegisterImagePreviewClass(instance);
  if (!frame.view().MakeCanvas()) return FailStartUp({{Text::ViewCanvasFailed}});
  // The templates of the first picture are read on a second thread while the window is
  // made, and by this thread too once it is: the first picture shows the large map from row
  // 103 down through its window, so only those rows are decoded before it (a third of the
  // map, the largest template); the whole map follows right after the window is shown.
  ImageFileCache startTemplates(ImageFileCache::Use::kOnce);
  document.imageCache = &startTemplates;
  PlaceStartScreen(document, true);

  LoadLanguageChoice();
  frame.session().SetRecentFiles(StoredSettings().RecentFiles());
  if (!frame.RegisterWindowClasses(WindowClassBase(instance)) || !RegisterLinkClass(instance))
    return FailStartUp({{Text::RegisterClassFailed}}, PromptCaption::Error);

  bool failureShown = false;
  HWND mainWindow = frame.Create(failureShown);
  if (!mainWindow) {
    // A failure inside the window's creation has shown its own message already.
    if (failureShown) return kExitFailure;
    return FailStartUp({{Text::MainWindowFailed}});
  }
  // The window is not shown yet: a missing template ends the start without one.
  std::string message;
  if (!document.LoadCommonTemplates(message)) return FailStartUp(mainWindow, Verbatim(message));
  if (!StartAlliedSide(document))
    return FailStartUp(mainWindow, {{Text::MissingSideTemplate}}, PromptCaption::Error, PromptIcon::Warning);
  // Files read later (another side, the whole 2x map) are read as they are asked for.
  document.imageCache = nullptr;
  document.SetLayers(true, true);
  frame.view().SetMode(EditMode::SmallMap);
  // Whole picture pixels on any monitor: 2 x 2 screen pixels each at 200 %.
  // The zoom of the last clean exit, if any.
  frame.view().SetZoom(RememberedZoom(ZoomForDpi(WindowDpi(mainWindow))));
  // From here on every change of the document is a step of the history.
  frame.session().BeginRecording();
  ShowMainWindow(mainWindow, showCommand);
  UpdateWindow(mainWindow);
  frame.RefreshMenus();
  // What File > New puts back, kept once the first picture is up.
  frame.session().RememberStartScreen();
  if (!document.LoadWholeLargeMap(message)) return FailStartUp(mainWindow, Verbatim(message));
  frame.recovery().OfferAtStart(frame.prompts());
  const std::string scene = SceneOnCommandLine();
  if (!scene.empty()) frame.OpenScene(scene);

  const int exitCode = RunMessageLoop(mainWindow, LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_SHORTCUTS)));
  // A clean end: the unsaved work was let go knowingly, so no copy of it stays.
  frame.recovery().Discard();
  return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  InitCommonControls();
  auto frame = std::make_unique<EditorFrame>();
  const int exitCode = RunEditor(*frame, instance, showCommand);
  // The document's pictures and the view go before the image libraries end.
  frame.reset();
  ImageUnInit();
  ReleaseLinkFont();
  return exitCode;
}
