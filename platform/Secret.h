#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <memory>

// A password in memory of its own: kept out of swap where the system allows, and zeroed when it goes.
class Secret {
public:
    Secret() = default;
    // Copies the bytes; the caller wipes its own copy.
    explicit Secret(const QByteArray& bytes);
    ~Secret();
    Secret(Secret&& other) noexcept;
    Secret& operator=(Secret&& other) noexcept;
    Secret(const Secret&) = delete;
    Secret& operator=(const Secret&) = delete;

    // Zero-terminated, for libcups.
    const char* c_str() const { return bytes_ ? bytes_.get() : ""; }

private:
    void release();

    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
};

// Zero the text in place and empty it; a copy shared with another owner is left to that owner.
void wipe(QByteArray& bytes);
void wipe(QString& text);
