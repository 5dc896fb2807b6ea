// The main window: menu with shortcuts, the top band (board type code,
// switches, banner), the layer table and the bottom band (editor values,
// offsets, export units, output directory, "Экспорт"). It shows the state
// of a layers::LayerTableModel and turns the operator's input into it. It owns the
// program's other windows (the about box, the editor chooser and the
// dialogs of its menu) and the message pump that serves them all.
#pragma once

#include <memory>
#include <string>

#include "tavrolin/about_box_win.h"
#include "tavrolin/preview_window_win.h"
#include "layers/layer_table_model.h"
#include "cadlink/chooser_win.h"
#include "cadlink/editor_link.h"
#include "dialogs/offset_dialog_win.h"
#include "dialogs/param_dialog_win.h"
#include "dialogs/settings_dialog_win.h"
#include "export/drill_check.h"
#include "export/export_run.h"
#include "export/run_files.h"
#include "layers/board_choices.h"
#include "widgets/grid_window_win.h"
#include "widgets/message_pump_win.h"
#include "widgets/picture_win.h"
#include "widgets/window_win.h"

namespace cadlink {
class UnreadSteps;
}

namespace app {

// The main window's class; the Wine tests and the demo driver find the
// program's main window by it.
inline constexpr wchar_t kMainWindowClass[] = L"TForm9";

class MainWindow : public widgets::Window {
 public:
  // Menu command IDs.
  enum Command : int {
    kCmdExit = 101,
    kCmdOffset,
    kCmdSolderMaskSwell,
    kCmdPlaneSwell,
    kCmdDrawApertureSize,
    kCmdSettings,
    kCmdManual,
    kCmdAbout,
    kCmdResetChoices,
    kCmdPreview,
  };
  // Control IDs.
  enum ControlId : int {
    kIdBoardTypeCode = 1001,
    kIdBindToType,
    kIdViasCoveredByMask,
    kIdExport,
    kIdUnitsMm,
    kIdUnitsInch,
    kIdGrid,
  };

  // Creates the window and, hidden, the windows it owns.
  bool create();
  layers::LayerTableModel& model() { return model_; }
  // The link to the editor this window works with; its dialogs share it.
  cadlink::EditorLink& link() { return link_; }
  widgets::MessagePump& pump() { return pump_; }
  dialogs::OffsetDialog& offsetDialog() { return offsetDialog_; }
  dialogs::SolderMaskSwellDialog& solderMaskSwellDialog() { return solderMaskSwellDialog_; }
  dialogs::DrawApertureSizeDialog& drawApertureSizeDialog() { return drawApertureSizeDialog_; }

  // Shows the window for the first time, running the start-up sequence
  // before it appears.
  void showFirst(int showCmd);
  // Runs the event loop until the window is closed; returns its exit code.
  int run() { return pump_.run(); }

  // The editor's main window.
  HWND editorHandle() const;
  // Disables the commands and controls that need an editor.
  void setDetached();
  // The keyboard focus on the board type code edit.
  void focusBoardTypeCode();

