#pragma once

// What every use of libgsf shares: its one-time set-up and ownership of its objects.

#include <glib-object.h>

#include <memory>

namespace xls {

// Initialises libgsf once per process; safe to call from any thread, any number
// of times. Every use of libgsf calls this first.
void ensureGsfInitialised();

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
// A libgsf object owned by one reference.
template <class T>
using GsfPtr = std::unique_ptr<T, GObjectUnref>;

}  // namespace xls
