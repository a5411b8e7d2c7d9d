// ELF modules (dlopen): the module's GOT slot for pthread_create points at the host's wrapper.
#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "host/thread_accounting.h"
#include "host/thread_accounting_common.h"

namespace host {

namespace {

using namespace thread_accounting;

using PthreadCreate = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);

struct Start {
    void* (*routine)(void*);
    void* argument;
    std::shared_ptr<std::atomic<std::int64_t>> counter;
};

void* CountedStart(void* raw) {
    std::unique_ptr<Start> start(static_cast<Start*>(raw));
    void* const result = start->routine(start->argument);
    start->counter->fetch_sub(1);
    return result;
}

// The real function, found as the module would find it, so that sanitizer interceptors still
// see every thread.
PthreadCreate RealPthreadCreate() {
    static const auto real = reinterpret_cast<PthreadCreate>(dlsym(RTLD_DEFAULT, "pthread_create"));
    return real;
}

const void* ModuleBaseOf(const void* address) {
    Dl_info info{};
    return dladdr(address, &info) != 0 ? info.dli_fbase : nullptr;
}

// Reached only through a patched slot, so the caller is code of a counted module.
int CountingPthreadCreate(pthread_t* thread, const pthread_attr_t* attributes,
                          void* (*routine)(void*), void* argument) {
    auto counter = CounterOf(ModuleBaseOf(__builtin_return_address(0)), false);
    if (counter == nullptr) {
        return RealPthreadCreate()(thread, attributes, routine, argument);
    }
    counter->fetch_add(1);
    auto start = std::make_unique<Start>(Start{routine, argument, counter});
    const int result = RealPthreadCreate()(thread, attributes, &CountedStart, start.get());
    if (result == 0) {
        static_cast<void>(start.release());  // the thread owns it now
    } else {
        counter->fetch_sub(1);
    }
    return result;
}

ElfW(Addr) Absolute(ElfW(Addr) base, ElfW(Addr) pointer) {
    // glibc relocates these entries of the dynamic section in place; others may not.
    return pointer < base ? pointer + base : pointer;
}

bool WriteSlot(void** slot, void* value) {
    const long pageSize = sysconf(_SC_PAGESIZE);
    auto* page = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(slot) &
                                         ~static_cast<std::uintptr_t>(pageSize - 1));
    if (mprotect(page, static_cast<std::size_t>(pageSize), PROT_READ | PROT_WRITE) != 0) {
        return false;
    }
    *slot = value;
    return true;
}

int PatchRelocations(ElfW(Addr) base, const ElfW(Rela) * relocations, std::size_t size,
                     const ElfW(Sym) * symbols, const char* strings) {
    int patched = 0;
    for (std::size_t i = 0; relocations != nullptr && i < size / sizeof(ElfW(Rela)); ++i) {
        const ElfW(Rela)& relocation = relocations[i];
        const auto type = ELF64_R_TYPE(relocation.r_info);
        if (type != R_X86_64_JUMP_SLOT && type != R_X86_64_GLOB_DAT) {
            continue;
        }
        const ElfW(Sym)& symbol = symbols[ELF64_R_SYM(relocation.r_info)];
        if (std::strcmp(strings + symbol.st_name, "pthread_create") != 0) {
            continue;
        }
        auto** slot = reinterpret_cast<void**>(base + relocation.r_offset);
        if (WriteSlot(slot, reinterpret_cast<void*>(&CountingPthreadCreate))) {
            ++patched;
        }
    }
    return patched;
}

}  // namespace

bool InstallThreadAccounting(void* library) {
    link_map* map = nullptr;
    if (library == nullptr || dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) {
        return false;
    }
    RealPthreadCreate();
    const ElfW(Addr) base = map->l_addr;
    const ElfW(Sym)* symbols = nullptr;
    const char* strings = nullptr;
    const ElfW(Rela)* jumpRelocations = nullptr;
    std::size_t jumpSize = 0;
    const ElfW(Rela)* relocations = nullptr;
    std::size_t relocationSize = 0;
    for (const ElfW(Dyn)* entry = map->l_ld; entry->d_tag != DT_NULL; ++entry) {
        switch (entry->d_tag) {
            case DT_SYMTAB:
                symbols = reinterpret_cast<const ElfW(Sym)*>(Absolute(base, entry->d_un.d_ptr));
                break;
            case DT_STRTAB:
                strings = reinterpret_cast<const char*>(Absolute(base, entry->d_un.d_ptr));
                break;
            case DT_JMPREL:
                jumpRelocations =
                    reinterpret_cast<const ElfW(Rela)*>(Absolute(base, entry->d_un.d_ptr));
                break;
            case DT_PLTRELSZ:
                jumpSize = entry->d_un.d_val;
                break;
            case DT_RELA:
                relocations =
                    reinterpret_cast<const ElfW(Rela)*>(Absolute(base, entry->d_un.d_ptr));
                break;
            case DT_RELASZ:
                relocationSize = entry->d_un.d_val;
                break;
            default:
                break;
        }
    }
    if (symbols == nullptr || strings == nullptr) {
        return false;
    }
    // The counter first: a thread may start as soon as the slot is written.
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(map->l_ld), &info) == 0) {
        return false;
    }
    CounterOf(info.dli_fbase, true)->store(0);
    return PatchRelocations(base, jumpRelocations, jumpSize, symbols, strings) +
               PatchRelocations(base, relocations, relocationSize, symbols, strings) >
           0;
}

std::int64_t ThreadsOfLibrary(void* library) {
    link_map* map = nullptr;
    Dl_info info{};
    if (library == nullptr || dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr ||
        dladdr(reinterpret_cast<const void*>(map->l_ld), &info) == 0) {
        return 0;
    }
    const auto counter = CounterOf(info.dli_fbase, false);
    return counter != nullptr ? counter->load() : 0;
}

std::int64_t ThreadsOfAllLibraries() {
    return Total();
}

}  // namespace host
