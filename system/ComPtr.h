#pragma once

// One COM interface reference, released with the object.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* operator->() const { return pointer; }
    Interface* Get() const { return pointer; }
    void** Out()
    {
        Reset();
        return reinterpret_cast<void**>(&pointer);
    }
    void Reset()
    {
        if (pointer) {
            pointer->Release();
            pointer = nullptr;
        }
    }

private:
    Interface* pointer = nullptr;
};
