#pragma once

namespace dfe {

// Keeps the process from writing a core dump: a crash must not put the certificate's private
// key or its password on the disk. Also makes the process undumpable, so that another
// process of the same user cannot read its memory through ptrace. Returns false when the
// system refused either step.
bool ForbidCoreDumps();

}  // namespace dfe
