#pragma once

namespace xls {

// Initialises libgsf once per process; safe to call from any thread, any number
// of times. Every use of libgsf calls this first.
void ensureGsfInitialised();

}  // namespace xls
