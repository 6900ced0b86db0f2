#pragma once
// The session layer as the windows include it.
//
// session/settings.h and styles/canvas.h both declare a ql::TRect (the desktop rectangle of the
// window position rule and the drawing rectangle), so a translation unit that sees the grid
// cannot see both. Until the session's type gets its own name, the windows see it renamed here;
// they never use it (forms/win_pos.cpp, which applies the desktop rule, includes no drawing).
#define TRect TSessionDesktopRect_
#include "session/session.h"
#undef TRect
