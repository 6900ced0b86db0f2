#pragma once
// Window position records shared by every window: "top,left,width,height,maximized" for a full
// record, "top,left" for a position-only one. Top and left are those of the window frame in its
// normal (restored) placement; width and height are its client size, which is the restored size
// minus the frame.
#include <string>

class QWidget;

namespace ql {

// Applies a record to the window. A record with too few items or a non-numeric item changes
// nothing; so does a full record whose rectangle would overlap the desktop by less than 20 pixels
// in either direction. A hidden window stays hidden (it opens maximized when the record says so).
// True when the record was applied.
bool ApplyWinPos(QWidget& window, const std::string& record, bool positionOnly);
// The record of the window's current placement.
std::string WinPosRecord(const QWidget& window, bool positionOnly);

// The same through QL.ini: section and key of the settings file at iniPath.
bool LoadWinPos(QWidget& window, const std::string& iniPath, const char* section, const char* key,
                bool positionOnly);
void SaveWinPos(const QWidget& window, const std::string& iniPath, const char* section, const char* key,
                bool positionOnly);

}  // namespace ql
