#pragma once

#include "StartupLocation.h"

#include <memory>

// The locations in their fixed order, grouped by the main window's tabs.
constexpr int kCatalogueCapacity = 20;
constexpr int kCatalogueSize = 11;

struct LocationGroup {
    int first;
    int count;
};

// Registry Entries, Shortcuts, .Ini Files.
constexpr LocationGroup kLocationGroups[3] = {{0, 7}, {7, 2}, {9, 2}};

using Catalogue = std::unique_ptr<StartupLocation>[kCatalogueCapacity];

// Creates the eleven locations into the first slots, in order; returns how
// many slots it filled. The Startup folders are looked up once, here.
int BuildCatalogue(Catalogue& slots);
