#include "core/commands/Commands.h"

namespace brantel {
namespace {

// The entries of each menu, index 0 first, one row to a line: the captions and
// the tool the entry opens.
// clang-format off
constexpr MenuRow kSeparator{};

constexpr MenuCaption kTopMenus[] = {
    {"&File", "Αρχείο"},
    {"&Input", "Δεδομένα"},
    {"&Utilities", "Εργαλεία"},
    {"&Help", "Βοήθεια"},
};

constexpr MenuRow kFileItems[] = {
    {{"&New", "Νέο"}},
    {{"&Open...", "Άνοιγμα..."}},
    {{"&Save", "Αποθήκευση"}},
    {{"&Save As...", "Αποθήκευση ως..."}},
    kSeparator,
    {{"&Printer Setup...", "Ρύθμιση Εκτύπωτη"}, Tool::PrinterSetup},
    {{"&Print", "Εκτύπωση"}, Tool::Print},
    {{"&Print Preview...", "Προεπισκόπιση Εκτύπωσης..."}, Tool::PrintPreview},
    kSeparator,
    {{"&Browse...", "Επισκόπιση Αρχείων..."}, Tool::TextBrowser},
    kSeparator,
    {{"&Exit", "Έξοδος"}},
};

constexpr MenuRow kInputItems[] = {
    {{"Project Description...", "Περιγραφή..."}, Tool::ProjectDescription},
    {{"Stress Analysis", "Αναλυση Εντατικής Κατάστασης"}},
    {{"Failure Criteria", "Κριτήρια Αστοχίας"}},
    {{"Elasticity in 2D...", "Ελαστική Συμπεριφορά σε Δύο διαστάσεις..."}, Tool::PlaneStress},
    {{"Elasticity in 3D...", "Ελαστική Συμπεριφορά σε Τρεις Διαστάσεις"}, Tool::Elasticity3D},
    {{"Strain Analysis...", "Ανάλυση Παραμορφώσεων..."}, Tool::StrainRosette},
    {{"Coordinate Transformation...", "Μετασχηματισμός Συντεταγμένων..."}, Tool::Transformation},
    {{"Evaluation of Uniaxial Testing Results...", "Αξιολόγηση Εργ. Αποτελεσμάτων Μονοαξονικής Θλίψης..."}, Tool::LabTest},
    {{"Roof Bolting...", "Υπολογισμός Κοχλίωσης..."}, Tool::RoofBolting},
};

constexpr MenuRow kStressItems[] = {
    {{"Stresses in 2D...", "Εντατική Κατάσταση σε Δύο Διαστάσεις..."}, Tool::Stress2D},
    {{"Stresses in 3D...", "Εντατική Κατάσταση σε Τρεις Διαστάσεις..."}, Tool::Stress3D},
    {{"Stresses around Circular Openings...", "Εντατική Κατάσταση γύρω από Κυκλικά Ανοιγματα..."}, Tool::CircularOpening},
    {{"Stresses in Room and Pillar Mining...", "Εντατική Κατάσταση σε Σύστημα Θαλάμων και Στύλων..."}, Tool::RoomAndPillar},
    {{"Point Load on Surface...", "Εντατική Κατάσταση κάτω από Σημειακή Φόρτιση..."}, Tool::PointLoad},
    {{"Distributed Load on Surface...", "Εντατική Κατάσταση κάτω από Κατανεμημένη Φόρτιση..."}, Tool::Foundation},
};

constexpr MenuRow kFailureItems[] = {
    {{"Coulomb Criterion in Intact Rock...", "Κριτήριο Αστοχίας Coulomb σε Ακέραιο Πέτρωμα..."}, Tool::Coulomb},
    {{"Coulomb Criterion in Jointed Rock...", "Κριτήριο Αστοχίας Coulomb σε Ασυνεχές Πέτρωμα..."}, Tool::CoulombJoint},
    {{"Coulomb Criterion in Bolted Rock Wedge...", "Κριτήριο Αστοχίας Coulomb σε Σφήνα Πετρώματος με Κοχλία..."}, Tool::CoulombWedge},
    {{"Coulomb Criterion in Bolted Rock Slope...", "Κριτήριο Αστοχίας Coulomb σε Πρανές Πετρώματος με Κοχλία..."}},
    {{"Bieniawski Criterion in Rock...", "Κριτήριο Αστοχίας κατά Bieniawski σε Ακέραιο Πέτρωμα..."}, Tool::Bieniawski},
    {{"Hoek-Brown Criterion in Rock...", "Κριτήριο Αστοχίας κατά Hoek - Brown σε Ακέραιο Πέτρωμα..."}, Tool::HoekBrown},
    {{"Von Mises Criterion in Rock...", "Κριτήριο Αστοχίας Von Mises σε Ακέραιο Πέτρωμα..."}, Tool::VonMises},
    {{"Failure Around a Circular Opening", "Failure Around a Circular Opening"}, Tool::CircularFailure},
};

constexpr MenuRow kUtilityItems[] = {
    {{"Settings", "Γενικές Ρυθμίσεις..."}, Tool::Settings},
    {{"Options", "Ειδικές Ρυθμίσεις..."}, Tool::ProgramOptions},
    {{"Unit Conversion", "Μετατροπή Μονάδων..."}, Tool::UnitConversion},
    {{"File Conversion", "Μετατροπή Αρχείου..."}},
    kSeparator,
    {{"Clear History Window", "Καθάρισμα Ιστορικού"}},
    {{"Close History Window", "Κλείσιμο Ιστορικού"}},
    {{"Copy History Window", "Αντιγραφή Ιστορικού"}},
};

constexpr MenuRow kHelpItems[] = {
    {{"Help Contents...", "Περιεχόμενα Βοήθειας..."}},
    {{"Help Index...", "Αναζήτηση Λήμματος..."}},
    {{"Help in PDF Format...", "Βοήθεια σε μορφή PDF..."}},
    kSeparator,
    {{"Disclaimer...", "Συμφωνία Χρήσης..."}},
    kSeparator,
    {{"Program Updates...", "Αναβαθμίσεις..."}, Tool::ProgramUpdate},
    kSeparator,
    {{"About the Program...", "Για το πρόγραμμα..."}},
};
// clang-format on

}  // namespace

std::span<const MenuCaption> TopMenuCaptions() { return kTopMenus; }

std::span<const MenuRow> MenuRows(Menu menu) {
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

QString MenuCaptionText(Menu menu, int index, bool english) {
  const auto rows = MenuRows(menu);
  if (index < 0 || index >= static_cast<int>(rows.size())) return QString();
  const MenuCaption& c = rows[static_cast<std::size_t>(index)].caption;
  if (IsSeparator(c)) return QString();
  return c.In(english);
}

QString HistoryToggleCaption(bool paneVisible, bool english) {
  const Bilingual caption = paneVisible ? Bilingual{"Close History &Window", "Κλείσιμο Ιστορικού"}
                                        : Bilingual{"Restore History &Window", "Επαναφορά Ιστορικού"};
  return caption.In(english);
}

std::optional<Tool> ToolOfEntry(Menu menu, int index) {
  const auto rows = MenuRows(menu);
  if (index < 0 || index >= static_cast<int>(rows.size())) return std::nullopt;
  return rows[static_cast<std::size_t>(index)].tool;
}

bool OwnedByMainWindow(Tool tool) {
  return tool == Tool::ProjectDescription || tool == Tool::Settings || tool == Tool::ProgramOptions ||
         tool == Tool::UnitConversion;
}

std::optional<MenuEntry> QuickButtonTarget(int code) {
  if (code >= 1 && code <= 9) return MenuEntry{Menu::Input, code - 1};
  if (code >= 21 && code <= 29) return MenuEntry{Menu::Stress, code % 10 - 1};
  if (code >= 31 && code <= 39) return MenuEntry{Menu::Failure, code % 10 - 1};
  return std::nullopt;
}

QString MainCaptionText(const QString& prefix, const QString& projectPath, bool unsaved) {
  QString path = projectPath;
  if (path.size() >= 51) path = path.left(10) + QStringLiteral("...") + path.right(37);
  QString caption = prefix + QStringLiteral(": ") + path;
  if (unsaved) caption += u'*';
  return caption;
}

}  // namespace brantel
