#pragma once
// The colours of both windows.
#include "gui/gui.h"

namespace velkart::app::palette {

using gui::Color;
inline constexpr Color dark_red = Color::rgb(183, 0, 0);
inline constexpr Color dark_blue = Color::rgb(49, 33, 137);
inline constexpr Color light_yellow = Color::rgb(255, 255, 128);
inline constexpr Color panel_grey = Color::rgb(212, 208, 200);
inline constexpr Color lavender = Color::rgb(158, 146, 228);
inline constexpr Color mid_grey = Color::rgb(128, 128, 128);
inline constexpr Color red = Color::rgb(255, 0, 0);
inline constexpr Color black = Color::rgb(0, 0, 0);
inline constexpr Color transparent = Color::transparent();
inline constexpr Color system = Color::system_default();

}  // namespace velkart::app::palette
