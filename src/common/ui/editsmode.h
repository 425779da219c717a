#pragma once

class QWidget;

namespace mzt {

// Edit boxes that SetEditsMode(window, 1) leaves filled carry this property set to true.
inline constexpr const char* keepTextProperty = "keepText";

// For every single-line edit box of the window (not those inside combo or spin boxes):
// 0 disabled on light grey (RGB 221, 221, 221); 1 enabled on white and emptied, except boxes
// marked with keepTextProperty; 2 enabled on white, text kept. Other modes change nothing.
void SetEditsMode(QWidget* window, int mode);

} // namespace mzt
