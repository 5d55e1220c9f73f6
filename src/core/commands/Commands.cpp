#include "core/commands/Commands.h"

#include <array>

namespace brantel {
namespace {

constexpr MenuCaption kSeparator{};

constexpr MenuCaption kTopMenus[] = {
    {"&File", "Αρχείο"},
    {"&Input", "Δεδομένα"},
    {"&Utilities", "Εργαλεία"},
    {"&Help", "Βοήθεια"},
};

constexpr MenuCaption kFileItems[] = {
    {"&New", "Νέο"},
    {"&Open...", "Άνοιγμα..."},
    {"&Save", "Αποθήκευση"},
    {"&Save As...", "Αποθήκευση ως..."},
    kSeparator,
    {"&Printer Setup...", "Ρύθμιση Εκτύπωτη"},
    {"&Print", "Εκτύπωση"},
    {"&Print Preview...", "Προεπισκόπιση Εκτύπωσης..."},
    kSeparator,
    {"&Browse...", "Επισκόπιση Αρχείων..."},
    kSeparator,
    {"&Exit", "Έξοδος"},
};

constexpr MenuCaption kInputItems[] = {
    {"Project Description...", "Περιγραφή..."},
    {"Stress Analysis", "Αναλυση Εντατικής Κατάστασης"},
    {"Failure Criteria", "Κριτήρια Αστοχίας"},
    {"Elasticity in 2D...", "Ελαστική Συμπεριφορά σε Δύο διαστάσεις..."},
    {"Elasticity in 3D...", "Ελαστική Συμπεριφορά σε Τρεις Διαστάσεις"},
    {"Strain Analysis...", "Ανάλυση Παραμορφώσεων..."},
    {"Coordinate Transformation...", "Μετασχηματισμός Συντεταγμένων..."},
    {"Evaluation of Uniaxial Testing Results...", "Αξιολόγηση Εργ. Αποτελεσμάτων Μονοαξονικής Θλίψης..."},
    {"Roof Bolting...", "Υπολογισμός Κοχλίωσης..."},
};

constexpr MenuCaption kStressItems[] = {
    {"Stresses in 2D...", "Εντατική Κατάσταση σε Δύο Διαστάσεις..."},
    {"Stresses in 3D...", "Εντατική Κατάσταση σε Τρεις Διαστάσεις..."},
    {"Stresses around Circular Openings...", "Εντατική Κατάσταση γύρω από Κυκλικά Ανοιγματα..."},
    {"Stresses in Room and Pillar Mining...", "Εντατική Κατάσταση σε Σύστημα Θαλάμων και Στύλων..."},
    {"Point Load on Surface...", "Εντατική Κατάσταση κάτω από Σημειακή Φόρτιση..."},
    {"Distributed Load on Surface...", "Εντατική Κατάσταση κάτω από Κατανεμημένη Φόρτιση..."},
};

constexpr MenuCaption kFailureItems[] = {
    {"Coulomb Criterion in Intact Rock...", "Κριτήριο Αστοχίας Coulomb σε Ακέραιο Πέτρωμα..."},
    {"Coulomb Criterion in Jointed Rock...", "Κριτήριο Αστοχίας Coulomb σε Ασυνεχές Πέτρωμα..."},
    {"Coulomb Criterion in Bolted Rock Wedge...", "Κριτήριο Αστοχίας Coulomb σε Σφήνα Πετρώματος με Κοχλία..."},
    {"Coulomb Criterion in Bolted Rock Slope...", "Κριτήριο Αστοχίας Coulomb σε Πρανές Πετρώματος με Κοχλία..."},
    {"Bieniawski Criterion in Rock...", "Κριτήριο Αστοχίας κατά Bieniawski σε Ακέραιο Πέτρωμα..."},
    {"Hoek-Brown Criterion in Rock...", "Κριτήριο Αστοχίας κατά Hoek - Brown σε Ακέραιο Πέτρωμα..."},
    {"Von Mises Criterion in Rock...", "Κριτήριο Αστοχίας Von Mises σε Ακέραιο Πέτρωμα..."},
    {"Failure Around a Circular Opening", "Failure Around a Circular Opening"},
};

constexpr MenuCaption kUtilityItems[] = {
    {"Settings", "Γενικές Ρυθμίσεις..."},
    {"Options", "Ειδικές Ρυθμίσεις..."},
    {"Unit Conversion", "Μετατροπή Μονάδων..."},
    {"File Conversion", "Μετατροπή Αρχείου..."},
    kSeparator,
    {"Clear History Window", "Καθάρισμα Ιστορικού"},
    {"Close History Window", "Κλείσιμο Ιστορικού"},
    {"Copy History Window", "Αντιγραφή Ιστορικού"},
};

constexpr MenuCaption kHelpItems[] = {
    {"Help Contents...", "Περιεχόμενα Βοήθειας..."},
    {"Help Index...", "Αναζήτηση Λήμματος..."},
    {"Help in PDF Format...", "Βοήθεια σε μορφή PDF..."},
    kSeparator,
    {"Disclaimer...", "Συμφωνία Χρήσης..."},
    kSeparator,
    {"Program Updates...", "Αναβαθμίσεις..."},
    kSeparator,
    {"About the Program...", "Για το πρόγραμμα..."},
};

}  // namespace

std::span<const MenuCaption> TopMenuCaptions() { return kTopMenus; }

std::span<const MenuCaption> MenuCaptions(Menu menu) {
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
  const auto captions = MenuCaptions(menu);
  if (index < 0 || index >= static_cast<int>(captions.size())) return QString();
  const MenuCaption& c = captions[static_cast<std::size_t>(index)];
  if (IsSeparator(c)) return QString();
  return c.In(english);
}

QString HistoryToggleCaption(bool paneVisible, bool english) {
  const Bilingual caption = paneVisible ? Bilingual{"Close History &Window", "Κλείσιμο Ιστορικού"}
                                        : Bilingual{"Restore History &Window", "Επαναφορά Ιστορικού"};
  return caption.In(english);
}

std::optional<Tool> ToolOfEntry(Menu menu, int index) {
  switch (menu) {
    case Menu::File:
      switch (index) {
        case 5: return Tool::PrinterSetup;
        case 6: return Tool::Print;
        case 7: return Tool::PrintPreview;
        case 9: return Tool::TextBrowser;
        default: return std::nullopt;
      }
    case Menu::Input:
      switch (index) {
        case 0: return Tool::ProjectDescription;
        case 3: return Tool::PlaneStress;
        case 4: return Tool::Elasticity3D;
        case 5: return Tool::StrainRosette;
        case 6: return Tool::Transformation;
        case 7: return Tool::LabTest;
        case 8: return Tool::RoofBolting;
        default: return std::nullopt;
      }
    case Menu::Stress: {
      static constexpr std::array kTools{Tool::Stress2D,      Tool::Stress3D,  Tool::CircularOpening,
                                         Tool::RoomAndPillar, Tool::PointLoad, Tool::Foundation};
      if (index < 0 || index >= static_cast<int>(kTools.size())) return std::nullopt;
      return kTools[static_cast<std::size_t>(index)];
    }
    case Menu::Failure:
      switch (index) {
        case 0: return Tool::Coulomb;
        case 1: return Tool::CoulombJoint;
        case 2: return Tool::CoulombWedge;
        case 4: return Tool::Bieniawski;
        case 5: return Tool::HoekBrown;
        case 6: return Tool::VonMises;
        case 7: return Tool::CircularFailure;
        default: return std::nullopt;  // 3: not ready yet
      }
    case Menu::Utilities:
      switch (index) {
        case 0: return Tool::Settings;
        case 1: return Tool::ProgramOptions;
        case 2: return Tool::UnitConversion;
        default: return std::nullopt;
      }
    case Menu::Help:
      if (index == 6) return Tool::ProgramUpdate;
      return std::nullopt;
  }
  return std::nullopt;
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
