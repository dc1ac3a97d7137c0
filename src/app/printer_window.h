#pragma once

// How a window asks for the printer selection window: it hands itself (the window
// the printer window opens over) and the printout it wants. The program sets it
// up; a window without it keeps its print button disabled.

#include <functional>

namespace app {

class AreaWindow;

// What the printer window prints once a printer is chosen.
enum class Printout {
    ClientList,     // the client sheet
    SettingsLists,  // the five settings lists
};

using OpenPrinterWindow = std::function<void(AreaWindow* caller, Printout printout)>;

}  // namespace app
