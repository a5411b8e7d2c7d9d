#include "foundation/nx_private_files.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/file_access.h"

namespace {

// A write holds its private file for milliseconds; one this old belongs to a write that ended
// without moving or removing it.
constexpr std::chrono::minutes kStaleAge(5);
// The largest file the hub replaces this way is a settings file of under 100,000 bytes: a file
// beyond this is no private file of its, and is not read.
constexpr std::uint64_t kLargestPrivateFile = 1 << 20;

constexpr std::string_view kPrefix = "~vlm";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kCheckDigits = 8;

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

struct Candidate {
    GS::UniString name;
    NX_Location place;
    std::uint32_t check;
};

bool CollectCandidate(const IO::Folder& parent, const GS::UniString& name, bool isFolder,
                      void* userData) {
    if (isFolder) {
        return true;
    }
    IO::Location location;
    parent.GetLocation(&location);
    location.AppendToLocal(name);
    const NX_Location place(location);
    if (const std::optional<std::uint32_t> check = CheckInPrivateFileName(place.GetExactName())) {
        static_cast<std::vector<Candidate>*>(userData)->push_back({name, place, *check});
    }
    return true;
}

// Whether the plain file holds the bytes its name's check stands for. Read through the host's
// file services, as every file of the hub's.
bool HoldsItsCheckedBytes(const Candidate& candidate) {
    IO::File file(candidate.place.GetHostLocation(), IO::File::Fail);
    std::uint64_t length = 0;
    std::vector<char> bytes;
    bool read = file.GetStatus() == NoError && file.Open(IO::File::ReadMode) == NoError &&
                file.GetDataLength(&length) == NoError && length <= kLargestPrivateFile;
    if (read) {
        bytes.resize(static_cast<std::size_t>(length));
        read = file.ReadBin(bytes.data(), bytes.size()) == NoError;
    }
    return read && PrivateFileCheck(bytes.data(), bytes.size()) == candidate.check;
}

}  // namespace

// FNV-1a over the bytes: quick, and wholly different for files that differ by one byte.
std::uint32_t PrivateFileCheck(const char* data, std::uint64_t length) {
    std::uint32_t check = 2166136261U;
    for (std::uint64_t i = 0; i < length; ++i) {
        check ^= static_cast<unsigned char>(data[i]);
        check *= 16777619U;
    }
    return check;
}

std::optional<std::uint32_t> CheckInPrivateFileName(std::string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    name.remove_prefix(kPrefix.size());
    name.remove_suffix(kSuffix.size());
    if (name.size() < kCheckDigits + 2 || name[kCheckDigits] != '-') {
        return std::nullopt;
    }
    std::uint32_t check = 0;
    for (std::size_t i = 0; i < kCheckDigits; ++i) {
        if (!IsHexDigit(name[i])) {
            return std::nullopt;
        }
        check = check * 16 +
                static_cast<std::uint32_t>(name[i] <= '9' ? name[i] - '0' : name[i] - 'a' + 10);
    }
    const std::string_view number = name.substr(kCheckDigits + 1);
    int value = 0;
    for (const char digit : number) {
        if (digit < '0' || digit > '9' || value > kPrivateFileNumbers) {
            return std::nullopt;
        }
        value = value * 10 + (digit - '0');
    }
    if (number.front() == '0' || value < 1 || value > kPrivateFileNumbers) {
        return std::nullopt;
    }
    return check;
}

std::string PrivateFileName(std::uint32_t check, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "~vlm%08x-%d.tmp", static_cast<unsigned>(check), number);
    return name;
}

void SweepStalePrivateFiles(const NX_Location& folderPath) {
    IO::Folder folder(folderPath.GetHostLocation());
    std::vector<Candidate> candidates;
    if (folder.GetStatus() != NoError ||
        folder.Enumerate(&CollectCandidate, &candidates) != NoError) {
        return;
    }
    for (const Candidate& candidate : candidates) {
        if (platform::IsPlainFileUnchangedFor(NativePathOfLocation(candidate.place), kStaleAge) &&
            HoldsItsCheckedBytes(candidate)) {
            folder.Delete(candidate.name);
        }
    }
}
