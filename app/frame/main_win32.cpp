// The editor's entry: start-up, the message loop and shutdown.
//
// The command line is read first: a help word shows the usage and ends the process (exit
// code 0) before anything else starts. Start-up then finds the program's folder, starts the
// image files, starts reading the templates of the first picture on a second thread, makes
// the view canvas, registers the window classes, creates the main window and shows it at
// once, its view in its grey; then loads the three templates every side shares and the
// first side, and the view draws its picture. What that picture does not need (the dialog
// hook and classes, GIF writing, the recent files, the whole large map, the recovery
// copies, the scene named on the command line) comes after it. Any failure of the start
// shows its message with the window hidden and ends the process with exit code 1. A normal
// end returns 0.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "decoded_image_store.h"
#include "dialog_placement.h"
#include "dpi.h"
#include "editor_command_line.h"
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
// The window, shown at once, goes out of sight before the message: a failed start shows
// no editor.
int FailStartUp(HWND mainWindow, TextLine message, PromptCaption caption = PromptCaption::Program,
                PromptIcon icon = PromptIcon::Error) {
  if (mainWindow) ShowWindow(mainWindow, SW_HIDE);
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
  windowClass.hIconSm =
      static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VANTOREL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
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

// The arguments after the program's name, as given.
std::vector<std::u16string> CommandLineArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::u16string> given;
  for (int i = 1; arguments && i < count; ++i) {
    const std::wstring_view argument(arguments[i]);
    given.emplace_back(argument.begin(), argument.end());
  }
  LocalFree(arguments);
  return given;
}

EditorStartRequest ReadCommandLine() {
  const auto narrow = [](std::u16string_view text, bool& lossy) {
    return NarrowText(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()), Narrow::Ansi,
                      &lossy);
  };
  return ReadEditorCommandLine(CommandLineArguments(), narrow, kPathBufferSize);
}

int RunEditor(EditorFrame& frame, HINSTANCE instance, int showCommand) {
  const EditorStartRequest request = ReadCommandLine();
  if (request.kind == EditorStartKind::Usage) {
    LoadLanguageChoice();
    MessageBoxPrompts(nullptr).Tell(Report(request.message, PromptIcon::Information));
    return 0;
  }
  LoadScreenDocument& document = frame.session().document();
  if (!ProgramFolder(document.appDir)) return FailStartUp({{Text::ProgramFolderTooLong}});
  // A library that failed to start shows up as the first missing template below.
  InitImageFiles();
  // The templates' maps and frames decoded by an earlier run are read back from the user's
  // cache instead of decoded again.
  UseDecodedImageStore(UserImageCacheFolder());
  // The templates of the first picture are read on a second thread, started first, while
  // the window is made and shown, and by this thread too once it is: the first picture
  // shows the large map from row 103 down through its window, so only those rows are
  // decoded before it (a third of the map, the largest template); the whole map follows
  // right after it.
  ImageFileCache startTemplates(ImageFileCache::Use::kOnce);
  document.imageCache = &startTemplates;
  PlaceStartScreen(document, true);

  InitCommonControls();
  if (!frame.view().MakeCanvas()) return FailStartUp({{Text::ViewCanvasFailed}});
  LoadLanguageChoice();
  if (!frame.RegisterWindowClasses(WindowClassBase(instance)))
    return FailStartUp({{Text::RegisterClassFailed}}, PromptCaption::Error);

  bool failureShown = false;
  HWND mainWindow = frame.Create(failureShown);
  if (!mainWindow) {
    // A failure inside the window's creation has shown its own message already.
    if (failureShown) return kExitFailure;
    return FailStartUp({{Text::MainWindowFailed}});
  }
  frame.view().SetMode(EditMode::SmallMap);
  // Whole picture pixels on any monitor: 2 x 2 screen pixels each at 200 %.
  // The zoom of the last clean exit, if any.
  frame.view().SetZoom(RememberedZoom(ZoomForDpi(WindowDpi(mainWindow))));
  // Shown at once: the frame, the menus and the status bar are drawn while the templates
  // are read, the view in its grey until its picture is ready.
  ShowMainWindow(mainWindow, showCommand);
  UpdateWindow(mainWindow);
  std::string message;
  if (!document.LoadCommonTemplates(message)) return FailStartUp(mainWindow, Verbatim(message));
  if (!StartAlliedSide(document))
    return FailStartUp(mainWindow, {{Text::MissingSideTemplate}}, PromptCaption::Error, PromptIcon::Warning);
  // Files read later (another side, the whole 2x map) are read as they are asked for.
  document.imageCache = nullptr;
  document.SetLayers(true, true);
  // From here on every change of the document is a step of the history.
  frame.session().BeginRecording();
  frame.ShowPicture();

  // What the first picture does not need.
  KeepDialogsOnScreen();
  RegisterImagePreviewClass(instance);
  if (!RegisterLinkClass(instance)) return FailStartUp(mainWindow, {{Text::RegisterClassFailed}}, PromptCaption::Error);
  EnableGifWriting();
  frame.ShowRecentFiles(StoredSettings().RecentFiles());
  frame.RefreshMenus();
  // What File > New puts back, kept once the first picture is up.
  frame.session().RememberStartScreen();
  if (!document.LoadWholeLargeMap(message)) return FailStartUp(mainWindow, Verbatim(message));
  frame.recovery().OfferAtStart(frame.prompts());
  if (request.kind == EditorStartKind::OpenScene) frame.OpenScene(request.scene);
  if (request.kind == EditorStartKind::RefuseScene) frame.prompts().Tell(Report(request.message));

  const int exitCode = RunMessageLoop(mainWindow, LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_SHORTCUTS)));
  // A clean end: the unsaved work was let go knowingly, so no copy of it stays.
  frame.recovery().Discard();
  return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  auto frame = std::make_unique<EditorFrame>();
  const int exitCode = RunEditor(*frame, instance, showCommand);
  // The document's pictures and the view go before the image libraries end.
  frame.reset();
  ImageUnInit();
  ReleaseLinkFont();
  return exitCode;
}
