#pragma once

#include <QString>

namespace app {

// The program's title: what the desktop shows for it (its taskbar entry) and the caption of
// its message boxes. The main window's own caption is "TARVENIX|NFe".
inline const QString kApplicationTitle = QStringLiteral("TARVENIX|NFE");

// Program entry, once the application object exists: its name and its title.
void NameApplication();

}  // namespace app
