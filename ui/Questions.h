#pragma once

#include <string>

// The boxes through which a location asks or tells the user something.

// "Are you sure?" with Yes and No; true on Yes.
bool ConfirmDeletion();
// Asks before a shortcut replaces another of the same name; true on Yes.
bool ConfirmReplace(const std::string& name);
// Tells why a change was not made.
void ExplainRefusal(const std::string& reason);
