// vantorel_gui_driver: black-box tests of Vantorel.exe, run under Wine by run_gui_tests.sh.
//
//   vantorel_gui_driver.exe <staged folder> <scratch folder> [--language=english] [scenario...]
//
// The staged folder holds Vantorel.exe with the template package (Templates\, Settings.ini);
// the scratch folder is writable and receives package variants. Without scenario names all
// scenarios run. The run checks the Chinese interface, or the English one with
// --language=english: it writes the editor's language settings file before the first
// scenario, and every check expects the texts of that language. Prints one line per check and "N passed, M failed"; the
// exit code is 0 only when every check passed.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "check_log.h"
#include "driver_context.h"
#include "run_language.h"
#include "scenarios.h"
#include "wide_text.h"

namespace {
struct NamedScenario {
  const wchar_t* name;
  void (*run)(const DriverContext&);
};

const NamedScenario kScenarios[] = {
    {L"startup", RunStartupChecks},
    {L"keys", RunKeyChecks},
    {L"markers", RunMarkerChecks},
    {L"settings", RunSettingsErrorChecks},
    {L"view", RunViewChecks},
    {L"clipboard", RunClipboardChecks},
    {L"exit", RunExitChecks},
    {L"startup_failures", RunStartupFailureChecks},
    {L"cameos", RunCameoChecks},
    {L"screenshot", RunScreenshotChecks},
    {L"colourize", RunColourizeChecks},
    {L"scenes", RunSceneFileChecks},
    {L"undo", RunUndoChecks},
    {L"shp_export", RunShpExportChecks},
    {L"mix", RunMixChecks},
    {L"save_image", RunSaveImageChecks},
    {L"about", RunAboutChecks},
    {L"soak", RunSoakChecks},
    {L"comfort", RunComfortChecks},
    {L"language", RunLanguageChecks},
    {L"paste", RunPasteChecks},
    {L"recovery", RunRecoveryChecks},
    {L"system_language", RunSystemLanguageChecks},
    {L"zoom", RunZoomChecks},
    {L"new_and_recent", RunNewAndRecentChecks},
    {L"preview", RunPreviewChecks},
    {L"placement", RunPlacementChecks},
    {L"names", RunOutputNameChecks},
    {L"dpi", RunDpiChecks},
    {L"palette_name", RunPaletteNameChecks},
    {L"mission", RunMissionChecks},
    {L"game_preview", RunGamePreviewChecks},
    {L"command_line", RunCommandLineChecks},
};

std::wstring WithoutTrailingSlash(std::wstring path) {
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH];
  const DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return n > 0 && n < MAX_PATH ? std::wstring(full) : path;
}

// The probe DLL lies beside the driver.
std::wstring ProbePath() {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  const std::size_t slash = path.find_last_of(L"\\/");
  return (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) + L"vantorel_gui_probe.dll";
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: vantorel_gui_driver <staged folder> <scratch folder> [scenario...]\n");
    return 2;
  }
  int first = 3;
  DriverLanguage language = DriverLanguage::Chinese;
  if (argc > 3 && std::wcscmp(argv[3], L"--language=english") == 0) {
    language = DriverLanguage::English;
    first = 4;
  } else if (argc > 3 && std::wcscmp(argv[3], L"--language=chinese") == 0) {
    first = 4;
  }
  UseInterfaceLanguage(language);
  CheckLog log;
  log.Note(std::string("interface language: ") + LanguageName(language));
  std::string error;
  if (!WriteLanguageSettings(language == DriverLanguage::English ? "[Interface]\r\nLanguage=English\r\n" : nullptr,
                             error))
    log.Fail("setup", "cannot write the editor's language settings: " + error);
  DriverContext context{log, WithoutTrailingSlash(FullPath(argv[1])), WithoutTrailingSlash(FullPath(argv[2])),
                        ProbePath()};
  if (GetFileAttributesW(context.EditorIn(context.packageDir).c_str()) == INVALID_FILE_ATTRIBUTES) {
    log.Fail("setup", "no Vantorel.exe in " + Utf8(context.packageDir));
  } else if (GetFileAttributesW(context.probeDll.c_str()) == INVALID_FILE_ATTRIBUTES) {
    log.Fail("setup", "no probe DLL at " + Utf8(context.probeDll));
  } else {
    for (const NamedScenario& scenario : kScenarios) {
      bool chosen = argc == first;
      for (int i = first; i < argc; ++i) chosen = chosen || std::wcscmp(argv[i], scenario.name) == 0;
      if (!chosen) continue;
      const ULONGLONG start = GetTickCount64();
      scenario.run(context);
      log.Note(Utf8(scenario.name) + " took " + std::to_string(GetTickCount64() - start) + " ms");
    }
  }
  log.PrintSummary();
  return log.failed() == 0 && log.passed() > 0 ? 0 : 1;
}
