#pragma once

// How a window asks for the printer selection window: it hands itself (the window
// the printer window opens over) and the print code that selects the printout
// ("8" the client list, "1" the settings lists). The program sets it up; a window
// without it keeps its print button disabled.

#include <QString>

#include <functional>

namespace app {

class AreaWindow;

using OpenPrinterWindow = std::function<void(AreaWindow* caller, const QString& code)>;

}  // namespace app
