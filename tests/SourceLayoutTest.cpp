// The layout of src/: which files are the widget-free library, and which way
// the includes run. Reads the sources of brantel_core as the build lists them
// (libraries.txt, written by tests/CMakeLists.txt) and the source files
// themselves, so that a new file is checked without being named here.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The folders in the order of their layers, lowest first: a file may include
// from its own layer and the layers below it. A tool's mechanics and its
// dialogs share a folder and stand in two layers.
enum Layer { kCore, kToolMechanics, kPlatform, kForms, kPlot, kGraph, kToolWidgets, kMaintenance, kMainWindow, kMain };

struct Include {
  std::string name;  // as written between the quotes or the brackets
  bool quoted;
  int line;
};

std::vector<Include> IncludesOf(const fs::path& file) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::vector<Include> includes;
  std::ifstream in(file);
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    std::smatch m;
    if (std::regex_search(text, m, kInclude)) includes.push_back({m[2], m[1] == "\"", line});
  }
  return includes;
}

// A file of a tool's folder that belongs to the widget library: its name
// ends in Dialog, Dialogs, Chart, Plot or Picture.
bool IsToolWidgetFile(const std::string& path) {
  static const std::regex kWidgetName(R"(^tools/[^/]+/[^/]*(Dialog|Dialogs|Chart|Plot|Picture)\.[^/.]+$)");
  return std::regex_match(path, kWidgetName);
}

// The layer of a path under src/; nothing for a place the order does not name.
std::optional<Layer> LayerOf(const std::string& path) {
  static const std::regex kToolFile(R"(^tools/[^/]+/[^/]+$)");
  if (path.starts_with("core/")) return kCore;
  if (std::regex_match(path, kToolFile)) return IsToolWidgetFile(path) ? kToolWidgets : kToolMechanics;
  const std::string folder = path.substr(0, path.find('/'));
  if (folder == "platform") return kPlatform;
  if (folder == "forms") return kForms;
  if (folder == "plot") return kPlot;
  if (folder == "graph") return kGraph;
  if (folder == "maintenance") return kMaintenance;
  if (folder == "mainwindow") return kMainWindow;
  if (path == "main.cpp") return kMain;
  return std::nullopt;
}

// The rule of the two libraries: what is under core/ or is a tool's
// mechanics file is brantel_core, the rest brantel_ui.
bool InWidgetFreeLibrary(const std::string& path) {
  const std::optional<Layer> layer = LayerOf(path);
  return layer == kCore || layer == kToolMechanics;
}

bool IsSource(const fs::path& file) { return file.extension() == ".h" || file.extension() == ".cpp"; }

std::vector<std::string> SourcesUnder(const fs::path& src) {
  std::vector<std::string> paths;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (entry.is_regular_file() && IsSource(entry.path())) {
      paths.push_back(entry.path().lexically_relative(src).generic_string());
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

// Every include of a file under src/ that runs up the layers, or names a
// place the order does not know.
std::vector<std::string> LayerFaults(const fs::path& src) {
  std::vector<std::string> faults;
  for (const std::string& path : SourcesUnder(src)) {
    const std::optional<Layer> from = LayerOf(path);
    if (!from) {
      faults.push_back(path + ": a folder the layer order does not name");
      continue;
    }
    for (const Include& include : IncludesOf(src / path)) {
      if (!include.quoted || include.name.find('/') == std::string::npos) continue;
      const std::optional<Layer> to = LayerOf(include.name);
      if (!to || *to > *from) {
        faults.push_back(path + ":" + std::to_string(include.line) + ": includes \"" + include.name + "\"");
      }
    }
  }
  return faults;
}

// Every header of Qt's widget modules that a widget-free file includes,
// directly or through the project's headers it includes.
std::vector<std::string> WidgetFaults(const fs::path& src, const std::vector<std::string>& widgetFree,
                                      const std::vector<fs::path>& widgetFolders) {
  const auto isWidgetHeader = [&](const std::string& name) {
    for (const fs::path& folder : widgetFolders) {
      const std::string module = folder.filename().string();
      if (name == module || name.starts_with(module + "/") || fs::exists(folder / name)) return true;
    }
    return false;
  };
  std::vector<std::string> faults;
  for (const std::string& start : widgetFree) {
    std::vector<std::string> chain{start};
    std::set<std::string> seen{start};
    // Depth first through the quoted includes that name files under src/.
    const auto walk = [&](const auto& self, const std::string& path) -> void {
      for (const Include& include : IncludesOf(src / path)) {
        if (!include.quoted) {
          if (!isWidgetHeader(include.name)) continue;
          std::string via;
          for (const std::string& step : chain) via += (via.empty() ? "" : " -> ") + step;
          faults.push_back(via + ":" + std::to_string(include.line) + ": includes <" + include.name + ">");
        } else if (fs::exists(src / include.name) && seen.insert(include.name).second) {
          chain.push_back(include.name);
          self(self, include.name);
          chain.pop_back();
        }
      }
    };
    walk(walk, start);
  }
  return faults;
}

struct Libraries {
  std::vector<std::string> core, ui;  // paths under src/
  std::vector<fs::path> widgetFolders;
};

// libraries.txt: "core <path>", "ui <path>" and "widgets <folder>" lines;
// sources outside src/ (made by the build) are left out.
Libraries ReadLibraries(const fs::path& list, const fs::path& src) {
  Libraries libraries;
  std::ifstream in(list);
  for (std::string line; std::getline(in, line);) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos) continue;
    const std::string kind = line.substr(0, blank), path = line.substr(blank + 1);
    if (kind == "widgets") {
      libraries.widgetFolders.emplace_back(path);
      continue;
    }
    const std::string relative = fs::path(path).lexically_relative(src).generic_string();
    if (relative.empty() || relative.starts_with("..")) continue;
    (kind == "core" ? libraries.core : libraries.ui).push_back(relative);
  }
  return libraries;
}

