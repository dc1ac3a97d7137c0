#pragma once

// Keyboard order of a window's controls: Tab follows what the eye sees, line by line
// and left to right, whatever order the controls were made in.

#include <initializer_list>

class QWidget;

namespace app {

// Tab moves through `controls` in this order (each after the one before it).
void orderTabs(std::initializer_list<QWidget*> controls);

}  // namespace app
