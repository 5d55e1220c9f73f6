#pragma once

#include "core/Bilingual.h"
#include "forms/FormBuilder.h"

#include <array>

namespace brantel {

// What the two dialogs of a loaded rectangular foundation share: the
// foundation tool (FoundationDialog) and the Fadum coefficient dialog it
// opens (FadumChartDialog). Both hold the boxes of the foundation's
// pressure, width and length with their labels, and OK and Cancel, under the
// same design names; each dialog's namespace takes these in.
namespace foundationboxes {
inline constexpr char kFoundationPressure[] = "txtFortio";
inline constexpr char kFoundationWidth[] = "txtPlatos";
inline constexpr char kFoundationLength[] = "txtMhkos";
inline constexpr char kFoundationPressureLabel[] = "Label11";
inline constexpr char kFoundationWidthLabel[] = "Label12";
inline constexpr char kFoundationLengthLabel[] = "Label13";
inline constexpr char kOk[] = "btnOk";
inline constexpr char kCancel[] = "btnCancel";
}  // namespace foundationboxes

// A label's caption and place, and the place of the box it names.
struct CaptionedBoxPlace {
  Bilingual caption;
  forms::TwipsRect label;
  forms::TwipsRect box;
};

// The frame that holds the foundation's boxes, and each box with its label.
struct FoundationBoxPlaces {
  const char* frame = nullptr;
  CaptionedBoxPlace pressure;
  CaptionedBoxPlace width;
  CaptionedBoxPlace length;
};

// The control rows of the pressure, the width and the length, each label
// followed by its box; the dialogs give them their own captions and places.
constexpr std::array<forms::ControlRow, 6> FoundationBoxRows(const FoundationBoxPlaces& places) {
  using forms::Kind;
  using namespace foundationboxes;
  const char* frame = places.frame;
  // clang-format off
  return {{
      {.name = kFoundationPressureLabel, .kind = Kind::Label, .container = frame, .at = places.pressure.label, .caption = places.pressure.caption, .partner = kFoundationPressure},
      {.name = kFoundationPressure, .kind = Kind::TextBox, .container = frame, .at = places.pressure.box},
      {.name = kFoundationWidthLabel, .kind = Kind::Label, .container = frame, .at = places.width.label, .caption = places.width.caption, .partner = kFoundationWidth},
      {.name = kFoundationWidth, .kind = Kind::TextBox, .container = frame, .at = places.width.box},
      {.name = kFoundationLengthLabel, .kind = Kind::Label, .container = frame, .at = places.length.label, .caption = places.length.caption, .partner = kFoundationLength},
      {.name = kFoundationLength, .kind = Kind::TextBox, .container = frame, .at = places.length.box},
  }};
  // clang-format on
}

}  // namespace brantel
