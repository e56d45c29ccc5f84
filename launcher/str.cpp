#include "str.h"

#include <stdlib.h>
#include <string.h>

Str::Str() : data_(0), size_(0), capacity_(0) {}

Str::Str(const char* text) : Str() { *this += text; }

Str::Str(const char* text, size_t length) : Str() { append(text, length); }

Str::Str(const Str& other) : Str() { append(other.data_, other.size_); }

Str::Str(Str&& other) : data_(other.data_), size_(other.size_), capacity_(other.capacity_)
{
    other.data_ = 0;
    other.size_ = other.capacity_ = 0;
}

Str& Str::operator=(Str other)
{
    char* data = data_;
    data_ = other.data_;
    other.data_ = data;
    size_t size = size_;
    size_ = other.size_;
    other.size_ = size;
    size_t capacity = capacity_;
    capacity_ = other.capacity_;
    other.capacity_ = capacity;
    return *this;
}

Str::~Str() { free(data_); }

Str& Str::operator+=(const char* tail) { return append(tail, strlen(tail)); }

Str& Str::append(const char* text, size_t length)
{
    if (length == 0) return *this;
    if (length > (size_t)-1 - 1 - size_) _exit(kOutOfMemoryStatus);
    char* old = 0;
    if (size_ + length >= capacity_) {
        // Doubling keeps a long run of appends (a large lib) linear overall.
        size_t capacity = capacity_ ? capacity_ : 32;
        while (capacity <= size_ + length)
            capacity = capacity > (size_t)-1 / 2 ? size_ + length + 1 : capacity * 2;
        char* data = (char*)malloc(capacity);
        if (!data) _exit(kOutOfMemoryStatus);
        if (size_) memcpy(data, data_, size_);
        // The old buffer goes only after the copy below: text may lie in it.
        old = data_;
        data_ = data;
        capacity_ = capacity;
    }
    memcpy(data_ + size_, text, length);
    size_ += length;
    data_[size_] = '\0';
    free(old);
    return *this;
}

bool operator==(const Str& a, const Str& b)
{
    return a.size_ == b.size_ && memcmp(a.c_str(), b.c_str(), a.size_) == 0;
}

Str operator+(Str head, const Str& tail)
{
    head += tail;
    return head;
}

Str operator+(Str head, const char* tail)
{
    head += tail;
    return head;
}

Str operator+(const char* head, const Str& tail)
{
    Str joined(head);
    joined += tail;
    return joined;
}
