#include "files/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "files/system_error_text.h"

namespace files {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, int error) {
    throw FileError("Não foi possível gravar o arquivo \"" + path.string() +
                    "\": " + SystemErrorText(error) + ".");
}

// A name beside the target that no other writer picks: the process, a counter and chance.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    static std::mt19937 chance{std::random_device{}()};
    return path.parent_path() /
           ("." + path.filename().string() + "." + std::to_string(::getpid()) + "-" +
            std::to_string(++counter) + "-" + std::to_string(chance()) + ".tmp");
}

// 0, or the error that stopped the writing.
int WriteAll(int descriptor, std::string_view contents, int (*sync)(int)) {
    while (!contents.empty()) {
        const ssize_t written = ::write(descriptor, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    // The data must be on the disk before the name moves, or a crash could leave an empty
    // file where the good one was.
    return sync(descriptor) == 0 ? 0 : errno;
}

// 0, or the error that kept the folder's new entry from the disk. A file system that cannot
// sync a folder (EINVAL) keeps its entries by other means.
int SyncFolder(const std::filesystem::path& folder, int (*sync)(int)) {
    const int descriptor =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return errno;
    }
    int error = sync(descriptor) == 0 || errno == EINVAL ? 0 : errno;
    ::close(descriptor);
    return error;
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         Readers readers) {
    WriteFileAtomically(path, contents, readers, {});
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         Readers readers, const DurabilityCalls& calls) {
    const auto sync = calls.sync != nullptr ? calls.sync : ::fsync;
    const auto rename = calls.rename != nullptr ? calls.rename : std::rename;
    std::filesystem::path temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = TemporaryNameFor(path);
        descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                            readers == Readers::ownerOnly ? 0600 : 0666);
        if (descriptor < 0 && errno != EEXIST) {
            break;
        }
    }
    if (descriptor < 0) {
        Fail(path, errno);
    }

    int error = WriteAll(descriptor, contents, sync);
    if (::close(descriptor) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        Fail(path, error);
    }
    if (const int synced = SyncFolder(path.parent_path(), sync); synced != 0) {
        Fail(path, synced);
    }
}

}  // namespace files
