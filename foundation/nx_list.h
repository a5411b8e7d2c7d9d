// The suite's one container: elements side by side in one host memory handle that holds exactly
// `count` of them. Elements are moved with byte moves when the host relocates or the list
// shifts them, so an element must not point into itself (strings and records of the suite do
// not).
#pragma once

#include <cstddef>
#include <cstring>
#include <new>
#include <utility>

#include "foundation/nx_allocate.h"
#include "shell/host_interface.h"

template <typename T>
class NX_List {
public:
    NX_List() : count(0), storage(BMAllocateHandle(0, ALLOCATE_MOVABLE, 0)) {}

    NX_List(const NX_List& other) : count(0), storage(nullptr) {
        if (other.storage == nullptr) {
            return;
        }
        storage = BMAllocateHandle(BMGetHandleSize(other.storage), ALLOCATE_MOVABLE, 0);
        if (storage == nullptr) {
            return;
        }
        try {
            const Lock lockMine(storage);
            const Lock lockTheirs(other.storage);
            for (int i = 0; i < other.count; ++i) {
                ::new (Slot(i)) T(other.Element(i));
                count = i + 1;
            }
        } catch (...) {
            // A half-made copy has no destructor run: give back what it holds.
            DestroyElements();
            BMKillHandle(&storage);
            throw;
        }
    }

    NX_List& operator=(const NX_List&) = delete;

    // A list made with new lives in the host's object memory; its deleting destructor gives it
    // back there.
    static void* operator new(std::size_t size) { return NX_Allocate(size); }
    static void operator delete(void* pointer) { NX_Release(pointer); }

    virtual ~NX_List() {
        DestroyElements();
        BMKillHandle(&storage);
    }

    void Clear() {
        DestroyElements();
        if (storage != nullptr) {
            GSHandle shrunk = BMReallocHandle(storage, 0, ALLOCATE_MOVABLE, 0);
            if (shrunk == nullptr) {
                BMKillHandle(&storage);
            }
            storage = shrunk;
        }
    }

    // Inserts item before position index (-1: at the end). Without storage nothing is
    // inserted. index must lie between 0 and GetCount(). The item is taken by value, so that an
    // element of this very list can be inserted again although the block may move.
    void Insert(T item, int index = -1) {
        if (storage == nullptr) {
            return;
        }
        if (index == -1) {
            index = count;
        }
        GSHandle grown =
            BMReallocHandle(storage, BMGetHandleSize(storage) + sizeof(T), ALLOCATE_MOVABLE, 0);
        if (grown == nullptr) {
            // The host could not grow the block: the list ends empty and without storage.
            DestroyElements();
            BMKillHandle(&storage);
            return;
        }
        storage = grown;
        if (count - index > 0) {
            const std::int32_t state = BMModifyHandleState(storage, HANDLE_OP_LOCK, 0);
            std::memmove(static_cast<void*>(Slot(index + 1)), static_cast<void*>(Slot(index)),
                         static_cast<std::size_t>(count - index) * sizeof(T));
            BMModifyHandleState(storage, HANDLE_OP_SETSTATE, state);
        }
        std::memset(static_cast<void*>(Slot(index)), 0, sizeof(T));
        try {
            ::new (Slot(index)) T(std::move(item));
        } catch (...) {
            // Close the gap again and give the slot back, so the list stays whole and its block
            // holds exactly its elements (if the host cannot shrink it, one spare slot stays).
            std::memmove(static_cast<void*>(Slot(index)), static_cast<void*>(Slot(index + 1)),
                         static_cast<std::size_t>(count - index) * sizeof(T));
            GSHandle shrunk = BMReallocHandle(
                storage, static_cast<GSSize>(static_cast<std::size_t>(count) * sizeof(T)),
                ALLOCATE_MOVABLE, 0);
            if (shrunk != nullptr) {
                storage = shrunk;
            }
            throw;
        }
        ++count;
    }

    int GetCount() const { return count; }
    // Whether the list has its handle (false only after the host failed to provide one), and the
    // bytes of its block (0 without a handle).
    bool HasStorage() const { return storage != nullptr; }
    GSSize GetStorageSize() const { return storage != nullptr ? BMGetHandleSize(storage) : 0; }

    T& operator[](int i) { return *Slot(i); }
    const T& operator[](int i) const { return Element(i); }

private:
    // Locks the block while elements are built or destroyed in it, and unlocks it after.
    class Lock {
    public:
        explicit Lock(GSHandle handle_) : handle(handle_) {
            BMModifyHandleState(handle, HANDLE_OP_LOCK, 0);
        }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
        ~Lock() { BMModifyHandleState(handle, HANDLE_OP_UNLOCK, 0); }

    private:
        GSHandle handle;
    };

    T* Slot(int i) const { return reinterpret_cast<T*>(*storage) + i; }
    const T& Element(int i) const { return *Slot(i); }

    void DestroyElements() {
        if (storage != nullptr && count > 0) {
            const Lock lock(storage);
            for (int i = 0; i < count; ++i) {
                Slot(i)->~T();
            }
        }
        count = 0;
    }

    std::int32_t count;
    GSHandle storage;
};
