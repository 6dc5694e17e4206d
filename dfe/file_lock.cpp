#include "dfe/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "dfe/error.h"
#include "files/system_error_text.h"

namespace dfe {
namespace {

std::string LockFailure(const std::filesystem::path& folder, int error) {
    return "Não foi possível travar o registro de uso na pasta \"" + folder.string() +
           "\": " + files::SystemErrorText(error) +
           ". Sem a trava, duas execuções poderiam consultar o mesmo CNPJ ao mesmo tempo; "
           "use uma pasta num sistema de arquivos com travas (defina XDG_DATA_HOME).";
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& file, const std::function<void()>& whileWaiting,
                   Operation lock) {
    if (lock == nullptr) {
        lock = ::flock;
    }
    descriptor_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor_ < 0) {
        throw StateError("Não foi possível abrir \"" + file.string() +
                         "\": " + files::SystemErrorText(errno) + ".");
    }
    try {
        if (lock(descriptor_, LOCK_EX | LOCK_NB) == 0) {
            return;
        }
        // Only "would block" means another run; any other failure (a file system without
        // locks) would let two runs ask side by side.
        if (errno != EWOULDBLOCK) {
            throw StateError(LockFailure(file.parent_path(), errno));
        }
        if (whileWaiting) {
            whileWaiting();
        }
        while (lock(descriptor_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                throw StateError(LockFailure(file.parent_path(), errno));
            }
        }
    } catch (...) {
        ::close(descriptor_);
        throw;
    }
}

FileLock::~FileLock() {
    ::close(descriptor_);
}

}  // namespace dfe
