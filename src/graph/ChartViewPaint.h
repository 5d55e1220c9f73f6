#pragma once

class QAbstractScrollArea;

namespace brantel {

// A chart view shown (its tab chosen, its window uncovered) is painted with
// everything else that the event loop paints next; Qt then asks it once
// more, for the area it was shown in, to paint what it has just painted.
// After this call a view and its viewport skip that second request for the
// part they have painted since they were shown; what they have not painted
// yet is still painted. A chart repaints all of itself, so the second paint
// costs as much as the first.
void PaintOnceWhenShown(QAbstractScrollArea* view);

}  // namespace brantel
