#pragma once

#include "core/Bilingual.h"

#include <QString>

#include <optional>
#include <span>

namespace brantel {

// The menus of the main window and what their entries open. Widget-free, so
// that the tables and the quick-button dispatch can be checked directly.

enum class Menu { File, Input, Stress, Failure, Utilities, Help };
inline constexpr Menu kAllMenus[] = {Menu::File, Menu::Input, Menu::Stress, Menu::Failure, Menu::Utilities, Menu::Help};

// The dialogs and commands that other parts of the program provide to the
// menus. The main window opens them through the tool registry.
enum class Tool {
  ProjectDescription,  // DescriptionDialog
  PlaneElasticity,     // PlaneElasticityDialog: plane stress and plane strain
  Elasticity3D,        // Elasticity3DDialog
  StrainRosette,       // RosetteDialog
  Transformation,      // TransformationDialog
  LabTest,             // LabTestDialog
  RoofBolting,         // RoofBoltingDialog
  Stress2D,            // Stress2DDialog
  Stress3D,            // Stress3DDialog
  CircularOpening,     // CircularOpeningDialog (modeless)
  RoomAndPillar,       // RoomPillarDialog
  PointLoad,           // PointLoadDialog
  Foundation,          // FoundationDialog
  Coulomb,             // CoulombDialog
  CoulombJoint,        // CoulombJointDialog
  CoulombWedge,        // CoulombWedgeDialog
  Bieniawski,          // BieniawskiDialog
  HoekBrown,           // HoekBrownDialog
  VonMises,            // VonMisesDialog
  CircularFailure,     // CircularFailureDialog
  Settings,            // SettingsDialog
  ProgramOptions,      // ProgramOptionsDialog
  UnitConversion,      // UnitsDialog
  ProgramUpdate,       // UpdateDialog
  PrinterSetup,        // the printer dialog
  Print,               // builds the output listing and prints it
  PrintPreview,        // builds the output listing and opens PrintPreview
  TextBrowser,         // TextBrowser; stays last (kToolCount)
};
inline constexpr int kToolCount = static_cast<int>(Tool::TextBrowser) + 1;

// One menu entry's captions. A separator has no captions.
using MenuCaption = Bilingual;
inline bool IsSeparator(const MenuCaption& caption) { return caption.english == nullptr; }

// The top-level menus of the menu bar, File, Input, Utilities, Help in this
// order: each menu and its captions.
struct TopMenu {
  Menu menu;
  MenuCaption caption;
};
std::span<const TopMenu> TopMenus();

// The main window's own commands: the menu entries that open no tool of
// another part of the program.
enum class Command {
  New,             // File: a new project
  Open,            // File: the open dialog, then the project read
  Save,            // File: the project written (Save As for a new project)
  SaveAs,          // File: the save dialog, then the project written
  Exit,            // File: the main window closed the normal way
  CoulombSlope,    // Failure Criteria: not ready yet
  FileConversion,  // Utilities: not ready yet
  ClearHistory,    // Utilities: the history emptied
  ToggleHistory,   // Utilities: the history pane hidden or shown again
  CopyHistory,     // Utilities: the history pane's text to the clipboard
  HelpContents,    // Help: the help window on the contents page
  HelpIndex,       // Help: the help window on the keyword index
  HelpManual,      // Help: the manual in the desktop's viewer
  Disclaimer,      // Help: the disclaimer; declining it closes the program
  About,           // Help: the About box; stays last (kCommandCount)
};
inline constexpr int kCommandCount = static_cast<int>(Command::About) + 1;

// Whether a command works on the history pane: its entry follows the
// history setting rather than the command states.
bool IsHistoryCommand(Command command);

// One entry of a menu of the main window: its captions in both languages and
// what it runs, which is one of: a dialog or command of another part of the
// program (tool), one of the main window's own commands (command), or the
// sub-menu it heads (subMenu). A separator has no captions and runs nothing.
// The menus of another window are rows of forms::WindowMenuRow.
struct MainMenuRow {
  MenuCaption caption;
  std::optional<Tool> tool;
  std::optional<Command> command;
  std::optional<Menu> subMenu;

  constexpr MainMenuRow() = default;
  constexpr MainMenuRow(MenuCaption c, Tool t) : caption(c), tool(t) {}
  constexpr MainMenuRow(MenuCaption c, Command k) : caption(c), command(k) {}
  constexpr MainMenuRow(MenuCaption c, Menu sub) : caption(c), subMenu(sub) {}
};

// The entries of a menu, index 0 first. Failure Criteria item 7 keeps its
// English design caption in both languages.
std::span<const MainMenuRow> MenuRows(Menu menu);
// The row of an entry; nullptr for an index outside the menu.
const MainMenuRow* RowOfEntry(Menu menu, int index);
// The caption of an entry in a language, "" for a separator or an index
// outside the menu.
QString MenuCaptionText(Menu menu, int index, bool english);

// Utilities item 6 after the history pane was toggled.
QString HistoryToggleCaption(bool paneVisible, bool english);

// The dialog or command an entry opens (its row's tool), if it opens one of
// another part of the program.
std::optional<Tool> ToolOfEntry(Menu menu, int index);

// Whether an entry shows a dialog with the main window as owner.
bool OwnedByMainWindow(Tool tool);

// A quick button's code: m (1..9) stands for Input item m - 1, and m x 10 + s
// (s 1..9) for item s - 1 of the sub-menu that Input item m - 1 heads (21..29
// Stress Analysis, 31..39 Failure Criteria); every other code stands for
// nothing. The target index may be one its menu does not know (29, 39),
// which then does nothing.
struct MenuEntry {
  Menu menu;
  int index;
  bool operator==(const MenuEntry&) const = default;
};
std::optional<MenuEntry> QuickButtonTarget(int code);

// The main window's caption: the prefix, ": " and the project path (a path of 51
// characters or more shows its first 10, "..." and its last 37), then "*"
// while there are unsaved changes.
QString MainCaptionText(const QString& prefix, const QString& projectPath, bool unsaved);

}  // namespace brantel
