// Members that other windows read as plain pointers still own what they
// point at. They are filled from a std::unique_ptr and emptied here, so
// that no member is freed by a bare delete.
#pragma once

#include <memory>

namespace owned_slot {

// Frees what the slot holds and leaves it empty.
template <class T>
void Free(T*& slot)
{
    std::unique_ptr<T> owned(slot);
    slot = nullptr;
}

// Puts `next` in the slot and frees what the slot held before.
template <class T>
void Replace(T*& slot, std::unique_ptr<T> next)
{
    std::unique_ptr<T> old(slot);
    slot = next.release();
}

}  // namespace owned_slot
