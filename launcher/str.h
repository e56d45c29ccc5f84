// Str: the launcher's growable byte string, passed by value and built by
// concatenation. It stands in for std::string, whose statically linked
// support code (exceptions, demangler) would be most of the executable.
#pragma once

#include <stddef.h>

class Str {
public:
    Str();
    Str(const char* text);
    Str(const char* text, size_t length);
    Str(const Str& other);
    Str(Str&& other);
    Str& operator=(Str other);
    ~Str();

    const char* c_str() const { return data_ ? data_ : ""; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    char operator[](size_t i) const { return data_[i]; }

    Str& append(const char* text, size_t length);
    Str& operator+=(const Str& tail) { return append(tail.data_, tail.size_); }
    Str& operator+=(const char* tail);
    Str& operator+=(char c) { return append(&c, 1); }

    friend bool operator==(const Str& a, const Str& b);

private:
    char* data_;
    size_t size_;
    size_t capacity_;
};

Str operator+(Str head, const Str& tail);
Str operator+(Str head, const char* tail);
Str operator+(const char* head, const Str& tail);
inline bool operator!=(const Str& a, const Str& b) { return !(a == b); }

// Exit status when memory runs out: the shell's own value for it (SE_ERR_OOM),
// so a launch that could not even be asked for still reports a shell error.
const int kOutOfMemoryStatus = 8;
