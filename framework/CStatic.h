#pragma once

#include "CWnd.h"

// A static control; all it needs is what every window has.
class CStatic : public CWnd {};
