#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <memory>

// A password in memory of its own: kept out of swap where the system allows, and zeroed when it goes. It
// grows into new memory of its own and zeroes the old, so no part of it is left behind by growing.
class Secret {
public:
    Secret() = default;
    // The text as UTF-8, written straight into the secret's memory: no other copy of it is made.
    static Secret fromText(QStringView text);
    ~Secret();
    Secret(Secret&& other) noexcept;
    Secret& operator=(Secret&& other) noexcept;
    Secret(const Secret&) = delete;
    Secret& operator=(const Secret&) = delete;

    void append(const char* bytes, std::size_t size);
    void append(char byte) { append(&byte, 1); }
    // Room for `size` bytes more, so that what is written next lands in place.
    char* extend(std::size_t size);

    // Zero-terminated, for libcups.
    const char* c_str() const { return bytes_ ? bytes_.get() : ""; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    void reserve(std::size_t capacity);
    void release();

    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0; // with the terminating zero
};

// Zero the text in place and empty it; a copy shared with another owner is left to that owner.
void wipe(QString& text);
