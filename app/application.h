#pragma once

#include <QString>

namespace app {

// The caption of every window and box of the program.
inline const QString kApplicationTitle = QStringLiteral("TARVENIX|NFe");

// Program entry, once the application object exists: its name for the system (the desktop's
// window class, the keyring). No display name is set, because Qt would append it to every
// caption.
void NameApplication();

// Qt's own buttons and boxes in Brazilian Portuguese ("Cancelar"); false when the system has
// no such translation.
bool LoadQtTranslations();

}  // namespace app