std::string Listed(const std::vector<std::string>& faults) {
  std::string text;
  for (const std::string& fault : faults) text += "\n  " + fault;
  return text;
}

class SourceLayout : public testing::Test {
 protected:
  const fs::path src_ = BRANTEL_SOURCE_DIR;
  const Libraries libraries_ = ReadLibraries(BRANTEL_LIBRARY_LIST, src_);
};

TEST_F(SourceLayout, EveryFileIsInTheLibraryItsPlaceNames) {
  ASSERT_GT(libraries_.core.size(), 50u);
  ASSERT_GT(libraries_.ui.size(), 50u);
  std::vector<std::string> faults;
  for (const std::string& path : libraries_.core) {
    if (!InWidgetFreeLibrary(path)) faults.push_back(path + " is in brantel_core");
  }
  for (const std::string& path : libraries_.ui) {
    if (InWidgetFreeLibrary(path)) faults.push_back(path + " is in brantel_ui");
  }
  EXPECT_TRUE(faults.empty()) << Listed(faults);
}

TEST_F(SourceLayout, WidgetFreeFilesIncludeNoWidgetHeader) {
  ASSERT_EQ(libraries_.widgetFolders.size(), 3u);
  // The library's sources as built, and every file the rule puts there.
  std::set<std::string> widgetFree(libraries_.core.begin(), libraries_.core.end());
  for (const std::string& path : SourcesUnder(src_)) {
    if (InWidgetFreeLibrary(path)) widgetFree.insert(path);
  }
  const auto faults = WidgetFaults(src_, {widgetFree.begin(), widgetFree.end()}, libraries_.widgetFolders);
  EXPECT_TRUE(faults.empty()) << Listed(faults);
}

TEST_F(SourceLayout, IncludesRunDownTheLayers) {
  const auto faults = LayerFaults(src_);
  EXPECT_TRUE(faults.empty()) << Listed(faults);
}

// The checks on a small tree with a fault of each kind.
TEST(SourceLayoutChecks, FindPlantedFaults) {
  const fs::path root = fs::temp_directory_path() / ("brantel-layout-" + std::to_string(::getpid()));
  const fs::path src = root / "src";
  const fs::path widgets = root / "qt" / "QtWidgets";
  const auto write = [](const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
  };
  write(widgets / "QLineEdit", "");
  write(src / "core/Sound.h", "#include <QString>\n#include \"core/Sound.h\"\n");
  write(src / "core/Box.cpp", "#include \"core/Sound.h\"\n#include \"forms/Form.h\"\n");
  write(src / "forms/Form.h", "#include <QLineEdit>\n");
  write(src / "tools/rock/Rock.cpp", "#include \"tools/rock/RockDialog.h\"\n");
  write(src / "tools/rock/RockDialog.h", "#include <QtWidgets/QDialog>\n#include \"tools/rock/Rock.h\"\n");
  write(src / "tools/rock/Rock.h", "");
  write(src / "widgets/Extra.cpp", "");

  EXPECT_EQ(LayerFaults(src), (std::vector<std::string>{
                                  "core/Box.cpp:2: includes \"forms/Form.h\"",
                                  "tools/rock/Rock.cpp:1: includes \"tools/rock/RockDialog.h\"",
                                  "widgets/Extra.cpp: a folder the layer order does not name",
                              }));
  EXPECT_EQ(WidgetFaults(src, {"core/Box.cpp", "tools/rock/Rock.cpp"}, {widgets}),
            (std::vector<std::string>{
                "core/Box.cpp -> forms/Form.h:1: includes <QLineEdit>",
                "tools/rock/Rock.cpp -> tools/rock/RockDialog.h:1: includes <QtWidgets/QDialog>",
            }));
  EXPECT_TRUE(InWidgetFreeLibrary("tools/rock/Rock.cpp"));
  EXPECT_TRUE(InWidgetFreeLibrary("core/platform/Desktop.cpp"));
  EXPECT_FALSE(InWidgetFreeLibrary("tools/rock/RockPicture.cpp"));
  EXPECT_FALSE(InWidgetFreeLibrary("graph/GraphBuffer.cpp"));
  fs::remove_all(root);
}

}  // namespace
