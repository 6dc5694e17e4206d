#pragma once

#include <filesystem>
#include <functional>

namespace dfe {

// An exclusive lock on a file, held from the object's creation to its end, so that two runs
// never work side by side on what the file guards.
class FileLock {
public:
    // How the lock is taken: flock's signature, replaceable so that a test can play a file
    // system without locks.
    using Operation = int (*)(int descriptor, int operation);

    // Creates the file when missing (readable by its owner alone) and locks it. When another
    // process holds the lock, whileWaiting is called once and the creation waits; it may throw
    // instead, to give up. Throws StateError when the file cannot be opened or locked for any
    // other reason than someone else holding it (a file system without locks): then the
    // message names the folder and XDG_DATA_HOME, where another folder is chosen.
    FileLock(const std::filesystem::path& file, const std::function<void()>& whileWaiting,
             Operation lock = nullptr);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int descriptor_ = -1;
};

}  // namespace dfe
