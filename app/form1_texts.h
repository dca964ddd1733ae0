#pragma once

// What Form1 says, to the eye and to screen readers, on every platform.
namespace texts {

inline constexpr char form1Caption[] = "Form1";
inline constexpr char command1Caption[] = "new";
inline constexpr char picture1AccessibleName[] = "Pattern";
inline constexpr char command1AccessibleName[] = "New pattern";
inline constexpr char command1AccessibleDescription[] = "Draws a new pattern over the current one";

// The button's caption height, in logical pixels: it keeps "new" whole inside the 17 pixel
// high button.
inline constexpr int command1FontPixels = 11;

} // namespace texts
