// CZarniArray: the growable array under the editor's stores and lists, and the bisection
// searches (EBU_Lookup, EBU_LowerBound) over its sorted tables.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "platform/base/Check.h"

// Four words and nothing else (no virtual table). Plain element types live in raw storage
// and move with block copies; other types are allocated as arrays of constructed elements
// (so they need a default constructor) and move by assignment. Indices and counts are
// unsigned; arguments out of range are ignored.
template <class T>
class CZarniArray {
public:
    CZarniArray() = default;
    // Reserves max(source size, 8) elements; growBy starts at 8 like a new array.
    CZarniArray(const CZarniArray& other) {
        Reallocate(std::max(other.m_size, kInitialGrowBy));
        CopyElements(m_data, other.m_data, other.m_size);
        m_size = other.m_size;
    }
    // Nothing when both share storage; otherwise the own storage is replaced by
    // max(source size, growBy) elements (then growBy doubles), or released when the source
    // has none.
    CZarniArray& operator=(const CZarniArray& other) {
        if (m_data == other.m_data)
            return *this;
        T* fresh = nullptr;
        uint32_t capacity = 0;
        if (other.m_data) {
            capacity = std::max(other.m_size, m_growBy);
            fresh = Allocate(capacity);
            CopyElements(fresh, other.m_data, other.m_size);
            DoubleGrowBy();
        }
        Free(m_data);
        m_data = fresh;
        m_size = other.m_size;
        m_capacity = capacity;
        return *this;
    }
    ~CZarniArray() { Free(m_data); }

    uint32_t GetSize() const { return m_size; }
    uint32_t GetCapacity() const { return m_capacity; }
    uint32_t GetGrowBy() const { return m_growBy; }
    const T* GetData() const { return m_data; }
    T* GetData() { return m_data; }

    // Element access requires index < GetSize() (checked in debug builds).
    const T& GetAt(uint32_t index) const {
        assert(index < m_size);
        return m_data[index];
    }
    const T& operator[](uint32_t index) const { return GetAt(index); }
    T& operator[](uint32_t index) {
        assert(index < m_size);
        return m_data[index];
    }

    void Add(const T& value) { InsertAt(m_size, value); }
    void Add(T&& value) { InsertAt(m_size, std::move(value)); }

    // Ignored when index > size.
    void InsertAt(uint32_t index, const T& value) {
        if (index > m_size || m_size == UINT32_MAX)
            return;
        T copy(value);  // value may live in the storage that growing releases
        InsertAt(index, std::move(copy));
    }
    // Move-only element types (owning pointers) come in this way; ignored when index > size.
    void InsertAt(uint32_t index, T&& value) {
        if (index > m_size || m_size == UINT32_MAX)
            return;
        T moved(std::move(value));  // value may live in the storage that growing releases
        MakeRoom(index, 1);
        if constexpr (kPlain) {
            CopyElements(m_data + index, &moved, 1);
        } else {
            m_data[index] = std::move(moved);
        }
        ++m_size;
    }

    // Ignored when index > size or other has no storage; other may be this array.
    void InsertAt(uint32_t index, const CZarniArray& other) {
        InsertRange(index, other, 0, other.m_size);
    }

    // Inserts other[from .. from + count - 1] at index. Ignored when index > size,
    // from + count passes other's size, or other has no storage; other may be this array.
    void InsertRange(uint32_t index, const CZarniArray& other, uint32_t from, uint32_t count) {
        if (index > m_size || !other.m_data || from > other.m_size || count > other.m_size - from ||
            count > UINT32_MAX - m_size || count == 0) {
            return;
        }
        if (&other == this) {
            // Copy the slice out first: growing or moving the tail would disturb it.
            CZarniArray slice;
            slice.InsertRange(0, other, from, count);
            InsertRange(index, slice, 0, count);
            return;
        }
        MakeRoom(index, count);
        CopyElements(m_data + index, other.m_data + from, count);
        m_size += count;
    }

    // Grows the storage to hold at least capacity elements; never shrinks it.
    void Reserve(uint32_t capacity) {
        if (capacity > m_capacity)
            Reallocate(capacity);
    }

    // Inserts count values from memory outside this array's storage at index. Ignored when
    // index > size, values is null or count is 0.
    void InsertValues(uint32_t index, const T* values, uint32_t count) {
        if (index > m_size || values == nullptr || count == 0 || count > UINT32_MAX - m_size)
            return;
        MakeRoom(index, count);
        CopyElements(m_data + index, values, count);
        m_size += count;
    }

    // Ignored when index >= size or count == 0. A span reaching the end cuts the array to
    // index elements; the storage then shrinks by half when three quarters lie idle.
    void RemoveAt(uint32_t index, uint32_t count = 1) {
        if (index >= m_size || count == 0)
            return;
        const uint32_t oldSize = m_size;
        if (count >= m_size - index) {
            m_size = index;
        } else {
            MoveElements(m_data + index, m_data + index + count, m_size - index - count);
            m_size -= count;
        }
        ClearSlots(m_size, oldSize);
        if (m_capacity > m_growBy && m_size <= m_capacity / 4)
            Reallocate(m_capacity / 2);
    }

    // Releases the storage; growBy keeps its value.
    void RemoveAll() {
        Free(m_data);
        m_data = nullptr;
        m_size = 0;
        m_capacity = 0;
    }

