// Application-wide settings of the converter's window program: its name, version,
// maker, icon and style, and the early loading of the font configuration. Shared by
// the program, the window tests and the probes.
#pragma once

#include <thread>

class QApplication;

namespace zorv::ui {

inline constexpr char kIconPath[] = ":/icons/zorv.ico";

// Names the application, sets its version, maker and window icon, and selects the
// Fusion style, which honours the button's palette on every platform.
void ConfigureApplication(QApplication& application);

// Loads the desktop's font configuration on a second thread, so that it is read while
// the application connects to the display rather than after: the first text the
// window lays out needs it, and reading it (dozens of XML files) is the longest step
// before the first paint. Launch to first paint takes 5 to 8 ms less with it, about
// 6% (medians of five series of 25 launches each under Xvfb, bench/README.md).
// Made before the QApplication; Wait() before the window. Where Qt does not use
// fontconfig it does nothing.
class FontConfigurationLoader {
public:
    FontConfigurationLoader();
    void Wait();

private:
    std::jthread thread_;
};

}  // namespace zorv::ui
