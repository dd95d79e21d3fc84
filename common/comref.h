// RAII for COM: a held interface reference, and the apartment of one scope.
#pragma once
#include <windows.h>
#include <objbase.h>

// A held reference on a COM interface, released at the end of the scope.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(T *p) : p_(p) {}
    ~ComRef() { reset(); }
    ComRef(const ComRef &) = delete;
    ComRef &operator=(const ComRef &) = delete;
    T *get() const { return p_; }
    // The address a creating or querying call fills; what was held is released first.
    T **out() {
        reset();
        return &p_;
    }
    void **outVoid() { return reinterpret_cast<void **>(out()); }
    T *operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }

private:
    T *p_ = nullptr;
};

// COM initialised for the calling thread for one scope (CoInitialize); the
// matching CoUninitialize only when it succeeded.
class ComScope {
public:
    ComScope() : hr_(CoInitialize(nullptr)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope &) = delete;
    ComScope &operator=(const ComScope &) = delete;
    bool ok() const { return SUCCEEDED(hr_); }

private:
    HRESULT hr_;
};
