#include "LocationCatalogue.h"

#include "CatalogueEntries.h"
#include "system/PathHelpers.h"

int BuildCatalogue(Catalogue& slots)
{
    int count = 0;
    slots[count++] = std::make_unique<MachineRunKey>();
    slots[count++] = std::make_unique<MachineRunOnceKey>();
    slots[count++] = std::make_unique<UserRunKey>();
    slots[count++] = std::make_unique<UserRunOnceKey>();
    slots[count++] = std::make_unique<MachineRunOnceSetupKey>();
    slots[count++] = std::make_unique<NtRunValue>();
    slots[count++] = std::make_unique<NtLoadValue>();
    slots[count++] = std::make_unique<UserStartupFolder>(GetCurrentUserStartupFolder());
    slots[count++] = std::make_unique<AllUsersStartupFolder>(GetAllUsersStartupFolder());
    slots[count++] = std::make_unique<WinIniRunLine>();
    slots[count++] = std::make_unique<WinIniLoadLine>();
    return count;
}
