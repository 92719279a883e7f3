#include "load_screen_settings_dialog.h"

#include "dialog_placement.h"
#include "language.h"
#include "message_box_prompts.h"
#include "modal_dialog.h"
#include "resource.h"

namespace {

constexpr int kCameoCombos[3] = {IDC_CAMEO_1, IDC_CAMEO_2, IDC_CAMEO_3};

class LoadScreenSettingsDialog final : public ModalDialog {
 public:
  LoadScreenSettingsDialog(const LoadScreenSettingsForm& form, const LoadScreenSettingsActions& actions)
      : form_(form), actions_(actions) {}
  void Show(HWND owner) { Run(DialogTemplate(IDD_LOAD_SCREEN_SETTINGS), owner); }

 private:
  // The catalogue entry of a combo line (its item data is the entry's index); null for none.
  const CatalogueEntry* EntryOfLine(HWND combo, LRESULT line) const {
    const LRESULT index = SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(line), 0);
    if (index < 0 || index >= static_cast<LRESULT>(form_.cameos.size())) return nullptr;
    return &form_.cameos[static_cast<std::size_t>(index)];
  }

  // The radio buttons and the third combo box as the screen stands: after a refused side
  // or count change they show what is still in force, not what was clicked.
  void ShowSideAndCount(const LoadScreenSettingsState& state) {
    if (state.side >= 0 && state.side <= 2)
      CheckRadioButton(window(), IDC_SIDE_ALLIED, IDC_SIDE_YURI, IDC_SIDE_ALLIED + state.side);
    const bool three = state.cameoCount == 3;
    CheckRadioButton(window(), IDC_CAMEO_COUNT_2, IDC_CAMEO_COUNT_3, three ? IDC_CAMEO_COUNT_3 : IDC_CAMEO_COUNT_2);
    EnableWindow(Control(IDC_CAMEO_3), three);
  }

  // Auto radio buttons click themselves when they get the focus unchecked. Before the
  // message of a refused change takes the focus, it moves to the button now checked, so
  // closing the message cannot click the refused one again.
  void Refuse(int checkedButton) {
    SendMessageA(window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(checkedButton)), TRUE);
    MessageBoxPrompts(window()).Tell(Report({{Text::MissingSideTemplate}}, PromptIcon::Warning, PromptCaption::Error));
  }

  void ChangeCount(int count) {
    const bool taken = actions_.setCameoCount(count);
    const LoadScreenSettingsState state = actions_.state();
    ShowSideAndCount(state);
    if (!taken) Refuse(state.cameoCount == 3 ? IDC_CAMEO_COUNT_3 : IDC_CAMEO_COUNT_2);
  }

  void ChangeSide(int side) {
    const bool taken = actions_.setSide(side);
    const LoadScreenSettingsState state = actions_.state();
    ShowSideAndCount(state);
    if (!taken) Refuse(IDC_SIDE_ALLIED + state.side);
  }

  // The cameo of the combo's selected line goes into the slot. A refused file empties the
  // slot, shows it empty at once and leaves no line selected, so reopening shows no stale
  // choice; then the message tells why.
  void ChangeCameo(int slot) {
    HWND combo = Control(kCameoCombos[slot]);
    const LRESULT position = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (position == CB_ERR) return;
    const CatalogueEntry* entry = EntryOfLine(combo, position);
    if (!entry || entry->fileName.empty()) return;
    const CameoOutcome outcome = actions_.setCameo(slot, entry->fileName);
    if (outcome.taken) return;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    MessageBoxPrompts(window()).Tell(outcome.refusal);
  }

  void ChooseScreenshot() {
    if (actions_.chooseScreenshot(window()))
      SetDlgItemTextA(window(), IDC_SCREENSHOT_NAME, actions_.state().screenshotName.c_str());
  }

  // Each combo box shows the line of the cameo its slot holds (the document knows the file,
  // also after an undo or an opened scene); a slot that is empty, or whose file the
  // catalogue no longer lists, shows none. Selecting loads nothing.
  void SelectCameoLines(const LoadScreenSettingsState& state) {
    for (int slot = 0; slot < 3; ++slot) {
      HWND combo = Control(kCameoCombos[slot]);
      LRESULT chosen = CB_ERR;
      const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
      for (LRESULT line = 0; line < count && chosen == CB_ERR && !state.cameoFiles[slot].empty(); ++line) {
        const CatalogueEntry* entry = EntryOfLine(combo, line);
        if (entry && entry->fileName == state.cameoFiles[slot]) chosen = line;
      }
      SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    }
  }

  // Every combo box holds the whole catalogue in reverse file order: each line goes in at
  // the top.
  void FillCameoCombos(const LoadScreenSettingsState& state) {
    if (!form_.catalogueError.empty()) {
      // The lists stay empty; the side, the count and the screenshot still work.
      MessageBoxPrompts(window()).Tell(
          Report({{Text::Verbatim, {{"text", form_.catalogueError}}}}, PromptIcon::Error, PromptCaption::Error));
      return;
    }
    for (std::size_t i = 0; i < form_.cameos.size(); ++i) {
      for (int id : kCameoCombos) {
        const LRESULT position = SendDlgItemMessageA(window(), id, CB_INSERTSTRING, 0,
                                                     reinterpret_cast<LPARAM>(form_.cameos[i].displayName.c_str()));
        if (position >= 0)
          SendDlgItemMessageA(window(), id, CB_SETITEMDATA, static_cast<WPARAM>(position), static_cast<LPARAM>(i));
      }
    }
    SelectCameoLines(state);
  }

  INT_PTR Procedure(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_INITDIALOG: {
        const LoadScreenSettingsState state = actions_.state();
        FillCameoCombos(state);
        ShowSideAndCount(state);
        SetDlgItemTextA(window(), IDC_SCREENSHOT_NAME, state.screenshotName.c_str());
        PlaceBeside(window(), form_.picture);
        return TRUE;
      }
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id >= IDC_CAMEO_1 && id <= IDC_CAMEO_3) {
          if (code != CBN_SELCHANGE) return FALSE;
          ChangeCameo(id - IDC_CAMEO_1);
        } else if (id == IDC_SCREENSHOT_BROWSE && code == BN_CLICKED) {
          ChooseScreenshot();
        } else if ((id == IDC_CAMEO_COUNT_2 || id == IDC_CAMEO_COUNT_3) && code == BN_CLICKED) {
          ChangeCount(id == IDC_CAMEO_COUNT_3 ? 3 : 2);
        } else if (id >= IDC_SIDE_ALLIED && id <= IDC_SIDE_YURI && code == BN_CLICKED) {
          ChangeSide(id - IDC_SIDE_ALLIED);
        } else {
          return FALSE;
        }
        return TRUE;
      }
      default: return FALSE;
    }
  }

  const LoadScreenSettingsForm& form_;
  const LoadScreenSettingsActions& actions_;
};

}  // namespace

void ShowLoadScreenSettingsDialog(HWND owner, const LoadScreenSettingsForm& form,
                                  const LoadScreenSettingsActions& actions) {
  LoadScreenSettingsDialog(form, actions).Show(owner);
}
