#include "core/commands/Commands.h"

namespace brantel {
namespace {

// The entries of each menu, index 0 first, one row to a line: the captions and
// what the entry runs (a tool, a command of the main window, a sub-menu).
// clang-format off
constexpr MainMenuRow kSeparator{};

constexpr TopMenu kTopMenus[] = {
    {Menu::File, {"&File", "Αρχείο"}},
    {Menu::Input, {"&Input", "Δεδομένα"}},
    {Menu::Utilities, {"&Utilities", "Εργαλεία"}},
    {Menu::Help, {"&Help", "Βοήθεια"}},
};

constexpr MainMenuRow kFileItems[] = {
    {{"&New", "Νέο"}, Command::New},
    {{"&Open...", "Άνοιγμα..."}, Command::Open},
    {{"&Save", "Αποθήκευση"}, Command::Save},
    {{"&Save As...", "Αποθήκευση ως..."}, Command::SaveAs},
    kSeparator,
    {{"&Printer Setup...", "Ρύθμιση Εκτύπωτη"}, Tool::PrinterSetup},
    {{"&Print", "Εκτύπωση"}, Tool::Print},
    {{"&Print Preview...", "Προεπισκόπιση Εκτύπωσης..."}, Tool::PrintPreview},
    kSeparator,
    {{"&Browse...", "Επισκόπιση Αρχείων..."}, Tool::TextBrowser},
    kSeparator,
    {{"&Exit", "Έξοδος"}, Command::Exit},
};

constexpr MainMenuRow kInputItems[] = {
    {{"Project Description...", "Περιγραφή..."}, Tool::ProjectDescription},
    {{"Stress Analysis", "Αναλυση Εντατικής Κατάστασης"}, Menu::Stress},
    {{"Failure Criteria", "Κριτήρια Αστοχίας"}, Menu::Failure},
    {{"Elasticity in 2D...", "Ελαστική Συμπεριφορά σε Δύο διαστάσεις..."}, Tool::PlaneElasticity},
    {{"Elasticity in 3D...", "Ελαστική Συμπεριφορά σε Τρεις Διαστάσεις"}, Tool::Elasticity3D},
    {{"Strain Analysis...", "Ανάλυση Παραμορφώσεων..."}, Tool::StrainRosette},
    {{"Coordinate Transformation...", "Μετασχηματισμός Συντεταγμένων..."}, Tool::Transformation},
    {{"Evaluation of Uniaxial Testing Results...", "Αξιολόγηση Εργ. Αποτελεσμάτων Μονοαξονικής Θλίψης..."}, Tool::LabTest},
    {{"Roof Bolting...", "Υπολογισμός Κοχλίωσης..."}, Tool::RoofBolting},
};

constexpr MainMenuRow kStressItems[] = {
    {{"Stresses in 2D...", "Εντατική Κατάσταση σε Δύο Διαστάσεις..."}, Tool::Stress2D},
    {{"Stresses in 3D...", "Εντατική Κατάσταση σε Τρεις Διαστάσεις..."}, Tool::Stress3D},
    {{"Stresses around Circular Openings...", "Εντατική Κατάσταση γύρω από Κυκλικά Ανοιγματα..."}, Tool::CircularOpening},
    {{"Stresses in Room and Pillar Mining...", "Εντατική Κατάσταση σε Σύστημα Θαλάμων και Στύλων..."}, Tool::RoomAndPillar},
    {{"Point Load on Surface...", "Εντατική Κατάσταση κάτω από Σημειακή Φόρτιση..."}, Tool::PointLoad},
    {{"Distributed Load on Surface...", "Εντατική Κατάσταση κάτω από Κατανεμημένη Φόρτιση..."}, Tool::Foundation},
};

constexpr MainMenuRow kFailureItems[] = {
    {{"Coulomb Criterion in Intact Rock...", "Κριτήριο Αστοχίας Coulomb σε Ακέραιο Πέτρωμα..."}, Tool::Coulomb},
    {{"Coulomb Criterion in Jointed Rock...", "Κριτήριο Αστοχίας Coulomb σε Ασυνεχές Πέτρωμα..."}, Tool::CoulombJoint},
    {{"Coulomb Criterion in Bolted Rock Wedge...", "Κριτήριο Αστοχίας Coulomb σε Σφήνα Πετρώματος με Κοχλία..."}, Tool::CoulombWedge},
    {{"Coulomb Criterion in Bolted Rock Slope...", "Κριτήριο Αστοχίας Coulomb σε Πρανές Πετρώματος με Κοχλία..."}, Command::CoulombSlope},
    {{"Bieniawski Criterion in Rock...", "Κριτήριο Αστοχίας κατά Bieniawski σε Ακέραιο Πέτρωμα..."}, Tool::Bieniawski},
    {{"Hoek-Brown Criterion in Rock...", "Κριτήριο Αστοχίας κατά Hoek - Brown σε Ακέραιο Πέτρωμα..."}, Tool::HoekBrown},
    {{"Von Mises Criterion in Rock...", "Κριτήριο Αστοχίας Von Mises σε Ακέραιο Πέτρωμα..."}, Tool::VonMises},
    {{"Failure Around a Circular Opening", "Failure Around a Circular Opening"}, Tool::CircularFailure},
};

constexpr MainMenuRow kUtilityItems[] = {
    {{"Settings", "Γενικές Ρυθμίσεις..."}, Tool::Settings},
    {{"Options", "Ειδικές Ρυθμίσεις..."}, Tool::ProgramOptions},
    {{"Unit Conversion", "Μετατροπή Μονάδων..."}, Tool::UnitConversion},
    {{"File Conversion", "Μετατροπή Αρχείου..."}, Command::FileConversion},
    kSeparator,
    {{"Clear History Window", "Καθάρισμα Ιστορικού"}, Command::ClearHistory},
    {{"Close History Window", "Κλείσιμο Ιστορικού"}, Command::ToggleHistory},
    {{"Copy History Window", "Αντιγραφή Ιστορικού"}, Command::CopyHistory},
};

constexpr MainMenuRow kHelpItems[] = {
    {{"Help Contents...", "Περιεχόμενα Βοήθειας..."}, Command::HelpContents},
    {{"Help Index...", "Αναζήτηση Λήμματος..."}, Command::HelpIndex},
    {{"Help in PDF Format...", "Βοήθεια σε μορφή PDF..."}, Command::HelpManual},
    kSeparator,
    {{"Disclaimer...", "Συμφωνία Χρήσης..."}, Command::Disclaimer},
    kSeparator,
    {{"Program Updates...", "Αναβαθμίσεις..."}, Tool::ProgramUpdate},
    kSeparator,
    {{"About the Program...", "Για το πρόγραμμα..."}, Command::About},
};
// clang-format on

}  // namespace

std::span<const TopMenu> TopMenus() { return kTopMenus; }

bool IsHistoryCommand(Command command) {
  return command == Command::ClearHistory || command == Command::ToggleHistory || command == Command::CopyHistory;
}

std::span<const MainMenuRow> MenuRows(Menu menu) {
  switch (menu) {
    case Menu::File: return kFileItems;
    case Menu::Input: return kInputItems;
    case Menu::Stress: return kStressItems;
    case Menu::Failure: return kFailureItems;
    case Menu::Utilities: return kUtilityItems;
    case Menu::Help: return kHelpItems;
  }
  return {};
}

const MainMenuRow* RowOfEntry(Menu menu, int index) {
  const auto rows = MenuRows(menu);
  if (index < 0 || index >= static_cast<int>(rows.size())) return nullptr;
  return &rows[static_cast<std::size_t>(index)];
}

QString MenuCaptionText(Menu menu, int index, bool english) {
  const MainMenuRow* row = RowOfEntry(menu, index);
  if (!row || IsSeparator(row->caption)) return QString();
  return row->caption.In(english);
}

QString HistoryToggleCaption(bool paneVisible, bool english) {
  const Bilingual caption = paneVisible ? Bilingual{"Close History &Window", "Κλείσιμο Ιστορικού"}
                                        : Bilingual{"Restore History &Window", "Επαναφορά Ιστορικού"};
  return caption.In(english);
}

std::optional<Tool> ToolOfEntry(Menu menu, int index) {
  const MainMenuRow* row = RowOfEntry(menu, index);
  return row ? row->tool : std::nullopt;
}

bool OwnedByMainWindow(Tool tool) {
  return tool == Tool::ProjectDescription || tool == Tool::Settings || tool == Tool::ProgramOptions ||
         tool == Tool::UnitConversion;
}

std::optional<MenuEntry> QuickButtonTarget(int code) {
  if (code >= 1 && code <= 9) return MenuEntry{Menu::Input, code - 1};
  if (code < 11 || code % 10 == 0) return std::nullopt;
  const MainMenuRow* head = RowOfEntry(Menu::Input, code / 10 - 1);
  if (!head || !head->subMenu) return std::nullopt;
  return MenuEntry{*head->subMenu, code % 10 - 1};
}

QString MainCaptionText(const QString& prefix, const QString& projectPath, bool unsaved) {
  QString path = projectPath;
  if (path.size() >= 51) path = path.left(10) + QStringLiteral("...") + path.right(37);
  QString caption = prefix + QStringLiteral(": ") + path;
  if (unsaved) caption += u'*';
  return caption;
}

}  // namespace brantel
