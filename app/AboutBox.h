#pragma once

// Shows the About box until the user closes it.
void ShowAboutBox();
