// Application-wide settings of the converter's window program: names, version,
// maker, icon and style. Shared by the program and the window tests.
#pragma once

class QApplication;

namespace zorv::ui {

inline constexpr char kApplicationName[] = "Zorv Number to Word Converter";
inline constexpr char kVersion[] = "1.00";
inline constexpr char kDesktopId[] = "com.example.ZorvNumberToWordConverter";
inline constexpr char kIconPath[] = ":/icons/zorv.ico";

// Names the application, sets its version, maker and window icon, and selects the
// Fusion style, which honours the button's palette on every platform.
void ConfigureApplication(QApplication& application);

}  // namespace zorv::ui
