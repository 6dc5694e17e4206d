#pragma once

#include "tools/dfe/dfe_arguments.h"
#include "tools/dfe/dfe_command.h"
#include "tools/exit_status.h"

namespace tools {

// The commands of vellora-dfe; each returns the exit status and throws CommandFailure
// for what ends it early.
int RunCertificateCommand(const DfeArguments& arguments, const DfeContext& context);
int RunKeyCommand(const DfeArguments& arguments, const DfeContext& context);
int RunNewDocumentsCommand(const DfeArguments& arguments, const DfeContext& context);
int RunCienciaCommand(const DfeArguments& arguments, const DfeContext& context);

// Besides the shared exit statuses: a use limit said to wait.
inline constexpr int kToldToWait = 3;

}  // namespace tools