 protected:
  bool onCommand(int id, int code, HWND control) override;
  bool onSize(int width, int height) override;
  bool onClose() override;
  void onDestroy() override;
  LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void createMenu();
  // A text of the window, placed later by the layout.
  HWND createLabel(const std::wstring& text, DWORD extraStyle = 0);
  void createControls();
  void createBottomBand();
  void createOwnedWindows();
  void bindModel();
  void layout(int width, int height);
  void layoutTopBand(int width);
  void layoutBottomBand(int width, int height);
  void onMenuCommand(int id);
  void onControlCommand(int id, int code, HWND control);
  // Shows a dialog of the menu and waits until it hides itself.
  void waitForDialog(widgets::Window& dialog);
  void waitForParamDialog(dialogs::ParamDialog& dialog, widgets::TextBox& value);
  // Shows a window of the menu without waiting; an open one stays as it is.
  void showModeless(widgets::Window& window);
  void onBoardTypeCodeChar(WPARAM& ch);
  void onBoardTypeCodePasted();
  static LRESULT CALLBACK boardTypeCodeProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                            DWORD_PTR ref);
  void releaseTable();
  // Start-up: splash, delays, command line, then attachment to the editor.
  void runStartup();
  void attachEditor();
  // Steps 7 to 17 of the start-up: the values read from the editor.
  void readEditorValues(cadlink::UnreadSteps& unread);
  // Steps 10 and 11: where the design lives and where the files go.
  void readDesignValues(cadlink::UnreadSteps& unread, const std::wstring& configuredOutputDir);
  // Step 14: the editor's version from its title, its build from its build window.
  void readEditorIdentity(cadlink::UnreadSteps& unread);
  // Names to the operator what the editor did not give, if anything.
  void reportUnread(const cadlink::UnreadSteps& unread);
  // "Экспорт"
  void onExport();
  // The checks of the layer table and the output directory before a run.
  bool readyToExport();
  // Steps 4 to 9 of a run: job, driver, error policy. False ends the run.
  bool runDriver(const std::wstring& outputDir, exportcore::RunFiles& run);
  bool acceptDriverEnd(const exportcore::DriverEnd& end, exportcore::ErrorPolicy policy,
                       const exportcore::RunFiles& run);
  // Step 10: the files the driver left; false when drill files failed.
  // `kept` receives the drill files kept.
  bool postProcess(exportcore::RunFiles& run, std::vector<exportcore::KeptDrill>& kept);
  // After step 10, when switched on: the board house's archive of the files
  // this run wrote. False when it could not be written.
  bool writeFabPackage(const std::vector<exportcore::KeptDrill>& kept,
                       const exportcore::RunFiles& run);
  // The operator's choices kept beside the output, D + B + ".tavrolin":
  // restored at start-up, saved once the job is written, reset by the menu.
  std::wstring choicesPath() const;
  void restoreChoices();
  void saveChoices();
  void tellChoicesFault();
  void resetChoices();
  void showRestoredChoices();
  // After a finished run: the files it left become the preview's, and
  // "Просмотр" is enabled.
  void offerPreview(const std::vector<exportcore::KeptDrill>& kept);
  layers::BoardChoices rulesChoices_;  // the table as the rules gave it
  bool rulesKnown_ = false;
  std::wstring choicesFault_;  // told after the run: the choices were not saved
  bool exporting_ = false;     // an export run is under way
  bool focusPending_ = false;

  cadlink::EditorLink link_;
  std::wstring designFileName_;  // the design's file name with its extension
  std::wstring plotDriverPath_;  // full path of the plot driver
  layers::LayerTableModel model_;
  widgets::MessagePump pump_;
  HACCEL accelerators_ = nullptr;
  HMENU menu_ = nullptr;
  widgets::Picture banner_;
  widgets::GridWindow grid_;
  bool started_ = false;
  bool syncingEdit_ = false;

  struct Controls {
    HWND typeLabel, boardTypeCode, plus, otherLayerCount, bindToType, viasCoveredByMask;
    HWND solderMaskSwellCaption, solderMaskSwell, planeSwellCaption, planeSwell;
    HWND drawApertureSizeCaption, drawApertureSize;
    HWND offsetXCaption, offsetX, offsetYCaption, offsetY, unitsCaption, unitsMm, unitsInch;
    HWND outputDirCaption, outputDir, choicesNote;
    HWND exportButton;
  } c_{};

  // The windows this one owns, created hidden after it.
  cadlink::EditorChooser chooser_{link_};
  dialogs::SettingsDialog settingsDialog_;
  dialogs::PlaneSwellDialog planeSwellDialog_{link_};
  dialogs::OffsetDialog offsetDialog_;
  dialogs::SolderMaskSwellDialog solderMaskSwellDialog_{link_};
  dialogs::DrawApertureSizeDialog drawApertureSizeDialog_{link_};
  AboutBox aboutBox_;
  PreviewWindow preview_;
};

}  // namespace app
