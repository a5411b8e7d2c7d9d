// PE modules: the module's import address table entries of KERNEL32 CreateThread (and of the C
// runtime's _beginthreadex) point at the host's wrappers.
#include <windows.h>

#include <cstring>

#include "host/thread_accounting.h"
#include "host/thread_accounting_common.h"

namespace host {

namespace {

using namespace thread_accounting;

using BeginThreadEx = std::uintptr_t(__cdecl*)(void*, unsigned, unsigned(__stdcall*)(void*),
                                               void*, unsigned, unsigned*);

struct Start {
    LPTHREAD_START_ROUTINE routine;
    unsigned(__stdcall* crtRoutine)(void*);
    void* argument;
    std::shared_ptr<std::atomic<std::int64_t>> counter;
};

DWORD WINAPI CountedStart(void* raw) {
    std::unique_ptr<Start> start(static_cast<Start*>(raw));
    const DWORD result = start->routine(start->argument);
    start->counter->fetch_sub(1);
    return result;
}

unsigned __stdcall CountedCrtStart(void* raw) {
    std::unique_ptr<Start> start(static_cast<Start*>(raw));
    const unsigned result = start->crtRoutine(start->argument);
    start->counter->fetch_sub(1);
    return result;
}

BeginThreadEx realBeginThreadEx = nullptr;

std::shared_ptr<std::atomic<std::int64_t>> CallerCounter(void* returnAddress) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(returnAddress), &module)) {
        return nullptr;
    }
    return CounterOf(module, false);
}

HANDLE WINAPI CountingCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize,
                                   LPTHREAD_START_ROUTINE routine, LPVOID argument, DWORD flags,
                                   LPDWORD threadId) {
    auto counter = CallerCounter(__builtin_return_address(0));
    if (counter == nullptr) {
        return CreateThread(security, stackSize, routine, argument, flags, threadId);
    }
    counter->fetch_add(1);
    auto start = std::make_unique<Start>(Start{routine, nullptr, argument, counter});
    const HANDLE thread =
        CreateThread(security, stackSize, &CountedStart, start.get(), flags, threadId);
    if (thread != nullptr) {
        start.release();
    } else {
        counter->fetch_sub(1);
    }
    return thread;
}

std::uintptr_t __cdecl CountingBeginThreadEx(void* security, unsigned stackSize,
                                             unsigned(__stdcall* routine)(void*), void* argument,
                                             unsigned flags, unsigned* threadId) {
    auto counter = CallerCounter(__builtin_return_address(0));
    if (counter == nullptr || realBeginThreadEx == nullptr) {
        return realBeginThreadEx != nullptr
                   ? realBeginThreadEx(security, stackSize, routine, argument, flags, threadId)
                   : 0;
    }
    counter->fetch_add(1);
    auto start = std::make_unique<Start>(Start{nullptr, routine, argument, counter});
    const std::uintptr_t thread = realBeginThreadEx(security, stackSize, &CountedCrtStart,
                                                    start.get(), flags, threadId);
    if (thread != 0) {
        start.release();
    } else {
        counter->fetch_sub(1);
    }
    return thread;
}

bool WriteThunk(void** slot, void* value) {
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) {
        return false;
    }
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
    return true;
}

bool IsCrt(const char* dll) {
    return _stricmp(dll, "msvcrt.dll") == 0 || _strnicmp(dll, "api-ms-win-crt-", 15) == 0 ||
           _strnicmp(dll, "ucrtbase", 8) == 0;
}

}  // namespace

bool InstallThreadAccounting(void* library) {
    auto* const base = static_cast<unsigned char*>(library);
    if (base == nullptr) {
        return false;
    }
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) {
        return false;
    }
    CounterOf(library, true)->store(0);
    int patched = 0;
    for (auto* descriptor =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        const char* dll = reinterpret_cast<const char*>(base + descriptor->Name);
        const bool kernel = _stricmp(dll, "kernel32.dll") == 0;
        const bool crt = IsCrt(dll);
        if ((!kernel && !crt) || descriptor->OriginalFirstThunk == 0) {
            continue;
        }
        auto* names =
            reinterpret_cast<const IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            const char* name = reinterpret_cast<const char*>(byName->Name);
            auto** slot = reinterpret_cast<void**>(&slots->u1.Function);
            if (kernel && std::strcmp(name, "CreateThread") == 0) {
                patched += WriteThunk(slot, reinterpret_cast<void*>(&CountingCreateThread));
            } else if (crt && std::strcmp(name, "_beginthreadex") == 0) {
                if (realBeginThreadEx == nullptr) {
                    realBeginThreadEx = reinterpret_cast<BeginThreadEx>(*slot);
                }
                patched += WriteThunk(slot, reinterpret_cast<void*>(&CountingBeginThreadEx));
            }
        }
    }
    return patched > 0;
}

std::int64_t ThreadsOfLibrary(void* library) {
    const auto counter = CounterOf(library, false);
    return counter != nullptr ? counter->load() : 0;
}

std::int64_t ThreadsOfAllLibraries() {
    return Total();
}

}  // namespace host
