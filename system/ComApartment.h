#pragma once

#include <objbase.h>

// COM for the calling thread, for as long as this object lives. A thread that
// already has COM only gains a reference, which is cheap; either way the
// matching CoUninitialize runs exactly once.
class ComApartment {
public:
    ComApartment() : initialised(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment()
    {
        if (initialised)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool Ready() const { return initialised; }

private:
    bool initialised;
};
