// Lengths designed at 96 DPI on a screen of another DPI: the menus, the toolbar's images,
// the status bar's parts and the layout's gaps all grow by the same rule.
#pragma once

// Pixels for a length given at 96 DPI, rounded to the nearer pixel; exact at 96. An
// unknown DPI (0 or less) keeps the length as designed.
constexpr int ScaleForDpi(int pixels, int dpi) { return dpi > 0 ? (pixels * dpi + 48) / 96 : pixels; }
