// The main window `TForm9`: menu with shortcuts, the top band (board type
// code, switches, banner), the layer table and the bottom band (editor
// values, offsets, export units, output directory, "Экспорт"). It shows the
// state of a layers::LayerTableModel and turns the operator's input into it.
#pragma once

#include <memory>
#include <string>

#include "layers/layer_table_model.h"
#include "widgets/grid_window_win.h"
#include "widgets/picture_win.h"
#include "widgets/window_win.h"

namespace cadlink {
class UnreadSteps;
}

class TForm9 : public widgets::Window {
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
  };
  // Control IDs.
  enum ControlId : int {
    kIdEdit1 = 1001,
    kIdCheckBox1,
    kIdCheckBox2,
    kIdExport,
    kIdUnitsMm,
    kIdUnitsInch,
    kIdGrid,
  };

  bool create();
  layers::LayerTableModel& model() { return model_; }

  // Shows the window for the first time, running the start-up sequence
  // before it appears.
  void showFirst(int showCmd);

  // The editor's main window.
  HWND editorHandle() const;
  // Disables the commands and controls that need an editor.
  void setDetached();
  // The keyboard focus on the board type code edit.
  void focusBoardTypeCode();

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void createMenu();
  void createControls();
  void bindModel();
  void layout(int width, int height);
  void onCommand(int id, int code, HWND control);
  void Edit1Char(WPARAM& ch);
  static LRESULT CALLBACK edit1Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                    DWORD_PTR ref);
  void releaseTable();
  // Start-up: splash, delays, command line, then attachment to the editor.
  void runStartup();
  void attachEditor();
  // Steps 7 to 17 of the start-up: the values read from the editor.
  void readEditorValues(cadlink::UnreadSteps& unread);
  // Names to the operator what the editor did not give, if anything.
  void reportUnread(const cadlink::UnreadSteps& unread);
  // "Экспорт"
  void Button1Click();
  bool exporting_ = false;  // an export run is under way
  bool focusPending_ = false;

  layers::LayerTableModel model_;
  HACCEL accelerators_ = nullptr;
  HMENU menu_ = nullptr;
  widgets::Picture banner_;
  widgets::GridWindow grid_;
  bool started_ = false;
  bool syncingEdit_ = false;

  struct Controls {
    HWND typeLabel, edit1, plus, label17, checkBox1, checkBox2;
    HWND smsCaption, sms, psCaption, ps, dasCaption, das;
    HWND offXCaption, offX, offYCaption, offY, unitsCaption, unitsMm, unitsInch;
    HWND dirCaption, dir;
    HWND exportButton;
  } c_{};
};

extern TForm9* Form9;
