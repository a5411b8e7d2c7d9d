#include "host/file_faults.h"

#include <algorithm>
#include <array>
#include <mutex>

namespace host {

namespace {

constexpr std::size_t kOperations = 4;

struct Faults {
    std::mutex mutex;
    std::array<std::int64_t, kOperations> calls{};
    std::array<std::int64_t, kOperations> failingCall{};  // counted from `calls`; 0 none
    std::int64_t writtenBytes = 0;
    std::int64_t diskRoom = -1;  // bytes left before the disk is full; -1 never full
};

Faults& TheFaults() {
    static Faults faults;
    return faults;
}

std::size_t IndexOf(FileOperation operation) {
    return static_cast<std::size_t>(operation);
}

}  // namespace

bool FileCallFails(FileOperation operation) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    const std::size_t index = IndexOf(operation);
    ++faults.calls[index];
    if (faults.failingCall[index] != 0 && faults.calls[index] == faults.failingCall[index]) {
        faults.failingCall[index] = 0;
        return true;
    }
    return false;
}

std::size_t BytesThatFit(std::size_t count) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    std::size_t fit = count;
    if (faults.diskRoom >= 0) {
        fit = std::min(count, static_cast<std::size_t>(faults.diskRoom));
        faults.diskRoom -= static_cast<std::int64_t>(fit);
    }
    faults.writtenBytes += static_cast<std::int64_t>(fit);
    return fit;
}

FileCallCounts CountFileCalls() {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    return {faults.calls[IndexOf(FileOperation::Open)], faults.calls[IndexOf(FileOperation::Write)],
            faults.calls[IndexOf(FileOperation::Rename)],
            faults.calls[IndexOf(FileOperation::Delete)], faults.writtenBytes};
}

void FailFileCall(FileOperation operation, std::int64_t call) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    const std::size_t index = IndexOf(operation);
    faults.failingCall[index] = call > 0 ? faults.calls[index] + call : 0;
}

void FailWritesAfterBytes(std::int64_t bytes) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    faults.diskRoom = bytes >= 0 ? bytes : -1;
}

void ClearFileFaults() {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    faults.failingCall = {};
    faults.diskRoom = -1;
}

}  // namespace host
