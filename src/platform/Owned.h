// One owner for every kind of handle the launcher opens: a move-only object that closes what it
// holds when it ends. A small traits type per kind names the raw type, tells which values hold
// something and closes one.
#pragma once

#include <windows.h>

#include <utility>

template <class Traits> class TZelOwned {
public:
    using Raw = typename Traits::Raw;

    TZelOwned() noexcept = default;
    // Takes over raw; a value that holds nothing (a failed call's answer) leaves the owner empty.
    explicit TZelOwned(Raw raw) noexcept : raw_(Traits::Holds(raw) ? raw : Raw{}) {}
    ~TZelOwned() { Reset(); }
    TZelOwned(TZelOwned&& other) noexcept : raw_(other.Release()) {}
    TZelOwned& operator=(TZelOwned&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    TZelOwned(const TZelOwned&) = delete;
    TZelOwned& operator=(const TZelOwned&) = delete;

    Raw Get() const noexcept { return raw_; }
    bool Valid() const noexcept { return Traits::Holds(raw_); }
    // Gives up ownership: the caller closes the value, or keeps it open on purpose.
    Raw Release() noexcept { return std::exchange(raw_, Raw{}); }
    // Closes what the owner holds and takes over raw.
    void Reset(Raw raw = Raw{}) noexcept {
        const Raw old = std::exchange(raw_, Traits::Holds(raw) ? raw : Raw{});
        if (Traits::Holds(old))
            Traits::Close(old);
    }

private:
    Raw raw_{};
};

// Kernel objects: files, processes, threads, mutexes. The kernel answers a failure with null from
// some calls and with INVALID_HANDLE_VALUE from others (the file calls); neither is held. No
// owner holds a pseudo handle, whose value is INVALID_HANDLE_VALUE as well.
struct TZelKernelHandleTraits {
    using Raw = HANDLE;
    static bool Holds(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
using TZelHandle = TZelOwned<TZelKernelHandleTraits>;

// A directory search of FindFirstFileW.
struct TZelFindHandleTraits {
    using Raw = HANDLE;
    static bool Holds(HANDLE search) { return search && search != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE search) { FindClose(search); }
};
using TZelFindHandle = TZelOwned<TZelFindHandleTraits>;

// A registry key the launcher opened or created; never one of the predefined roots.
struct TZelRegistryKeyTraits {
    using Raw = HKEY;
    static bool Holds(HKEY key) { return key != nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};
using TZelRegKey = TZelOwned<TZelRegistryKeyTraits>;

// A block of the process heap.
struct TZelHeapBlockTraits {
    using Raw = void*;
    static bool Holds(void* block) { return block != nullptr; }
    static void Close(void* block) { HeapFree(GetProcessHeap(), 0, block); }
};
using TZelHeapBlock = TZelOwned<TZelHeapBlockTraits>;

// A block the system allocated with LocalAlloc for the caller to free.
struct TZelLocalBlockTraits {
    using Raw = HLOCAL;
    static bool Holds(HLOCAL block) { return block != nullptr; }
    static void Close(HLOCAL block) { LocalFree(block); }
};
using TZelLocalBlock = TZelOwned<TZelLocalBlockTraits>;

// A pen, brush or font.
template <class THandle> struct TZelGdiObjectTraits {
    using Raw = THandle;
    static bool Holds(THandle object) { return object != nullptr; }
    static void Close(THandle object) { DeleteObject(object); }
};
template <class THandle> using TZelGdiObject = TZelOwned<TZelGdiObjectTraits<THandle>>;

// The device context of the whole screen.
struct TZelScreenDcTraits {
    using Raw = HDC;
    static bool Holds(HDC dc) { return dc != nullptr; }
    static void Close(HDC dc) { ReleaseDC(nullptr, dc); }
};

// A device context of the program's own, such as a memory device context.
struct TZelOwnDcTraits {
    using Raw = HDC;
    static bool Holds(HDC dc) { return dc != nullptr; }
    static void Close(HDC dc) { DeleteDC(dc); }
};
using TZelOwnDC = TZelOwned<TZelOwnDcTraits>;

// A loaded DLL.
struct TZelModuleTraits {
    using Raw = HMODULE;
    static bool Holds(HMODULE module) { return module != nullptr; }
    static void Close(HMODULE module) { FreeLibrary(module); }
};