    // Aborts when the array's rules are broken.
    void AssertValid() const {
        const bool growByOk = m_growBy >= kInitialGrowBy && m_growBy <= 2 * kGrowByLimit &&
                              (m_growBy & (m_growBy - 1)) == 0;
        ZARNI_CHECK(m_size <= m_capacity && (m_data == nullptr) == (m_capacity == 0) && growByOk,
                    "CZarniArray: size %u capacity %u growBy %u data %p", m_size, m_capacity,
                    m_growBy, static_cast<const void*>(m_data));
    }

private:
    static constexpr bool kPlain = std::is_trivially_copyable_v<T>;
    static constexpr uint32_t kInitialGrowBy = 8;
    // growBy doubles while below this, so the steps end at 8192.
    static constexpr uint32_t kGrowByLimit = 5120;

    static T* Allocate(uint32_t count) {
        if constexpr (kPlain) {
            return static_cast<T*>(::operator new(static_cast<size_t>(count) * sizeof(T)));
        } else {
            return new T[count];
        }
    }
    static void Free(T* data) {
        if constexpr (kPlain) {
            ::operator delete(data);
        } else {
            delete[] data;
        }
    }
    // Copies count elements into distinct storage.
    static void CopyElements(T* to, const T* from, uint32_t count) {
        if (count == 0)
            return;
        if constexpr (kPlain) {
            std::memcpy(static_cast<void*>(to), from, static_cast<size_t>(count) * sizeof(T));
        } else {
            std::copy(from, from + count, to);
        }
    }
    // Moves count elements into storage that may overlap the source.
    static void MoveElements(T* to, T* from, uint32_t count) {
        if (count == 0)
            return;
        if constexpr (kPlain) {
            std::memmove(static_cast<void*>(to), from, static_cast<size_t>(count) * sizeof(T));
        } else if (to < from) {
            std::move(from, from + count, to);
        } else {
            std::move_backward(from, from + count, to + count);
        }
    }
    // Slots past the size keep no resources of removed elements.
    void ClearSlots([[maybe_unused]] uint32_t first, [[maybe_unused]] uint32_t last) {
        if constexpr (!kPlain) {
            for (uint32_t i = first; i < last; ++i)
                m_data[i] = T();
        }
    }

    void DoubleGrowBy() {
        if (m_growBy < kGrowByLimit)
            m_growBy *= 2;
    }
    // Replaces the storage by one of the given capacity (>= size) holding the elements.
    void Reallocate(uint32_t capacity) {
        T* fresh = Allocate(capacity);
        MoveElements(fresh, m_data, m_size);
        Free(m_data);
        m_data = fresh;
        m_capacity = capacity;
    }
    // Grows when count more elements do not fit (the new capacity is capacity +
    // max(shortfall, step), step being growBy before it doubles), then opens a gap of count
    // slots at index. The caller has checked that size + count does not overflow.
    void MakeRoom(uint32_t index, uint32_t count) {
        if (count > m_capacity - m_size) {
            const uint32_t shortfall = m_size + count - m_capacity;
            const uint32_t step = m_growBy;
            DoubleGrowBy();
            uint64_t capacity = static_cast<uint64_t>(m_capacity) + std::max(shortfall, step);
            if (capacity > UINT32_MAX)
                capacity = m_size + count;
            Reallocate(static_cast<uint32_t>(capacity));
        }
        MoveElements(m_data + index + count, m_data + index, m_size - index);
    }

    T* m_data = nullptr;  // null exactly when capacity is 0
    uint32_t m_size = 0;  // <= m_capacity
    uint32_t m_capacity = 0;
    uint32_t m_growBy = kInitialGrowBy;  // a power of two from 8 to 8192
};

namespace zarni_detail {
struct SameKey {
    template <class U>
    const U& operator()(const U& u) const {
        return u;
    }
};

// The bisection shared by the sorted tables: lo = 0, hi = size - 1, first midpoint
// (size - 1) / 2. Returns the index of an element whose key equals key (found set), or
// the index where key would be inserted to keep the order.
template <class T, class K, class GetKey>
uint32_t Bisect(const K& key, const CZarniArray<T>& array, GetKey getKey, bool& found) {
    found = false;
    int64_t lo = 0;
    int64_t hi = static_cast<int64_t>(array.GetSize()) - 1;
    if (hi < 0)
        return 0;
    int64_t mid = hi / 2;
    while (lo <= hi) {
        const auto& probe = getKey(array[static_cast<uint32_t>(mid)]);
        if (probe < key) {
            lo = mid + 1;
        } else if (probe > key) {
            hi = mid - 1;
        } else {
            found = true;
            return static_cast<uint32_t>(mid);
        }
        mid = (lo + hi) / 2;
    }
    return static_cast<uint32_t>(lo);
}
}  // namespace zarni_detail

// Index of an element equal to key in an ascending array, or -1. getKey maps an element to
// the value compared with key.
template <class T, class K, class GetKey = zarni_detail::SameKey>
int32_t EBU_Lookup(const K& key, const CZarniArray<T>& array, GetKey getKey = GetKey()) {
    bool found = false;
    const uint32_t at = zarni_detail::Bisect(key, array, getKey, found);
    return found ? static_cast<int32_t>(at) : -1;
}

// In an ascending array of distinct keys: the index of the element equal to key, else of the
// first element beyond key, else the size (where key would be inserted to keep the order).
template <class T, class K, class GetKey = zarni_detail::SameKey>
uint32_t EBU_LowerBound(const K& key, const CZarniArray<T>& array, GetKey getKey = GetKey()) {
    bool found = false;
    return zarni_detail::Bisect(key, array, getKey, found);
}
