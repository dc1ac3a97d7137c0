#pragma once

// A benchmark's set-up step that must succeed: a failure ends the run loudly
// rather than measuring a store that was never filled.

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

template <class R>
void expectOk(const R& result) {
    if (!result.ok()) {
        std::fprintf(stderr, "benchmark set-up failed: %s\n", qPrintable(result.error().message));
        std::abort();
    }
}
