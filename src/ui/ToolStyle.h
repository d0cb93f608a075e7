#pragma once
// The style sheet that dresses the ordinary controls of the tool windows (group boxes, labels,
// radio buttons, check boxes, sliders, number and text fields) in the look of the plates: dark blue
// text on the linen, gold rims, steel and deep blue fills. ToolWindow applies it to itself, so every
// control a window adds takes the look without further work.
#include <QString>

namespace lumaro {

// `assetsFolder` holds the generated tick and arrow marks; without them the ticked box still shows
// by its deep blue fill.
QString toolControlsStyleSheet(const QString& assetsFolder);

}  // namespace lumaro
