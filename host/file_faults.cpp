#include "host/file_faults.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <utility>

namespace host {

namespace {

constexpr std::size_t kOperations = 5;
constexpr int kEndedByFaultStatus = 86;

struct Faults {
    std::mutex mutex;
    std::array<std::int64_t, kOperations> calls{};
    std::array<std::int64_t, kOperations> failingCall{};  // counted from `calls`; 0 none
    std::array<GSErrCode, kOperations> failingError{};    // NoError: the operation's own
    std::array<std::int64_t, kOperations> endingCall{};   // the same, for the end of the process
    std::array<std::int64_t, kOperations> pausingCall{};  // the same, for a pause
    std::array<std::function<void()>, kOperations> pause;
    std::int64_t writtenBytes = 0;
    std::int64_t diskRoom = -1;  // bytes left before the disk is full; -1 never full
    std::int64_t lifeRoom = -1;  // bytes left before the process ends; -1 never
};

// -1 (never) or a number of bytes.
std::int64_t Room(std::int64_t bytes) {
    return bytes >= 0 ? bytes : -1;
}

std::size_t Fit(std::size_t count, std::int64_t room) {
    return room >= 0 ? std::min(count, static_cast<std::size_t>(room)) : count;
}

Faults& TheFaults() {
    static Faults faults;
    return faults;
}

std::size_t IndexOf(FileOperation operation) {
    return static_cast<std::size_t>(operation);
}

struct CountedCall {
    std::int64_t number;
    std::function<void()> pause;  // to make before the call, if any
};

CountedCall CountCall(FileOperation operation) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    const std::size_t index = IndexOf(operation);
    const std::int64_t number = ++faults.calls[index];
    if (faults.pausingCall[index] == 0 || number != faults.pausingCall[index]) {
        return {number, {}};
    }
    faults.pausingCall[index] = 0;
    return {number, std::exchange(faults.pause[index], {})};
}

}  // namespace

// The pause runs outside the lock: the module's other threads make their file calls meanwhile.
GSErrCode FileCallFailure(FileOperation operation, GSErrCode usual) {
    const CountedCall call = CountCall(operation);
    if (call.pause) {
        call.pause();
    }
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    const std::size_t index = IndexOf(operation);
    if (faults.endingCall[index] != 0 && call.number == faults.endingCall[index]) {
        EndProcessByFault();
    }
    if (faults.failingCall[index] != 0 && call.number == faults.failingCall[index]) {
        faults.failingCall[index] = 0;
        return faults.failingError[index] != NoError ? faults.failingError[index] : usual;
    }
    return NoError;
}

WriteAllowance BytesThatFit(std::size_t count) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    const std::size_t fit = Fit(Fit(count, faults.diskRoom), faults.lifeRoom);
    if (faults.diskRoom >= 0) {
        faults.diskRoom -= static_cast<std::int64_t>(fit);
    }
    const bool endsProcess =
        faults.lifeRoom >= 0 && count > static_cast<std::size_t>(faults.lifeRoom);
    if (faults.lifeRoom >= 0) {
        faults.lifeRoom -= static_cast<std::int64_t>(fit);
    }
    faults.writtenBytes += static_cast<std::int64_t>(fit);
    return {fit, endsProcess};
}

void EndProcessByFault() {
    std::_Exit(kEndedByFaultStatus);
}

FileCallCounts CountFileCalls() {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    return {
        faults.calls[IndexOf(FileOperation::Open)],   faults.calls[IndexOf(FileOperation::Write)],
        faults.calls[IndexOf(FileOperation::Rename)], faults.calls[IndexOf(FileOperation::Delete)],
        faults.calls[IndexOf(FileOperation::Close)],  faults.writtenBytes};
}

void FailFileCall(FileOperation operation, std::int64_t call, GSErrCode error) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    const std::size_t index = IndexOf(operation);
    faults.failingCall[index] = call > 0 ? faults.calls[index] + call : 0;
    faults.failingError[index] = error;
}

void FailWritesAfterBytes(std::int64_t bytes) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    faults.diskRoom = Room(bytes);
}

void EndProcessAtFileCall(FileOperation operation, std::int64_t call) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    const std::size_t index = IndexOf(operation);
    faults.endingCall[index] = call > 0 ? faults.calls[index] + call : 0;
}

void EndProcessAfterBytes(std::int64_t bytes) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    faults.lifeRoom = Room(bytes);
}

void PauseAtFileCall(FileOperation operation, std::int64_t call, std::function<void()> pause) {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    const std::size_t index = IndexOf(operation);
    faults.pausingCall[index] = call > 0 ? faults.calls[index] + call : 0;
    faults.pause[index] = std::move(pause);
}

void ClearFileFaults() {
    Faults& faults = TheFaults();
    const std::lock_guard lock(faults.mutex);
    faults.pausingCall = {};
    faults.pause = {};
    faults.failingCall = {};
    faults.failingError = {};
    faults.endingCall = {};
    faults.diskRoom = -1;
    faults.lifeRoom = -1;
}

}  // namespace host
