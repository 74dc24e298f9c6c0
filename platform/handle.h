// A small owning handle with an explicit empty value, released exactly once by its destructor.
#pragma once

// Traits supply: using Type = ...; static Type empty(); static void close(Type).
template <typename Traits>
class ScopedHandle {
public:
    using Type = typename Traits::Type;

    ScopedHandle() : value(Traits::empty()) {}
    explicit ScopedHandle(Type owned) : value(owned) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : value(other.take()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.take());
        return *this;
    }
    ~ScopedHandle() { reset(); }

    bool valid() const { return value != Traits::empty(); }
    Type get() const { return value; }

    void reset(Type owned = Traits::empty())
    {
        if (valid())
            Traits::close(value);
        value = owned;
    }

    Type take()
    {
        Type owned = value;
        value = Traits::empty();
        return owned;
    }

private:
    Type value;
};
