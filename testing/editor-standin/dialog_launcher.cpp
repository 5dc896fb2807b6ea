// Dialog opening with delays, refusals, exits and decoys.
#include "dialog_launcher.h"

#include "aperture_dialog.h"
#include "build_window.h"
#include "configure_dialog.h"
#include "decoy_window.h"
#include "design_info_dialog.h"
#include "drill_dialog.h"
#include "editor_ids.h"
#include "gerber_dialog.h"
#include "layers_dialog.h"

namespace standin {

namespace {

constexpr UINT_PTR kTimerBase = 100;
constexpr int kExitCodeOnPurpose = 3;

UINT_PTR timerIdOf(DialogKind kind) { return kTimerBase + static_cast<UINT_PTR>(kind); }

}  // namespace

std::optional<DialogKind> DialogLauncher::kindOfCommand(unsigned command) const {
  unsigned build = buildCommand(app_.options.version);
  if (build != 0 && command == build) return DialogKind::Build;
  switch (command) {
    case kCmdLayers:
      return DialogKind::Layers;
    case kCmdDesignInfo:
      return DialogKind::DesignInfo;
    case kCmdConfigure:
      return DialogKind::Configure;
    case kCmdGerber:
      return DialogKind::Gerber;
    case kCmdDrill:
      return DialogKind::Drill;
    default:
      return std::nullopt;
  }
}

std::wstring DialogLauncher::titleOf(DialogKind kind) const {
  switch (kind) {
    case DialogKind::Build:
      return buildWindowTitle(app_.options.version);
    case DialogKind::Layers:
      return kTitleLayers;
    case DialogKind::DesignInfo:
      return kTitleDesignInfo;
    case DialogKind::Configure:
      return kTitleConfigure;
    case DialogKind::Gerber:
      return gerberTitle(app_.options.version);
    case DialogKind::Apertures:
      return kTitleApertures;
    case DialogKind::Drill:
      return kTitleDrill;
  }
  return {};
}

void DialogLauncher::request(DialogKind kind) {
  std::wstring title = titleOf(kind);
  if (app_.options.exitsOn(title)) ExitProcess(kExitCodeOnPurpose);
  if (app_.options.neverOpens(title) || app_.options.ignoreCommands) return;
  if (app_.options.dialogDelayMs > 0) {
    SetTimer(main_, timerIdOf(kind), app_.options.dialogDelayMs, nullptr);
  } else {
    open(kind);
  }
}

bool DialogLauncher::timerFired(UINT_PTR id) {
  for (DialogKind kind :
       {DialogKind::Build, DialogKind::Layers, DialogKind::DesignInfo, DialogKind::Configure,
        DialogKind::Gerber, DialogKind::Apertures, DialogKind::Drill}) {
    if (timerIdOf(kind) == id) {
      KillTimer(main_, id);
      open(kind);
      return true;
    }
  }
  return false;
}

void DialogLauncher::openDecoy(const std::wstring& title) {
  (new DecoyWindow(app_, title))->show(main_, 320, 150);
}

void DialogLauncher::open(DialogKind kind) {
  auto it = open_.find(kind);
  // A dialog hidden after its Generate is on its way out: not "open".
  if (it != open_.end() && IsWindow(it->second) && IsWindowVisible(it->second)) return;
  DialogWindow* dialog = nullptr;
  int width = 440;
  int height = 200;
  switch (kind) {
    case DialogKind::Build:
      dialog = new BuildWindow(app_);
      width = 340;
      height = 140;
      break;
    case DialogKind::Layers:
      if (app_.options.dupLayersDialog) openDecoy(kTitleLayers);
      dialog = new LayersDialog(app_);
      height = 370;
      break;
    case DialogKind::DesignInfo:
      if (app_.options.titlePrefixDialog) openDecoy(kTitleDesignInfoDecoy);
      dialog = new DesignInfoDialog(app_);
      height = 180;
      break;
    case DialogKind::Configure:
      dialog = new ConfigureDialog(app_);
      width = 590;
      height = 220;
      break;
    case DialogKind::Gerber:
      dialog = new GerberDialog(app_);
      width = 440;
      height = 340;
      break;
    case DialogKind::Drill:
      dialog = new DrillDialog(app_);
      height = 200;
      break;
    case DialogKind::Apertures:
      dialog = new ApertureDialog(app_);
      height = 120;
      break;
  }
  if (dialog && dialog->show(main_, width, height)) open_[kind] = dialog->hwnd();
  // An editor that hangs in its dialog: the window stays, nothing answers.
  if (dialog && app_.options.hangsAfter(titleOf(kind))) Sleep(INFINITE);
}

}  // namespace standin
