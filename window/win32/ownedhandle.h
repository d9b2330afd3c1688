#pragma once

#include "runtimeerror.h"

#include <windows.h>

#include <utility>

// A GDI object or an icon of the program's own, freed by the call that frees its kind once
// its owner is done with it.
template <typename Handle, auto Free>
class Owned
{
public:
    Owned() = default;
    explicit Owned(Handle handle)
        : m_handle(handle)
    {
    }
    Owned(Owned &&other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr))
    {
    }
    Owned &operator=(Owned &&other) noexcept
    {
        std::swap(m_handle, other.m_handle);
        return *this;
    }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;
    ~Owned()
    {
        if (m_handle != nullptr) {
            Free(m_handle);
        }
    }

    [[nodiscard]] Handle get() const { return m_handle; }

private:
    Handle m_handle = nullptr;
};

using OwnedBrush = Owned<HBRUSH, &DeleteObject>;
using OwnedFont = Owned<HFONT, &DeleteObject>;
using OwnedIcon = Owned<HICON, &DestroyIcon>;

// What a Windows call made; a run-time error naming it where the call made nothing, so that
// the window never runs with a part missing.
template <typename Handle>
[[nodiscard]] Handle made(Handle handle, const char *what)
{
    if (handle == nullptr) {
        runtimeError(what);
    }
    return handle;
}
