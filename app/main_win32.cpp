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

#include <string>

#include "app_state.h"
#include "decoded_image_store.h"
#include "dialog_placement.h"
#include "editor_start.h"
#include "file_commands.h"
#include "gif_writer.h"
#include "history_commands.h"
#include "image_file_dialogs_win32.h"
#include "image_files.h"
#include "image_lib.h"
#include "link_control.h"
#include "main_window.h"
#include "dpi_scaling.h"
#include "main_window_placement.h"
#include "map_view.h"
#include "recovery.h"
#include "new_scene_command.h"
#include "renderer.h"
#include "resource.h"
#include "side_switch.h"
#include "ui_language.h"
#include "view_zoom.h"

namespace {

constexpr int kExitFailure = 1;

int FailStartUp(const char* message, const char* caption, UINT icon = MB_ICONERROR) {
  MessageBoxA(nullptr, message, caption, icon);
  return kExitFailure;
}

// The same once the main window exists: the message first, as the window's end posts the
// quit message that would close a message box shown after it at once.
int FailStartUp(HWND mainWindow, const char* message, const char* caption, UINT icon = MB_ICONERROR) {
  FailStartUp(message, caption, icon);
  DestroyWindow(mainWindow);
  return kExitFailure;
}

// The folder of the program, ending with a backslash (the text is kept whole when it has
// none). False when the path does not fit a path buffer.
bool FindProgramFolder(std::string& folder) {
  char path[kMaxPath];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  // A path that fills the whole buffer was cut off.
  if (length == 0 || length >= sizeof path) return false;
  folder.assign(path, length);
  const std::size_t lastBackslash = folder.find_last_of('\\');
  if (lastBackslash != std::string::npos) folder.resize(lastBackslash + 1);
  return true;
}

bool RegisterWindowClasses(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.hInstance = instance;
  windowClass.hIcon = App().icon;
  windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VANTOREL), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN_MENU);

  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.lpszClassName = kMainWindowClass;
  if (!RegisterClassExA(&windowClass)) return false;
  windowClass.lpfnWndProc = MapViewProc;
  windowClass.lpszClassName = kViewWindowClass;
  return RegisterClassExA(&windowClass) != 0;
}

// The menu of the interface language; the class menu only when that cannot be loaded.
HWND CreateMainWindow(HINSTANCE instance) {
  return CreateWindowExA(WS_EX_OVERLAPPEDWINDOW, kMainWindowClass, kProgramTitle,
                         WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, LoadMainMenu(), instance, nullptr);
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

// The first argument after the program's name, in the ANSI code page the program uses for
// file names; empty when there is none (or it cannot be converted).
std::string SceneOnCommandLine() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::string scene;
  if (arguments && count >= 2) {
    char path[kMaxPath];
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, 0, arguments[1], -1, path, sizeof path, nullptr, &lossy);
    if (length > 1 && !lossy) scene = path;
  }
  LocalFree(arguments);
  return scene;
}

void FreeDocumentImages() {
  LoadScreenDocument& document = Document();
  for (MemoryImage& cameo : document.cameos) cameo.Free();
  document.screenshot.Free();
  document.worldMap.Free();
  document.largeTargetBox.Free();
  document.worldMap2x.Free();
  document.interfaceFrame.Free();
  document.smallTargetBox.Free();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  AppState& app = App();
  LoadScreenDocument& document = Document();
  app.animateDialogs = true;
  InitCommonControls();

  if (!FindProgramFolder(document.appDir))
    return FailStartUp("Error: The path of the program folder is too long.", kProgramCaption);
  // A library that failed to start shows up as the first missing template below.
  InitImageFiles();
  // The templates' maps and frames decoded by an earlier run are read back from the user's
  // cache instead of decoded again.
  UseDecodedImageStore(UserImageCacheFolder());
  EnableGifWriting();
  KeepDialogsOnScreen();
  RegisterImagePreviewClass(instance);
  if (!ViewCanvas().Create(CanvasWidth, CanvasHeight))
    return FailStartUp("Error: Can't create the view canvas.", kProgramCaption);
  // The templates of the first picture are read on a second thread while the window is
  // made, and by this thread too once it is: the first picture shows the large map from row
  // 103 down through its window, so only those rows are decoded before it (a third of the
  // map, the largest template); the whole map follows right after the window is shown.
  ImageFileCache startTemplates(ImageFileCache::Use::kOnce);
  document.imageCache = &startTemplates;
  PlaceStartScreen(document, true);

  app.instance = instance;
  LoadLanguageChoice();
  app.icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VANTOREL));
  if (!RegisterWindowClasses(instance) || !RegisterLinkClass(instance))
    return FailStartUp("RegisterClassEx failed!", kErrorCaption);

  HWND mainWindow = CreateMainWindow(instance);
  if (!mainWindow) {
    // A failure inside the window's creation has shown its own message already.
    if (app.startupFailureReported) return kExitFailure;
    return FailStartUp("Error: Can't create the main window.", kProgramCaption);
  }
  // The window is not shown yet: a missing template ends the start without one.
  std::string message;
  if (!document.LoadCommonTemplates(message)) return FailStartUp(mainWindow, message.c_str(), kProgramCaption);
  if (!StartAlliedSide(document))
    return FailStartUp(mainWindow, kMissingSideTemplateMessage, kErrorCaption, MB_ICONWARNING);
  // Files read later (another side, the whole 2x map) are read as they are asked for.
  document.imageCache = nullptr;
  document.SetLayers(true, true);
  SetEditMode(EditMode::SmallMap);
  // Whole picture pixels on any monitor: 2 x 2 screen pixels each at 200 %.
  // The zoom of the last clean exit, if any.
  SetViewZoom(RememberedZoom(ZoomForDpi(WindowDpi(mainWindow))));
  // From here on every change of the document is a step of the history.
  UndoHistory& history = History();
  history.SetListener(ShowHistoryState);
  document.SetRecorder(&RecorderWatchedForRecovery(history));
  history.MarkSaved();
  ShowMainWindow(mainWindow, showCommand);
  UpdateWindow(mainWindow);
  // What File > New puts back, kept once the first picture is up.
  RememberStartScreen();
  if (!document.LoadWholeLargeMap(message)) return FailStartUp(mainWindow, message.c_str(), kProgramCaption);
  OfferRecoveryAtStart();
  const std::string scene = SceneOnCommandLine();
  if (!scene.empty()) OpenSceneFile(scene);

  const int exitCode = RunMessageLoop(mainWindow, LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_SHORTCUTS)));
  // A clean end: the unsaved work was let go knowingly, so no copy of it stays.
  DiscardRecovery();

  FreeDocumentImages();
  ImageUnInit();
  ReleaseLinkFont();
  return exitCode;
}
