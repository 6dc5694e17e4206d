#pragma once

#include <QString>

#include <functional>
#include <ostream>

namespace app {

// The caption of every window and box of the program.
inline const QString kApplicationTitle = QStringLiteral("TARVENIX|NFe");

// The whole program, from the first line of main: first no core dump and no dumpable process
// (the company's private key and its password live in this process's memory), then body.
// An exception that escapes body, out of memory included, ends in a message on err and
// status 1, and any other way to std::terminate in a message and status 1, never an abort.
int RunProgram(std::ostream& err, const std::function<int()>& body);

// Program entry, once the application object exists: its name for the system (the desktop's
// window class, the keyring). No display name is set, because Qt would append it to every
// caption.
void NameApplication();

// Qt's own buttons and boxes in Brazilian Portuguese ("Cancelar"); false when the system has
// no such translation.
bool LoadQtTranslations();

}  // namespace app
